#include "app/set_file_form.h"

#include <algorithm>
#include <cstring>

#include "app/file_lists.h"
#include "app/glyphs.h"
#include "base/files.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "foldertree/shell_folder_tree.h"
#include "search/file_transact_ex.h"
#include "search/search_strings.h"
#include "settings/ini_file.h"
#include "ui/builders.h"
#include "ui/gdi.h"

namespace {
// Where the groups sit on the search page.
const TBounds kGroupBounds[kExtensionGroupCount] = {
    {216, 60, 576, 64}, {216, 128, 284, 42}, {508, 128, 284, 42}, {216, 174, 284, 42}, {508, 174, 284, 42}};

// Check-all and clear-all pictures: a small box with or without its tick.
TSpeedButton::TGlyph BoxGlyph(bool ticked) {
    return [ticked](HDC dc, const RECT& r, bool enabled) {
        const COLORREF ink = enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT);
        RECT box{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
        FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FrameRect(dc, &box, gdi::SolidBrush(ink));
        if (!ticked) return;
        const gdi::Pen pen = gdi::SolidPen(enabled ? RGB(0, 96, 0) : ink, 2);
        const gdi::Select select(dc, pen);
        const POINT tick[] = {{box.left + 3, (box.top + box.bottom) / 2},
                              {box.left + 5, box.bottom - 4},
                              {box.right - 3, box.top + 3}};
        Polyline(dc, tick, 3);
    };
}
}  // namespace

// ---------------------------------------------------------------------------
// The window

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

TfoSetFile::~TfoSetFile() {
    if (Unbind) Unbind();
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
    pnShortCut = AddPanel(this, this, "pnShortCut", alClient);

    lSourceCaption = AddLabel(this, pnShortCut, "lSourceCaption", kSourceFolderCaption, 8, 12);
    lSourceFolder = AddLabel(this, pnShortCut, "lSourceFolder", "",
                             lSourceCaption->Left() + lSourceCaption->Width() + 2, 12);
    sbRecFolder = AddSpeedButton(this, pnShortCut, "sbRecFolder",
                                 kAddShortcut, {8, 34, 420, 26});
    sbRecFolder->SetGlyph(MakeGlyph(gkFolderShortcut));
    sbRecFolder->OnClick = [this](TObject* s) { sbRecFolderClick(s); };

    pmFolderList = new TPopupMenu(this);
    pmFolderList->Name = "pmFolderList";
    pmDeleteSel = new TMenuItem(this);
    pmDeleteSel->Name = "pmDeleteSel";
    pmDeleteSel->SetCaption(kDeleteSelectedMenu);
    pmDeleteSel->OnClick = [this](TObject* s) { pmDeleteSelClick(s); };
    pmFolderList->Items()->Add(pmDeleteSel);
    pmFolderList->OnPopup = [this](TObject* s) { pmFolderListPopup(s); };

    lvFolderList = AddControl<TDragListView>(this, pnShortCut, "lvFolderList", {8, 66, 784, 246});
    lvFolderList->AddColumn(kShortcutColumn, 760);
    lvFolderList->PopupMenu = pmFolderList;
    lvFolderList->OnData = [this](TObject*, TListItemData& item) {
        if (shortcuts_.Valid(item.Index)) item.Caption = shortcuts_[item.Index];
    };
    lvFolderList->OnDblClick = [this](TObject* s) { lvFolderListDblClick(s); };
    lvFolderList->OnChange = [this](TObject* s, int i, bool state) { lvFolderListChange(s, i, state); };
    lvFolderList->OnDragOver = [this](TObject* s, TObject* src, int x, int y, bool& accept) {
        lvFolderListDragOver(s, src, x, y, accept);
    };
    lvFolderList->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) {
        lvFolderListDragDrop(s, src, x, y);
    };

    lGuideDblClick = AddLabel(this, pnShortCut, "lGuideDblClick", kGuideDblClick, 8, 318);
    sbDelSelected = AddSpeedButton(this, pnShortCut, "sbDelSelected", kDeleteSelectedButton, {8, 346, 220, 28});
    sbDelSelected->SetEnabled(false);
    sbDelSelected->OnClick = [this](TObject* s) { sbDelSelectedClick(s); };
    chbAutoClose = AddCheckBox(this, pnShortCut, "chbAutoClose", kAutoClose, {300, 352, 120, 17});
    chbAutoClose->SetChecked(true);
    sbClose = AddSpeedButton(this, pnShortCut, "sbClose", kClose, {700, 346, 92, 28});
    sbClose->OnClick = [this](TObject* s) { sbCloseClick(s); };
}

void TfoSetFile::BuildSearchPage() {
    pnFileSearch = AddPanel(this, this, "pnFileSearch", alClient);

    lHitCaption = AddLabel(this, pnFileSearch, "lHitCaption", kHitCaption, 8, 12);
    lProgress = AddLabel(this, pnFileSearch, "lProgress", "", 76, 12);
    lSearchFolder = AddLabel(this, pnFileSearch, "lSearchFolder", "", 180, 12);
    anm = AddControl<TBusyAnimation>(this, pnFileSearch, "anm", {752, 4, 40, 30});

    gbSearchPlace = AddGroupBox(this, pnFileSearch, "gbSearchPlace", kSearchPlace, {8, 40, 200, 300});
    fvxSearch = new TShellFolderTree(this, gbSearchPlace);
    fvxSearch->Name = "fvxSearch";
    fvxSearch->SetDragAndDrop(false);
    fvxSearch->SetShowRootFolder(false);
    fvxSearch->SetBounds(8, 20, 184, 244);
    chbSearchDirChild =
        AddCheckBox(this, gbSearchPlace, "chbSearchDirChild", kSearchSubfolders, {8, 272, 184, 17});
    chbSearchDirChild->SetChecked(true);

    rbSetExt = AddControl<TRadioButton>(this, pnFileSearch, "rbSetExt", {216, 40, 260, 18});
    rbSetExt->SetCaption(kByExtension);
    rbSetExt->SetChecked(true);
    rbSetExt->OnClick = [this](TObject* s) { rbSetExtClick(s); };
    BuildExtensionGroups(pnFileSearch);

    rbSetWild = AddControl<TRadioButton>(this, pnFileSearch, "rbSetWild", {216, 274, 260, 18});
    rbSetWild->SetCaption(kByWildcard);
    rbSetWild->OnClick = [this](TObject* s) { rbSetExtClick(s); };
    cmbSetWild = AddControl<TComboBox>(this, pnFileSearch, "cmbSetWild", {234, 296, 230, 200});
    cmbSetWild->SetEnabled(false);
    lWildExample = AddLabel(this, pnFileSearch, "lWildExample", kWildExample, 474, 300);
    lWildExample->OnClick = [this](TObject* s) { bbHelpClick(s); };

    bbSearch = AddButton(this, pnFileSearch, "bbSearch", kStartSearch, {444, 350, 84, 26});
    bbSearch->OnClick = [this](TObject* s) { bbSearchClick(s); };
    bbFault = AddButton(this, pnFileSearch, "bbFault", kStopSearch, {532, 350, 84, 26});
    bbFault->SetEnabled(false);
    bbFault->OnClick = [this](TObject* s) { bbFaultClick(s); };
    bbClose = AddButton(this, pnFileSearch, "bbClose", kClose, {620, 350, 84, 26});
    bbClose->OnClick = [this](TObject* s) { sbCloseClick(s); };
    bbHelp = AddButton(this, pnFileSearch, "bbHelp", kHelp, {708, 350, 84, 26});
    bbHelp->OnClick = [this](TObject* s) { bbHelpClick(s); };
}

void TfoSetFile::BuildExtensionGroups(TWinControl* page) {
    using Handler = void (TfoSetFile::*)(TObject*);
    static const Handler handlers[kExtensionGroupCount] = {
        &TfoSetFile::sbChkAll1Click, &TfoSetFile::sbChkAll2Click, &TfoSetFile::sbChkAll3Click,
        &TfoSetFile::sbChkAll4Click, &TfoSetFile::sbChkAll5Click};
    for (int g = 0; g < kExtensionGroupCount; ++g) {
        const TBounds& r = kGroupBounds[g];
        const std::string number = std::to_string(g + 1);
        auto* group = gbExtension[g] =
            AddGroupBox(this, page, "gbExtension" + number, ExtensionGroup(g).Caption, r);
        const Handler handler = handlers[g];
        auto* all = sbChkAll[g] = AddControl<TSpeedButton>(this, group, "sbChkAll" + number, {r.W - 56, 16, 22, 20});
        all->Hint = kCheckAllHint;
        all->SetGlyph(BoxGlyph(true));
        all->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
        const std::string noneName = g == 4 ? std::string("cbChkNot5") : "sbChkNot" + number;
        auto* none = sbChkNot[g] = AddControl<TSpeedButton>(this, group, noneName, {r.W - 30, 16, 22, 20});
        none->Hint = kClearAllHint;
        none->SetGlyph(BoxGlyph(false));
        none->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    }
    // The boxes flow in number order, each as wide as its caption needs,
    // wrapping before the group's buttons.
    const gdi::WindowDC screen;
    const gdi::Select font(screen, EffectiveFont().Handle());
    int x[kExtensionGroupCount], y[kExtensionGroupCount], pad[kExtensionGroupCount];
    std::fill(std::begin(x), std::end(x), 10);
    std::fill(std::begin(y), std::end(y), 18);
    auto captionWidth = [&screen](const char* caption) {
        SIZE text{};
        GetTextExtentPoint32A(screen, caption, static_cast<int>(strlen(caption)), &text);
        return static_cast<int>(text.cx);
    };
    // Each box keeps a few pixels of air after its caption; a group of one
    // row whose boxes would not fit in it packs them closer instead.
    int captions[kExtensionGroupCount] = {}, boxes[kExtensionGroupCount] = {};
    for (const TExtensionBox& e : ExtensionBoxes()) {
        if (e.Hidden) continue;
        const int g = ExtensionGroupOf(e.Number);
        captions[g] += captionWidth(e.Caption);
        ++boxes[g];
    }
    for (int g = 0; g < kExtensionGroupCount; ++g) {
        pad[g] = 22;
        const int room = kGroupBounds[g].W - 58 - 10;
        if (kGroupBounds[g].H < 60 && boxes[g] > 0 && captions[g] + 22 * boxes[g] > room)
            pad[g] = std::max(16, (room - captions[g]) / boxes[g]);
    }
    for (const TExtensionBox& e : ExtensionBoxes()) {
        const int g = ExtensionGroupOf(e.Number);
        auto* box = AddCheckBox(this, gbExtension[g], "chbFile" + std::to_string(e.Number), e.Caption,
                                {10, 18, 40, 17});
        extensionChecks_.push_back({&e, box});
        if (e.Hidden) {
            box->SetVisible(false);
            if (e.Fixed) box->SetEnabled(false);
            continue;
        }
        const int width = captionWidth(e.Caption) + pad[g];
        if (x[g] + width > kGroupBounds[g].W - 58) {
            x[g] = 10;
            y[g] += 22;
        }
        box->SetBounds(x[g], y[g], width, 17);
        x[g] += width;
    }

    gbUserExtension = AddGroupBox(this, page, "gbUserExtension", kOtherExtensions, {216, 220, 576, 46});
    chbFileUser = AddCheckBox(this, gbUserExtension, "chbFileUser", kUserExtension, {10, 20, 98, 17});
    chbFileUser->OnClick = [this](TObject* s) { chbFileUserClick(s); };
    cmbFileUser = AddControl<TComboBox>(this, gbUserExtension, "cmbFileUser", {110, 17, 220, 200});
    cmbFileUser->SetEnabled(false);
    lUserExample = AddLabel(this, gbUserExtension, "lUserExample", kUserExample, 340, 21);
    lUserExample->OnClick = [this](TObject* s) { bbHelpClick(s); };
}

TCheckBox* TfoSetFile::ExtensionCheckBox(int number) const {
    for (const ExtensionCheck& c : extensionChecks_) {
        if (c.Box->Number == number) return c.Control;
    }
    return nullptr;
}

// --- what the main window lends and takes --------------------------------------

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
    shortcuts_.Load([&ini](const std::string& key) { return ini.ReadString("ShortCutFolder", key, ""); });
    lvFolderList->ClearSelection();
    ShowFolders();
}

void TfoSetFile::SetShortcutFolders(std::vector<std::string> folders) {
    shortcuts_.Assign(std::move(folders));
    lvFolderList->ClearSelection();
    ShowFolders();
}

void TfoSetFile::ShowFolders() {
    lvFolderList->SetItemCount(shortcuts_.Count());
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

// --- page 1: the shortcut list -------------------------------------------------

void TfoSetFile::FormActivate(TObject*) {
    if (page_ == 1) {
        for (TLabel* l : {lHitCaption, lProgress, lSearchFolder}) l->SetCaption("");
        return;
    }
    const std::string folder = lSourceFolder->Caption();
    const int i = shortcuts_.Find(folder);
    sbRecFolder->SetEnabled(i < 0 && DirectoryExists(folder));
    if (i >= 0) {
        lvFolderList->SetFocusedItem(i);
        lvFolderList->MakeVisible(i);
    }
}

void TfoSetFile::sbRecFolderClick(TObject*) {
    const int i = shortcuts_.Add(lSourceFolder->Caption());
    ShowFolders();
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
    if (!shortcuts_.Remove(index)) return;
    lvFolderList->ClearSelection();
    ShowFolders();
}

void TfoSetFile::lvFolderListDblClick(TObject*) {
    const int i = lvFolderList->Selected();
    if (!shortcuts_.Valid(i)) return;
    const std::string path = shortcuts_[i];
    if (DirectoryExists(path)) {
        Fire(SelectMainFolder, path);
        AutoClose();
        return;
    }
    if (TellUser(TSeverity::Warning, kMissingShortcutBefore + path + kMissingShortcutAfter, TAnswers::YesNo) == IDYES)
        RemoveFolder(i);
}

void TfoSetFile::lvFolderListChange(TObject*, int, bool) {
    sbDelSelected->SetEnabled(lvFolderList->Selected() >= 0);
}

void TfoSetFile::lvFolderListDragOver(TObject*, TObject* Source, int, int, bool& Accept) {
    Accept = Source == lvFolderList;
}

void TfoSetFile::lvFolderListDragDrop(TObject*, TObject*, int X, int Y) {
    const int moved = shortcuts_.Move(lvFolderList->Selected(), lvFolderList->ItemAt(X, Y));
    if (moved < 0) return;
    lvFolderList->ClearSelection();
    ShowFolders();
    lvFolderList->SetSelected(moved);
}

void TfoSetFile::pmFolderListPopup(TObject*) { pmDeleteSel->SetEnabled(lvFolderList->Selected() >= 0); }

void TfoSetFile::pmDeleteSelClick(TObject*) {
    const int i = lvFolderList->Selected();
    if (!shortcuts_.Valid(i)) return;
    // This one question sounds the question beep.
    TTellOptions sound;
    sound.Sound = MB_ICONQUESTION;
    if (TellUser(TSeverity::Question, shortcuts_[i] + kRemoveShortcutAfter, TAnswers::YesCancel, sound) != IDCANCEL)
        RemoveFolder(i);
}

void TfoSetFile::sbDelSelectedClick(TObject*) {
    const int i = lvFolderList->Selected();
    if (!shortcuts_.Valid(i)) return;
    if (TellUser(TSeverity::Warning, kRemoveSelectedShortcut, TAnswers::YesCancel) == IDYES) RemoveFolder(i);
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
    for (const ExtensionCheck& c : extensionChecks_) {
        if (!c.Box->Fixed) c.Control->SetEnabled(byExtension);
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
    for (const ExtensionCheck& c : extensionChecks_) {
        if (ExtensionGroupOf(c.Box->Number) == group && !c.Box->Fixed) c.Control->SetChecked(check);
    }
}

void TfoSetFile::sbChkAll1Click(TObject* Sender) { ChkAllClick(Sender, 0); }
void TfoSetFile::sbChkAll2Click(TObject* Sender) { ChkAllClick(Sender, 1); }
void TfoSetFile::sbChkAll3Click(TObject* Sender) { ChkAllClick(Sender, 2); }
void TfoSetFile::sbChkAll4Click(TObject* Sender) { ChkAllClick(Sender, 3); }
void TfoSetFile::sbChkAll5Click(TObject* Sender) { ChkAllClick(Sender, 4); }

std::string TfoSetFile::ExtensionList() const {
    std::vector<std::string> checked;
    // The boxes are kept in number order, which is the order of the list.
    for (const ExtensionCheck& c : extensionChecks_) {
        if (c.Control->Checked()) checked.push_back(c.Box->Caption);
    }
    return BuildExtensionList(checked, chbFileUser->Checked(), cmbFileUser->Text());
}

std::string TfoSetFile::Wildcard() const { return Trim(cmbSetWild->Text()); }

std::string TfoSetFile::SearchFolder() const { return fvxSearch->SelectedFolder(); }

void TfoSetFile::Refuse(const std::string& text, TWinControl* focus) {
    TellUser(TSeverity::Information, text);
    if (focus && focus->CanFocus()) focus->SetFocus();
}

void TfoSetFile::EnterBusy() {
    anm->SetActive(true);
    bbSearch->SetEnabled(false);
    bbClose->SetEnabled(false);
    bbHelp->SetEnabled(false);
    bbFault->SetEnabled(true);
    lHitCaption->SetCaption(kBusyCaption);
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
        return Refuse(kUserExtensionBlank, cmbFileUser);
    }
    if (byExtension && extensions.empty()) {
        return Refuse(kNoExtensionChecked, ExtensionCheckBox(1));
    }
    if (!byExtension && wildcard.empty()) return Refuse(kNoWildcard, cmbSetWild);
    if (folder.empty()) return Refuse(kNoFolder, fvxSearch);
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
        lProgress->SetCaption(kNotFound);
        if (resultStatus_) resultStatus_->SetPanelText(0, kNothingFound);
    } else if (resultStatus_) {
        resultStatus_->SetPanelText(0, std::to_string(rows) + kFilesFound);
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
