#include "app/set_file_form.h"

#include <algorithm>
#include <cstring>

#include "app/file_lists.h"
#include "app/glyphs.h"
#include "app/main_form.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "foldertree/shell_folder_tree.h"
#include "search/file_transact_ex.h"
#include "settings/ini_file.h"

namespace {
const char kShortcutCaption[] = "フォルダ ショートカットユーティリティ";
const char kSearchCaption[] = "ファイル サーチユーティリティ";
const char kCancelled[] = "作業を中止しました";

// Numbers of the check boxes of each group, first and last.
const int kGroupRange[5][2] = {{1, 19}, {20, 29}, {30, 39}, {40, 49}, {50, 59}};
const char* const kGroupCaption[5] = {"画像ファイル", "ムービー", "サウンド・ミュージック",
                                      "プログラム・ヘルプ・テキスト", "圧縮アーカイブ"};
struct Bounds {
    int x, y, w, h;
};
// Where the groups sit on the search page.
const Bounds kGroupBounds[5] = {
    {216, 60, 576, 64}, {216, 128, 284, 42}, {508, 128, 284, 42}, {216, 174, 284, 42}, {508, 174, 284, 42}};

int GroupOf(int number) {
    for (int g = 0; g < 5; ++g) {
        if (number >= kGroupRange[g][0] && number <= kGroupRange[g][1]) return g;
    }
    return -1;
}

bool DirectoryExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesA(ExcludeTrailingBackslash(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The MP3 box stays hidden and disabled whatever the buttons say.
bool IsMp3(const TCheckBox* box) { return box->Caption() == "MP3"; }

// Check-all and clear-all pictures: a small box with or without its tick.
TSpeedButton::TGlyph BoxGlyph(bool ticked) {
    return [ticked](HDC dc, const RECT& r, bool enabled) {
        const COLORREF ink = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
        RECT box{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
        FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HBRUSH frame = CreateSolidBrush(ink);
        FrameRect(dc, &box, frame);
        DeleteObject(frame);
        if (!ticked) return;
        HPEN pen = CreatePen(PS_SOLID, 2, enabled ? RGB(0, 96, 0) : ink);
        HGDIOBJ old = SelectObject(dc, pen);
        const POINT tick[] = {{box.left + 3, (box.top + box.bottom) / 2},
                              {box.left + 5, box.bottom - 4},
                              {box.right - 3, box.top + 3}};
        Polyline(dc, tick, 3);
        SelectObject(dc, old);
        DeleteObject(pen);
    };
}

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const char* name, const std::string& caption,
                 int x, int y) {
    auto* l = new TLabel(owner, parent);
    l->Name = name;
    l->SetBounds(x, y, 0, 17);
    l->SetCaption(caption);
    return l;
}

TSpeedButton* AddSpeedButton(TComponent* owner, TWinControl* parent, const char* name,
                             const std::string& caption, Bounds bounds) {
    auto* b = new TSpeedButton(owner, parent);
    b->Name = name;
    b->Flat = false;
    b->SetBounds(bounds.x, bounds.y, bounds.w, bounds.h);
    b->SetCaption(caption);
    return b;
}

TButton* AddButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                   int x, int y) {
    auto* b = new TButton(owner, parent);
    b->Name = name;
    b->SetBounds(x, y, 84, 26);
    b->SetCaption(caption);
    return b;
}
}  // namespace

// ---------------------------------------------------------------------------
// Pure parts of the search input

std::string BuildExtensionList(const std::vector<std::string>& checkedCaptions, bool useUserWords,
                               const std::string& userText) {
    std::string list;
    for (const std::string& caption : checkedCaptions) list += "." + SjisUpperCase(caption) + " ";
    if (!useUserWords) return list;
    // A blank is never the second byte of a double-byte character, so the
    // text can be cut at every one of them.
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = userText.find(' ', start);
        list += "." + userText.substr(start, blank - start) + " ";
        if (blank == std::string::npos) break;
        start = blank + 1;
    }
    return list;
}

bool AddToHistory(std::vector<std::string>& history, const std::string& text) {
    // A blank entry would end the saved list early when it is read back.
    const std::string entry = Trim(text);
    if (entry.empty()) return false;
    for (const std::string& old : history) {
        if (SjisSameText(Trim(old), entry)) return false;
    }
    history.insert(history.begin(), entry);
    return true;
}

// ---------------------------------------------------------------------------
// Controls

TRadioButton::TRadioButton(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 150;
    height_ = 17;
    CreateHandle("BUTTON", WS_TABSTOP | BS_RADIOBUTTON);
}

bool TRadioButton::Checked() const {
    return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool c) {
    SendMessageA(handle_, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!c || !parent_) return;
    for (TControl* sibling : parent_->Controls()) {
        auto* other = dynamic_cast<TRadioButton*>(sibling);
        if (other && other != this) SendMessageA(other->handle_, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void TRadioButton::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return;
    SetChecked(true);
    Click();
}

TComboBox::TComboBox(TComponent* owner, TWinControl* parent) : TWinControl(owner, parent) {
    width_ = 145;
    height_ = 200;
    CreateHandle("COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
    SyncBoundsFromWindow();
}

void TComboBox::BoundsChanged() {
    // The window's height is that of the dropped-down list; the box itself
    // is as high as its font makes it.
    if (handle_) {
        SetWindowPos(handle_, nullptr, left_, top_, width_, std::max(height_, 200),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

std::string TComboBox::Text() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(handle_, &text[0], static_cast<int>(text.size()))));
    return text;
}

void TComboBox::SetText(const std::string& text) { SetWindowTextA(handle_, text.c_str()); }

std::vector<std::string> TComboBox::Items() const {
    std::vector<std::string> items;
    const int n = static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const LRESULT len = SendMessageA(handle_, CB_GETLBTEXTLEN, i, 0);
        std::string item(len > 0 ? static_cast<std::size_t>(len) + 1 : 1, '\0');
        const LRESULT got = SendMessageA(handle_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0]));
        item.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        items.push_back(item);
    }
    return items;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    const std::string text = Text();
    SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items) {
        SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SetText(text);
}

void TComboBox::InsertItem(int index, const std::string& item) {
    SendMessageA(handle_, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(item.c_str()));
}

TBusyAnimation::TBusyAnimation(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    width_ = 40;
    height_ = 30;
    timer_ = new TTimer(this);
    timer_->Interval = 120;
    timer_->OnTimer = [this](TObject*) {
        frame_ = (frame_ + 1) % 8;
        Invalidate();
    };
}

void TBusyAnimation::SetActive(bool on) {
    timer_->SetEnabled(on);
    if (!on) frame_ = 0;
    Invalidate();
}

void TBusyAnimation::Paint(HDC dc) {
    const int x = left_, y = top_;
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(120, 88, 16));
    HBRUSH paper = CreateSolidBrush(RGB(240, 200, 80));
    HGDIOBJ oldPen = SelectObject(dc, outline);
    HGDIOBJ oldBrush = SelectObject(dc, paper);
    Rectangle(dc, x + 4, y + 7, x + 15, y + 12);  // the folder's tab
    Rectangle(dc, x + 4, y + 10, x + 32, y + 27);
    // The magnifier goes to and fro over the folder.
    const int step = frame_ < 4 ? frame_ : 7 - frame_;
    const int cx = x + 12 + step * 5, cy = y + 14;
    HBRUSH glass = CreateSolidBrush(RGB(200, 230, 255));
    HPEN rim = CreatePen(PS_SOLID, 2, RGB(40, 40, 40));
    SelectObject(dc, glass);
    SelectObject(dc, rim);
    Ellipse(dc, cx - 7, cy - 7, cx + 7, cy + 7);
    HPEN handle = CreatePen(PS_SOLID, 3, RGB(90, 50, 20));
    SelectObject(dc, handle);
    MoveToEx(dc, cx + 5, cy + 5, nullptr);
    LineTo(dc, cx + 10, cy + 10);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(outline), static_cast<HGDIOBJ>(paper), static_cast<HGDIOBJ>(glass),
                      static_cast<HGDIOBJ>(rim), static_cast<HGDIOBJ>(handle)}) {
        DeleteObject(o);
    }
}

TDragListView::TDragListView(TComponent* owner, TWinControl* parent) : TListView(owner, parent) {}

int TDragListView::ItemAt(int x, int y) const {
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    const int i = static_cast<int>(SendMessageA(handle_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) && i < ItemCount() ? i : -1;
}

RECT TDragListView::ItemRect(int index) const {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    if (index < 0 || index >= ItemCount() ||
        !SendMessageA(handle_, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) {
        return RECT{0, 0, 0, 0};
    }
    return r;
}

void TDragListView::SetFocusedItem(int index) {
    if (index < 0 || index >= ItemCount()) return;
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = LVIS_FOCUSED;
    SendMessageA(handle_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

LRESULT TDragListView::Notify(NMHDR* nm) {
    if (nm->code == static_cast<UINT>(LVN_BEGINDRAG) && (OnDragOver || OnDragDrop)) {
        dragging_ = true;
        accepted_ = false;
        SetCapture(handle_);
        return 0;
    }
    return TListView::Notify(nm);
}

void TDragListView::EndDrag(bool drop, int x, int y) {
    if (!dragging_) return;
    dragging_ = false;  // first: giving up the capture comes back here
    LVITEMA clear{};
    clear.stateMask = LVIS_DROPHILITED;
    SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (GetCapture() == handle_) ReleaseCapture();
    if (drop && accepted_) Fire(OnDragDrop, this, this, x, y);
}

LRESULT TDragListView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (dragging_) {
        const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        switch (msg) {
        case WM_MOUSEMOVE: {
            accepted_ = false;
            Fire(OnDragOver, this, this, x, y, accepted_);
            const int over = ItemAt(x, y);
            LVITEMA mark{};
            mark.stateMask = LVIS_DROPHILITED;
            SendMessageA(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&mark));
            if (accepted_ && over >= 0) {
                mark.state = LVIS_DROPHILITED;
                SendMessageA(handle_, LVM_SETITEMSTATE, over, reinterpret_cast<LPARAM>(&mark));
            }
            SetCursor(LoadCursor(nullptr, accepted_ ? IDC_ARROW : IDC_NO));
            return 0;
        }
        case WM_LBUTTONUP:
            EndDrag(true, x, y);
            return 0;
        case WM_CAPTURECHANGED:
            EndDrag(false, 0, 0);
            break;
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) {
                EndDrag(false, 0, 0);
                return 0;
            }
            break;
        }
    }
    return TListView::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------
// The window

const std::vector<TfoSetFile::ExtensionBox>& TfoSetFile::ExtensionBoxes() {
    static const std::vector<ExtensionBox> boxes = {
        {1, "JPG"},  {2, "JPEG"}, {3, "BMP"},  {4, "GIF"},  {5, "MAG"},  {6, "Q4"},   {7, "TIF"},
        {8, "PIC"},  {9, "PI"},   {10, "P2"},  {11, "WMF"}, {12, "EMF"}, {13, "ICO"}, {14, "PNG"},
        {21, "MPG"}, {22, "AVI"}, {23, "MOV"}, {31, "WAV"}, {32, "MID"}, {33, "MP3"}, {41, "EXE"},
        {42, "HLP"}, {43, "TXT"}, {44, "DOC"}, {51, "LZH"}, {52, "ZIP"}, {53, "CAB"}, {54, "TAR"},
    };
    return boxes;
}

TfoSetFile::TfoSetFile(TComponent* owner) : TForm(owner, bsDialog, "TfoSetFile") {
    Name = "foSetFile";
    Position = poScreenCenter;
    SetCaption(kSearchCaption);
    SetClientSize(800, 384);
    BuildShortcutPage();
    BuildSearchPage();
    SetActivePageIndex(1);
    // The window is activated again after each message box it shows; its
    // activation work belongs to the showing only.
    OnActivate = [this](TObject* s) {
        if (activatedThisShow_) return;
        activatedThisShow_ = true;
        FormActivate(s);
    };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

// The main window outlives this one (it is made first and freed last); what
// it holds of ours goes with us.
TfoSetFile::~TfoSetFile() {
    if (main_) main_->FolderShortcuts = nullptr;
    if (engine_) {
        engine_->lSearching = nullptr;
        engine_->lHitCount = nullptr;
    }
}

LRESULT TfoSetFile::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SHOWWINDOW && wp && lp == 0) activatedThisShow_ = false;
    return TForm::WndProc(msg, wp, lp);
}

void TfoSetFile::BuildShortcutPage() {
    pnShortCut = new TPanel(this, this);
    pnShortCut->Name = "pnShortCut";
    pnShortCut->BevelOuter = bvNone;
    pnShortCut->SetAlign(alClient);

    lSourceCaption = AddLabel(this, pnShortCut, "lSourceCaption", "現在の選択フォルダ : ", 8, 12);
    lSourceFolder = AddLabel(this, pnShortCut, "lSourceFolder", "",
                             lSourceCaption->Left() + lSourceCaption->Width() + 2, 12);
    sbRecFolder = AddSpeedButton(this, pnShortCut, "sbRecFolder",
                                 "このフォルダをショートカットアクセスのリスト追加する", {8, 34, 420, 26});
    sbRecFolder->SetGlyph(MakeGlyph(gkFolderShortcut));
    sbRecFolder->OnClick = [this](TObject* s) { sbRecFolderClick(s); };

    pmFolderList = new TPopupMenu(this);
    pmFolderList->Name = "pmFolderList";
    pmDeleteSel = new TMenuItem(this);
    pmDeleteSel->Name = "pmDeleteSel";
    pmDeleteSel->SetCaption("選択フォルダを削除");
    pmDeleteSel->OnClick = [this](TObject* s) { pmDeleteSelClick(s); };
    pmFolderList->Items()->Add(pmDeleteSel);
    pmFolderList->OnPopup = [this](TObject* s) { pmFolderListPopup(s); };

    lvFolderList = new TDragListView(this, pnShortCut);
    lvFolderList->Name = "lvFolderList";
    lvFolderList->SetBounds(8, 66, 784, 246);
    lvFolderList->AddColumn("ショートカットアクセスフォルダ", 760);
    lvFolderList->PopupMenu = pmFolderList;
    lvFolderList->OnData = [this](TObject*, TListItemData& item) {
        if (item.Index >= 0 && item.Index < static_cast<int>(folders_.size())) item.Caption = folders_[item.Index];
    };
    lvFolderList->OnDblClick = [this](TObject* s) { lvFolderListDblClick(s); };
    lvFolderList->OnChange = [this](TObject* s, int i, bool state) { lvFolderListChange(s, i, state); };
    lvFolderList->OnDragOver = [this](TObject* s, TObject* src, int x, int y, bool& accept) {
        lvFolderListDragOver(s, src, x, y, accept);
    };
    lvFolderList->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) {
        lvFolderListDragDrop(s, src, x, y);
    };

    lGuideDblClick = AddLabel(this, pnShortCut, "lGuideDblClick", "ダブルクリックでショートカットアクセスします", 8, 318);
    sbDelSelected = AddSpeedButton(this, pnShortCut, "sbDelSelected", "選択フォルダをリストから削除", {8, 346, 220, 28});
    sbDelSelected->SetEnabled(false);
    sbDelSelected->OnClick = [this](TObject* s) { sbDelSelectedClick(s); };
    chbAutoClose = new TCheckBox(this, pnShortCut);
    chbAutoClose->Name = "chbAutoClose";
    chbAutoClose->SetBounds(300, 352, 120, 17);
    chbAutoClose->SetCaption("自動で閉じる");
    chbAutoClose->SetChecked(true);
    sbClose = AddSpeedButton(this, pnShortCut, "sbClose", "閉じる", {700, 346, 92, 28});
    sbClose->OnClick = [this](TObject* s) { sbCloseClick(s); };
}

void TfoSetFile::BuildSearchPage() {
    pnFileSearch = new TPanel(this, this);
    pnFileSearch->Name = "pnFileSearch";
    pnFileSearch->BevelOuter = bvNone;
    pnFileSearch->SetAlign(alClient);

    lHitCaption = AddLabel(this, pnFileSearch, "lHitCaption", "作業状況:", 8, 12);
    lProgress = AddLabel(this, pnFileSearch, "lProgress", "", 76, 12);
    lSearchFolder = AddLabel(this, pnFileSearch, "lSearchFolder", "", 180, 12);
    anm = new TBusyAnimation(this, pnFileSearch);
    anm->Name = "anm";
    anm->SetBounds(752, 4, 40, 30);

    gbSearchPlace = new TGroupBox(this, pnFileSearch);
    gbSearchPlace->Name = "gbSearchPlace";
    gbSearchPlace->SetCaption("探す場所");
    gbSearchPlace->SetBounds(8, 40, 200, 300);
    fvxSearch = new TShellFolderTree(this, gbSearchPlace);
    fvxSearch->Name = "fvxSearch";
    fvxSearch->SetDragAndDrop(false);
    fvxSearch->SetShowRootFolder(false);
    fvxSearch->SetBounds(8, 20, 184, 244);
    chbSearchDirChild = new TCheckBox(this, gbSearchPlace);
    chbSearchDirChild->Name = "chbSearchDirChild";
    chbSearchDirChild->SetBounds(8, 272, 184, 17);
    chbSearchDirChild->SetCaption("サブフォルダも探す(&S)");
    chbSearchDirChild->SetChecked(true);

    rbSetExt = new TRadioButton(this, pnFileSearch);
    rbSetExt->Name = "rbSetExt";
    rbSetExt->SetBounds(216, 40, 260, 18);
    rbSetExt->SetCaption("ファイルの種類(拡張子)で探す");
    rbSetExt->SetChecked(true);
    rbSetExt->OnClick = [this](TObject* s) { rbSetExtClick(s); };
    BuildExtensionGroups(pnFileSearch);

    rbSetWild = new TRadioButton(this, pnFileSearch);
    rbSetWild->Name = "rbSetWild";
    rbSetWild->SetBounds(216, 274, 260, 18);
    rbSetWild->SetCaption("ワイルドカードで探す");
    rbSetWild->OnClick = [this](TObject* s) { rbSetExtClick(s); };
    cmbSetWild = new TComboBox(this, pnFileSearch);
    cmbSetWild->Name = "cmbSetWild";
    cmbSetWild->SetBounds(234, 296, 230, 200);
    cmbSetWild->SetEnabled(false);
    lWildExample = AddLabel(this, pnFileSearch, "lWildExample", "指定例 (*.XLS)", 474, 300);
    lWildExample->OnClick = [this](TObject* s) { bbHelpClick(s); };

    bbSearch = AddButton(this, pnFileSearch, "bbSearch", "検索開始", 444, 350);
    bbSearch->OnClick = [this](TObject* s) { bbSearchClick(s); };
    bbFault = AddButton(this, pnFileSearch, "bbFault", "中止", 532, 350);
    bbFault->SetEnabled(false);
    bbFault->OnClick = [this](TObject* s) { bbFaultClick(s); };
    bbClose = AddButton(this, pnFileSearch, "bbClose", "閉じる", 620, 350);
    bbClose->OnClick = [this](TObject* s) { sbCloseClick(s); };
    bbHelp = AddButton(this, pnFileSearch, "bbHelp", "ヘルプ", 708, 350);
    bbHelp->OnClick = [this](TObject* s) { bbHelpClick(s); };
}

void TfoSetFile::BuildExtensionGroups(TWinControl* page) {
    using Handler = void (TfoSetFile::*)(TObject*);
    static const Handler handlers[5] = {&TfoSetFile::sbChkAll1Click, &TfoSetFile::sbChkAll2Click,
                                        &TfoSetFile::sbChkAll3Click, &TfoSetFile::sbChkAll4Click,
                                        &TfoSetFile::sbChkAll5Click};
    for (int g = 0; g < 5; ++g) {
        const Bounds& r = kGroupBounds[g];
        auto* group = gbExtension[g] = new TGroupBox(this, page);
        group->Name = "gbExtension" + std::to_string(g + 1);
        group->SetCaption(kGroupCaption[g]);
        group->SetBounds(r.x, r.y, r.w, r.h);
        const Handler handler = handlers[g];
        auto* all = sbChkAll[g] = new TSpeedButton(this, group);
        all->Name = "sbChkAll" + std::to_string(g + 1);
        all->Hint = "全てをチェックします";
        all->SetBounds(r.w - 56, 16, 22, 20);
        all->SetGlyph(BoxGlyph(true));
        all->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
        auto* none = sbChkNot[g] = new TSpeedButton(this, group);
        none->Name = g == 4 ? std::string("cbChkNot5") : "sbChkNot" + std::to_string(g + 1);
        none->Hint = "全てのチェックを外します";
        none->SetBounds(r.w - 30, 16, 22, 20);
        none->SetGlyph(BoxGlyph(false));
        none->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    }
    // The boxes flow in number order, each as wide as its caption needs,
    // wrapping before the group's buttons.
    HDC screen = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(screen, EffectiveFont().Handle());
    int x[5], y[5];
    std::fill(std::begin(x), std::end(x), 10);
    std::fill(std::begin(y), std::end(y), 18);
    for (const ExtensionBox& e : ExtensionBoxes()) {
        const int g = GroupOf(e.Number);
        auto* box = new TCheckBox(this, gbExtension[g]);
        box->Name = "chbFile" + std::to_string(e.Number);
        box->SetCaption(e.Caption);
        const bool hidden = e.Number == 4 || IsMp3(box);
        if (hidden) {
            box->SetVisible(false);
            box->SetBounds(10, 18, 40, 17);
            if (IsMp3(box)) box->SetEnabled(false);
            continue;
        }
        SIZE text{};
        GetTextExtentPoint32A(screen, e.Caption, static_cast<int>(strlen(e.Caption)), &text);
        const int width = text.cx + 22;
        if (x[g] + width > kGroupBounds[g].w - 58) {
            x[g] = 10;
            y[g] += 22;
        }
        box->SetBounds(x[g], y[g], width, 17);
        x[g] += width;
    }
    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);

    gbUserExtension = new TGroupBox(this, page);
    gbUserExtension->Name = "gbUserExtension";
    gbUserExtension->SetCaption("上記以外の拡張子");
    gbUserExtension->SetBounds(216, 220, 576, 46);
    chbFileUser = new TCheckBox(this, gbUserExtension);
    chbFileUser->Name = "chbFileUser";
    chbFileUser->SetBounds(10, 20, 98, 17);
    chbFileUser->SetCaption("ユーザ指定");
    chbFileUser->OnClick = [this](TObject* s) { chbFileUserClick(s); };
    cmbFileUser = new TComboBox(this, gbUserExtension);
    cmbFileUser->Name = "cmbFileUser";
    cmbFileUser->SetBounds(110, 17, 220, 200);
    cmbFileUser->SetEnabled(false);
    lUserExample = AddLabel(this, gbUserExtension, "lUserExample", "指定例 (XLS)", 340, 21);
    lUserExample->OnClick = [this](TObject* s) { bbHelpClick(s); };
}

TCheckBox* TfoSetFile::ExtensionCheckBox(int number) const {
    return dynamic_cast<TCheckBox*>(FindComponent("chbFile" + std::to_string(number)));
}

// --- what the main window lends and takes --------------------------------------

void TfoSetFile::BindMainWindow(TfoMAIN* main) {
    main_ = main;
    if (!main) return;
    if (TFileLists* lists = main->FileLists.get()) {
        AttachSearchEngine(lists->CorrectEngine(), main->sbCorrect);
        SelectMainFolder = [lists](const std::string& folder) { lists->fvx->SelectPath(folder); };
    }
    TakeHistories(main->RecentWildcards, main->RecentUserExts);
    ReturnHistories = [main](const std::vector<std::string>& wildcards, const std::vector<std::string>& userExts) {
        main->RecentWildcards = wildcards;
        main->RecentUserExts = userExts;
    };
    LoadShortcuts(main->EnvironmentPath());
    main->FolderShortcuts = [this] { return folders_; };
}

void TfoSetFile::AttachSearchEngine(TFileTransactEx* engine, TStatusBar* resultStatus) {
    engine_ = engine;
    resultStatus_ = resultStatus;
    if (!engine) return;
    engine->lSearching = lSearchFolder;
    engine->lHitCount = lProgress;
}

void TfoSetFile::TakeHistories(const std::vector<std::string>& wildcards,
                               const std::vector<std::string>& userExtensions) {
    cmbSetWild->SetItems(wildcards);
    cmbSetWild->SetText(wildcards.empty() ? std::string() : wildcards.front());
    cmbFileUser->SetItems(userExtensions);
    cmbFileUser->SetText(userExtensions.empty() ? std::string() : userExtensions.front());
}

void TfoSetFile::LoadShortcuts(const std::string& iniPath) {
    const TIniFile ini(iniPath);
    std::vector<std::string> folders;
    for (int i = 1; i <= 20; ++i) {
        std::string folder = ini.ReadString("ShortCutFolder", std::to_string(i), "");
        if (folder.empty()) break;
        folders.push_back(std::move(folder));
    }
    SetShortcutFolders(std::move(folders));
}

void TfoSetFile::SetShortcutFolders(std::vector<std::string> folders) {
    folders_ = std::move(folders);
    lvFolderList->ClearSelection();
    ShowFolders();
}

void TfoSetFile::ShowFolders() {
    lvFolderList->SetItemCount(static_cast<int>(folders_.size()));
    lvFolderListChange(lvFolderList, -1, true);
}

void TfoSetFile::SetActivePageIndex(int page) {
    page_ = page == 0 ? 0 : 1;
    pnShortCut->SetVisible(page_ == 0);
    pnFileSearch->SetVisible(page_ == 1);
}

void TfoSetFile::PrepareShortcutPage(const std::string& sourceFolder, bool autoClose, bool gridLines) {
    SetCaption(kShortcutCaption);
    lSourceFolder->SetCaption(sourceFolder);
    SetActivePageIndex(0);
    chbAutoClose->SetChecked(autoClose);
    lvFolderList->SetGridLines(gridLines);
}

void TfoSetFile::PrepareSearchPage(const TFont& treeFont) {
    SetCaption(kSearchCaption);
    SetActivePageIndex(1);
    fvxSearch->SetFont(treeFont);
}

void TfoSetFile::PreparePage(bool shortcuts) {
    if (!main_ || !main_->FileLists) {
        SetActivePageIndex(shortcuts ? 0 : 1);
        return;
    }
    TFileLists* lists = main_->FileLists.get();
    if (shortcuts) {
        PrepareShortcutPage(lists->fvx->SelectedFolder(), main_->ShortcutAutoClose, lists->lvFile->GridLines());
    } else {
        PrepareSearchPage(lists->fvx->EffectiveFont());
    }
}

// --- page 1: the shortcut list -------------------------------------------------

void TfoSetFile::FormActivate(TObject*) {
    if (page_ == 1) {
        for (TLabel* l : {lHitCaption, lProgress, lSearchFolder}) l->SetCaption("");
        return;
    }
    const std::string folder = lSourceFolder->Caption();
    const auto it = std::find_if(folders_.begin(), folders_.end(),
                                 [&](const std::string& f) { return SjisSameText(f, folder); });
    sbRecFolder->SetEnabled(it == folders_.end() && DirectoryExists(folder));
    if (it != folders_.end()) {
        const int i = static_cast<int>(it - folders_.begin());
        lvFolderList->SetFocusedItem(i);
        lvFolderList->MakeVisible(i);
    }
}

void TfoSetFile::sbRecFolderClick(TObject*) {
    folders_.push_back(lSourceFolder->Caption());
    ShowFolders();
    const int i = static_cast<int>(folders_.size()) - 1;
    lvFolderList->SetFocusedItem(i);
    lvFolderList->MakeVisible(i);
    // The folder is in the list now; with the window left open a second
    // click must not add it again.
    sbRecFolder->SetEnabled(false);
    AutoClose();
}

void TfoSetFile::AutoClose() {
    if (chbAutoClose->Checked()) Close();
}

void TfoSetFile::RemoveFolder(int index) {
    if (index < 0 || index >= static_cast<int>(folders_.size())) return;
    folders_.erase(folders_.begin() + index);
    lvFolderList->ClearSelection();
    ShowFolders();
}

void TfoSetFile::lvFolderListDblClick(TObject*) {
    const int i = lvFolderList->Selected();
    if (i < 0 || i >= static_cast<int>(folders_.size())) return;
    const std::string path = folders_[i];
    if (DirectoryExists(path)) {
        Fire(SelectMainFolder, path);
        AutoClose();
        return;
    }
    const std::string question = "ﾌｫﾙﾀﾞ " + path + "が\r見つかりません\r\rこのﾌｫﾙﾀﾞを削除しますか？";
    if (BeepBox(MB_ICONEXCLAMATION, question, MB_YESNO | MB_ICONWARNING) == IDYES) RemoveFolder(i);
}

void TfoSetFile::lvFolderListChange(TObject*, int, bool) {
    sbDelSelected->SetEnabled(lvFolderList->Selected() >= 0);
}

void TfoSetFile::lvFolderListDragOver(TObject*, TObject* Source, int, int, bool& Accept) {
    Accept = Source == lvFolderList;
}

void TfoSetFile::lvFolderListDragDrop(TObject*, TObject*, int X, int Y) {
    const int dragged = lvFolderList->Selected();
    const int target = lvFolderList->ItemAt(X, Y);
    const int count = static_cast<int>(folders_.size());
    if (dragged < 0 || dragged >= count || count < 2 || target < 0) return;
    // A copy goes in before the entry under the mouse, then the original goes.
    folders_.insert(folders_.begin() + target, folders_[dragged]);
    const int original = dragged < target ? dragged : dragged + 1;
    folders_.erase(folders_.begin() + original);
    const int moved = dragged < target ? target - 1 : target;
    lvFolderList->ClearSelection();
    ShowFolders();
    lvFolderList->SetSelected(moved);
}

void TfoSetFile::pmFolderListPopup(TObject*) { pmDeleteSel->SetEnabled(lvFolderList->Selected() >= 0); }

void TfoSetFile::pmDeleteSelClick(TObject*) {
    const int i = lvFolderList->Selected();
    if (i < 0 || i >= static_cast<int>(folders_.size())) return;
    const std::string question = folders_[i] + "を\rショートカットリストから削除します\r\rよろいしですか？";
    if (BeepBox(MB_ICONQUESTION, question, MB_YESCANCEL | MB_ICONQUESTION) == IDYES) RemoveFolder(i);
}

void TfoSetFile::sbDelSelectedClick(TObject*) {
    const int i = lvFolderList->Selected();
    if (i < 0 || i >= static_cast<int>(folders_.size())) return;
    const char question[] =
        "選択されているフォルダを、ショートカット\rアクセスのリストから削除します\r\r本当によろしいですか？";
    if (BeepBox(MB_ICONEXCLAMATION, question, MB_YESCANCEL | MB_ICONWARNING) == IDYES) RemoveFolder(i);
}

void TfoSetFile::sbCloseClick(TObject*) { Close(); }

void TfoSetFile::FormClose(TObject*, TCloseAction&) {
    // Closed from the title bar while searching: the walk stops at once,
    // and the history gets its entry when the search has come back.
    if (searching_) {
        if (engine_) engine_->Cancelled = true;
        closedWhileSearching_ = true;
        LeaveBusy();
    }
    Fire(ReturnHistories, cmbSetWild->Items(), cmbFileUser->Items());
}

// --- page 2: the search --------------------------------------------------------

void TfoSetFile::rbSetExtClick(TObject* Sender) {
    const bool byExtension = Sender == rbSetExt;
    for (const ExtensionBox& e : ExtensionBoxes()) {
        if (TCheckBox* box = ExtensionCheckBox(e.Number); box && !IsMp3(box)) box->SetEnabled(byExtension);
    }
    chbFileUser->SetEnabled(byExtension);
    cmbFileUser->SetEnabled(byExtension && chbFileUser->Checked());
    cmbSetWild->SetEnabled(!byExtension);
    if (!byExtension && cmbSetWild->CanFocus()) cmbSetWild->SetFocus();
}

void TfoSetFile::chbFileUserClick(TObject*) {
    cmbFileUser->SetEnabled(chbFileUser->Checked());
    if (cmbFileUser->Enabled() && cmbFileUser->CanFocus()) cmbFileUser->SetFocus();
}

void TfoSetFile::ChkAllClick(TObject* Sender, int group) {
    const bool check = Sender == sbChkAll[group];
    for (int n = kGroupRange[group][0]; n <= kGroupRange[group][1]; ++n) {
        if (TCheckBox* box = ExtensionCheckBox(n); box && !IsMp3(box)) box->SetChecked(check);
    }
}

void TfoSetFile::sbChkAll1Click(TObject* Sender) { ChkAllClick(Sender, 0); }
void TfoSetFile::sbChkAll2Click(TObject* Sender) { ChkAllClick(Sender, 1); }
void TfoSetFile::sbChkAll3Click(TObject* Sender) { ChkAllClick(Sender, 2); }
void TfoSetFile::sbChkAll4Click(TObject* Sender) { ChkAllClick(Sender, 3); }
void TfoSetFile::sbChkAll5Click(TObject* Sender) { ChkAllClick(Sender, 4); }

std::string TfoSetFile::ExtensionList() const {
    std::vector<std::string> checked;
    for (int n = 1; n <= 59; ++n) {
        if (TCheckBox* box = ExtensionCheckBox(n); box && box->Checked()) checked.push_back(box->Caption());
    }
    return BuildExtensionList(checked, chbFileUser->Checked(), cmbFileUser->Text());
}

std::string TfoSetFile::Wildcard() const { return Trim(cmbSetWild->Text()); }

std::string TfoSetFile::SearchFolder() const { return fvxSearch->SelectedFolder(); }

void TfoSetFile::Refuse(const std::string& text, TWinControl* focus) {
    BeepBox(MB_ICONASTERISK, text, MB_OK | MB_ICONINFORMATION);
    if (focus && focus->CanFocus()) focus->SetFocus();
}

void TfoSetFile::EnterBusy() {
    anm->SetActive(true);
    bbSearch->SetEnabled(false);
    bbClose->SetEnabled(false);
    bbHelp->SetEnabled(false);
    bbFault->SetEnabled(true);
    lHitCaption->SetCaption("作業状況");
}

void TfoSetFile::LeaveBusy() {
    anm->SetActive(false);
    bbSearch->SetEnabled(true);
    bbClose->SetEnabled(true);
    bbHelp->SetEnabled(true);
    bbFault->SetEnabled(false);
}

int TfoSetFile::ResultRows() const {
    if (!engine_) return 0;
    return engine_->ListView() ? engine_->ListView()->ItemCount() : engine_->RecordCount();
}

void TfoSetFile::bbSearchClick(TObject*) {
    // A cancelled search may still be on its way out when Start is pressed
    // again; a second walk inside the first would mix their records.
    if (searching_) return;
    const bool byExtension = rbSetExt->Checked();
    const std::string extensions = ExtensionList();
    const std::string wildcard = Wildcard();
    const std::string folder = SearchFolder();
    // The user box only counts for an extension search: in wildcard mode it
    // is greyed out and could not be put right.
    if (byExtension && chbFileUser->Checked() && Trim(cmbFileUser->Text()).empty()) {
        return Refuse("拡張子の[ユーザ指定]がチェックされていますが\r拡張子が指定されていません\r\r"
                      "拡張子を指定するか、もしくは[ユーザ指定]の\rチェックを外してください",
                      cmbFileUser);
    }
    if (byExtension && extensions.empty()) {
        return Refuse("お好みの拡張子のチェックボックスをチェックしてください", ExtensionCheckBox(1));
    }
    if (!byExtension && wildcard.empty()) return Refuse("ワイルドカードを指定してください", cmbSetWild);
    if (folder.empty()) return Refuse("探したい場所(フォルダ)を指定してください", fvxSearch);
    if (!engine_) return;

    EnterBusy();
    searching_ = true;
    closedWhileSearching_ = false;
    engine_->SetFolder(folder);
    engine_->SetMask(wildcard);
    engine_->SetExtensions(extensions);
    engine_->Cancelled = false;
    engine_->Recursive = chbSearchDirChild->Checked();
    engine_->SetUseExtensions(byExtension);
    engine_->Search();
    searching_ = false;

    // The engine paints its last progress texts as it finishes, which would
    // cover the cancel notice.
    lSearchFolder->SetCaption(engine_->Cancelled ? kCancelled : "");
    const int rows = ResultRows();
    if (rows == 0) {
        lProgress->SetCaption("見つかりませんでした");
        if (resultStatus_) resultStatus_->SetPanelText(0, "ご希望のファイルは見つかりませんでした");
    } else if (resultStatus_) {
        resultStatus_->SetPanelText(0, std::to_string(rows) + "個のファイル");
    }
    LeaveBusy();

    for (TComboBox* box : {cmbFileUser, cmbSetWild}) {
        std::vector<std::string> items = box->Items();
        if (AddToHistory(items, box->Text())) box->InsertItem(0, items.front());
    }
    if (closedWhileSearching_) Fire(ReturnHistories, cmbSetWild->Items(), cmbFileUser->Items());
}

void TfoSetFile::bbFaultClick(TObject*) {
    if (engine_) engine_->Cancelled = true;
    LeaveBusy();
    lSearchFolder->SetCaption(kCancelled);
}

void TfoSetFile::bbHelpClick(TObject*) {
    if (Application) Application->HelpContext(3);
}
