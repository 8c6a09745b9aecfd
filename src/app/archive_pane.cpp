#include "app/archive_pane.h"

#include "app/glyphs.h"
#include "archive/archive_rows.h"
#include "base/strutil.h"
#include "search/win_file_platform.h"
#include "ui/gdi.h"

namespace {
const char kAllFiles[] = "[ALL Files:]";

// A small text for the buttons that have no picture of their own.
TSpeedButton::TGlyph TextGlyph(const char* text) {
    return [text](HDC dc, const RECT& r, bool enabled) {
        RECT box = r;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        const gdi::Select font(dc, TFont::Of(11, true).Handle());
        DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
}

struct ViewButton {
    const char* name;
    const char* hint;
    int group;  // 1: the styles; 2..7: columns 1..6; 8: grid lines
    int glyph; // a TGlyphKind, or -1 for the text below
    const char* text;
};
const ViewButton kViewButtons[] = {
    {"sbShowLargeIconARC", "大きいアイコン", 1, gkLargeIcons, nullptr},
    {"sbShowSmallIconARC", "小さいアイコン", 1, gkSmallIcons, nullptr},
    {"sbShowListARC", "一覧", 1, gkListStyle, nullptr},
    {"sbShowReportARC", "詳細", 1, gkReportStyle, nullptr},
    {"sbShowEraseSizeARC", "【サイズ】表示", 2, gkColumnSize, nullptr},
    {"sbShowEraseTypeARC", "【ファイルの種類】表示", 3, gkColumnType, nullptr},
    {"sbShowEraseCompSizeARC", "【圧縮サイズ】表示", 4, -1, "CS"},
    {"sbShowEraseCompRateARC", "【圧縮率】表示", 5, -1, "%"},
    {"sbShowEraseDateARC", "【更新日時】表示", 6, gkColumnDate, nullptr},
    {"sbShowEraseFolderARC", "【フォルダ】表示", 7, gkColumnFolder, nullptr},
    {"sbShowGridARC", "グリッドライン表示", 8, gkGridLines, nullptr},
};
} // namespace

TArchivePane::TArchivePane(TArchivePaneHost& host, const TArchivePaneParts& parts)
    : paneHost_(host), parts_(parts), host_(parts.Window) {
    control_ = std::make_unique<TArchiveControl>(api_, host_);
    ac = control_.get();
    ConfigureControl();
    BuildControls();
    BuildToolbar();

    treePort_ = std::make_unique<TArchiveTreeAdapter>(tvArchive);
    listPort_ = std::make_unique<TArchiveListAdapter>(lvArchive);
    operation_ = std::make_unique<TArchiveOperation>(operationHost_, WinFilePlatform());
    operation_->Control = ac;
    operation_->Tree = treePort_.get();
    operation_->List = listPort_.get();
    operation_->SetWorkFolder(host.WorkFolderPath());
    operation_->ClearWorkFolderOnDestroy = true;
    SetArchiveImages(*operation_, tvArchive, lvArchive);
}

TArchivePane::~TArchivePane() {
    DetachHandlers();
    operation_.reset();
    control_.reset();
}

void TArchivePane::ConfigureControl() {
    ac->SilentMode = true;
    ac->LhaOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
    ac->LhaOptions.AdjustArcTime = false;
    ac->LhaOptions.FileRecurseMode = false;
    ac->LhaOptions.IgnoreBrokenHeader = false;
    ac->LhaOptions.ShortFileName = false;
    ac->CabOptions.CompressType = ctMsZip;
    ac->CabOptions.ExtractOptions = {eoOverWrite};
    ac->CabOptions.MultiVolume = false;
    ac->CabOptions.ShortFileName = false;
    ac->TarOptions.ExtractOptions = {};
    ac->TarOptions.GNUTarHeader = false;
    ac->ArjOptions.ExtractOptions = {eoOverWrite, eoIncludeHidden};
    ac->RarOptions.ExtractOptions = {eoOverWrite};
    ac->ZipOptions.ExtractOptions = {eoOverWrite};
    ac->SevenZipOptions.ExtractOptions = {eoOverWrite};
}

void TArchivePane::BuildControls() {
    TComponent* owner = parts_.Owner;
    TPanel* base = parts_.Base;
    base->DisableAlign();
    auto panel = [owner](TWinControl* parent, const char* name, TAlign align, int width) {
        auto* p = new TPanel(owner, parent);
        p->Name = name;
        p->BevelOuter = bvNone;
        if (width) p->SetWidth(width);
        p->SetAlign(align);
        return p;
    };
    pnArchiveTv = panel(base, "pnArchiveTv", alLeft, 162);
    spArchiveTv = new TSplitter(owner, base);
    spArchiveTv->Name = "spArchiveTv";
    spArchiveTv->SetBounds(0, 0, 3, 3);
    spArchiveTv->SetAlign(alLeft);
    pnArchiveLV = panel(base, "pnArchiveLV", alClient, 0);

    sbArchiveInfo = new TStatusBar(owner, pnArchiveTv);
    sbArchiveInfo->Name = "sbArchiveInfo";
    sbArchiveInfo->AddPanel(70, "ファイル数");
    sbArchiveInfo->AddPanel(50);
    SetWindowLongA(sbArchiveInfo->Handle(), GWL_STYLE,
                   GetWindowLongA(sbArchiveInfo->Handle(), GWL_STYLE) & ~SBARS_SIZEGRIP);

    tvArchive = new TTreeView(owner, pnArchiveTv);
    tvArchive->Name = "tvArchive";
    tvArchive->SetAlign(alClient);
    SendMessageA(tvArchive->Handle(), TVM_SETINDENT, 19, 0);
    tvArchive->OnChange = [this](TObject* s, TTreeNode n) { tvArchiveChange(s, n); };
    tvArchive->OnExpanding = [this](TObject* s, TTreeNode n, bool& allow) {
        tvArchiveExpanding(s, n, allow);
    };

    lvArchive = new TListView(owner, pnArchiveLV);
    lvArchive->Name = "lvArchive";
    lvArchive->SetAlign(alClient);
    for (auto [caption, width] : {std::pair<const char*, int>{"名前", 100},
                                  {"サイズ", 85},
                                  {"ファイルの種類", 175},
                                  {"圧縮サイズ", 85},
                                  {"圧縮率", 55},
                                  {"更新日時", 175},
                                  {"フォルダ", 100}}) {
        lvArchive->AddColumn(caption, width);
    }
    TFont font;
    font.Name = "ＭＳ ゴシック";
    font.Height = 13;
    lvArchive->SetFont(font);
    // Column contents follow the header while a column is dragged wider.
    if (HWND header =
            reinterpret_cast<HWND>(SendMessageA(lvArchive->Handle(), LVM_GETHEADER, 0, 0)))
        SetWindowLongA(header, GWL_STYLE, GetWindowLongA(header, GWL_STYLE) | HDS_FULLDRAG);
    lvArchive->OnData = [this](TObject* s, TListItemData& item) { lvArchiveData(s, item); };
    lvArchive->OnChange = [this](TObject* s, int i, bool state) { lvArchiveChange(s, i, state); };
    lvArchive->OnColumnClick = [this](TObject* s, int c) { lvArchiveColumnClick(s, c); };
    lvArchive->OnDblClick = [this](TObject* s) { lvArchiveDblClick(s); };

    pnArchiveTv->OnResize = [this](TObject* s) { pnArchiveTvResize(s); };
    pnArchiveLV->OnResize = [this](TObject* s) { pnArchiveLVResize(s); };
    base->EnableAlign();
}

void TArchivePane::BuildToolbar() {
    TPanel* bar = parts_.Toolbar;
    sbArchiveExprs = new TSpeedButton(parts_.Owner, bar);
    sbArchiveExprs->Name = "sbArchiveExprs";
    sbArchiveExprs->SetCaption("選択ファイルを表示[ALT-RETURN]");
    sbArchiveExprs->Hint = "選択ファイルを表示[ALT-RETURN]";
    sbArchiveExprs->SetBounds(1, 1, 226, bar->Height() - 2);
    // The whole caption has to fit the button's fixed width.
    sbArchiveExprs->SetFont(TFont::Of(12));
    sbArchiveExprs->SetEnabled(false);
    sbArchiveExprs->OnClick = [this](TObject* s) { sbArchiveExprsClick(s); };

    int x = 232;
    int group = 0;
    int styles = 0;
    for (const ViewButton& v : kViewButtons) {
        if (v.group != group && group != 0 && (v.group == 2 || v.group == 8)) x += 6;
        group = v.group;
        auto* b = new TSpeedButton(parts_.Owner, bar);
        b->Name = v.name;
        b->Hint = v.hint;
        b->SetBounds(x, 1, 22, bar->Height() - 2);
        b->SetGlyph(v.glyph >= 0 ? MakeGlyph(static_cast<TGlyphKind>(v.glyph)) : TextGlyph(v.text));
        b->GroupIndex = v.group;
        b->AllowAllUp = v.group != 1;
        if (v.group != 1) b->SetDown(true);
        x += 22;
        // The file lists' view commands bind them, as they do their own.
        if (v.group == 1) ViewButtons.Styles[styles++] = b;
        else if (v.group == 8) ViewButtons.Grid = b;
        else ViewButtons.Columns[v.group - 2] = b;
    }
    ViewButtons.Styles[3]->SetDown(lvArchive->ViewStyle() == vsReport);
}

void TArchivePane::DetachHandlers() {
    tvArchive->OnChange = nullptr;
    tvArchive->OnExpanding = nullptr;
    lvArchive->OnData = nullptr;
    lvArchive->OnChange = nullptr;
    lvArchive->OnColumnClick = nullptr;
    lvArchive->OnDblClick = nullptr;
    pnArchiveTv->OnResize = nullptr;
    pnArchiveLV->OnResize = nullptr;
    sbArchiveExprs->OnClick = nullptr;
}

// --- what the main window calls ------------------------------------------------------

bool TArchivePane::PreviewArchive(const std::string& path, bool isArchiveMember) {
    if (ac->Busy()) return false;
    operation_->Open(path);
    if (!isArchiveMember) {
        TTreeNode first = tvArchive->FirstNode();
        TTreeNode second = first ? tvArchive->NextNode(first) : nullptr;
        if (second && tvArchive->Text(second) == kAllFiles) {
            tvArchive->Select(second);
        } else if (first) {
            tvArchive->Select(first);
        }
    }
    // Encrypted headers hide even the member names: say why the list is empty.
    if (operation_->ArchiveEncrypted())
        paneHost_.ShowStatus("暗号化されているため表示できません: " + ExtractFileName(path));
    return true;
}

void TArchivePane::ShowSelectedMember() {
    const int index = lvArchive->Selected();
    const auto& rows = operation_->Rows();
    if (index < 0 || index >= static_cast<int>(rows.size())) return;
    // A copy: opening a nested archive refills the rows.
    const TArchiveRow row = rows[static_cast<std::size_t>(index)];
    if (operation_->IsArchiveName(row.Caption)) {
        // The tree's change handler opens and lists it.
        if (!operation_->SelectNestedNode(row)) operation_->SelectNodeByName(row.Caption);
        return;
    }
    operation_->ExtractItem(&row);
    if (operation_->LastWasEncrypted()) {
        paneHost_.ShowStatus("暗号化されているため表示できません: " + row.Caption);
        return;
    }
    const std::string extracted = operation_->LastExtracted();
    paneHost_.PreviewMember(extracted);
    // A damaged member, or one too large for this build, says so.
    if (extracted.empty()) paneHost_.ShowStatus("展開できませんでした: " + row.Caption);
}

void TArchivePane::SelectNext(bool down) {
    const int count = lvArchive->ItemCount();
    if (count <= 0) return;
    const int selected = lvArchive->Selected();
    const int index = selected < 0 ? 0 : selected + (down ? 1 : -1);
    if (index < 0 || index >= count) return;
    lvArchive->SetSelected(index);
    lvArchive->MakeVisible(index);
    lvArchive->Repaint();
}

// --- handlers --------------------------------------------------------------------------

void TArchivePane::tvArchiveChange(TObject* Sender, TTreeNode node) {
    if (!node) return;
    // An unopened nested archive opens when it is chosen, not only when
    // its button is clicked.
    if (tvArchive->HasChildren(node) && !tvArchive->FirstChild(node)) {
        bool allow = true;
        tvArchiveExpanding(Sender, node, allow);
        if (allow) tvArchive->Expand(node);
    }
    operation_->ShowList(node);
    // The rows went without a word to the list's change handler; no row is
    // selected now, so the button follows here.
    lvArchiveChange(lvArchive, -1, true);
    sbArchiveInfo->SetPanelText(1, " " + Format("%d", lvArchive->ItemCount()));
    sbArchiveInfo->Repaint();
}

void TArchivePane::tvArchiveExpanding(TObject*, TTreeNode node, bool& allowExpansion) {
    allowExpansion = operation_->OnExpanding(node);
}

void TArchivePane::lvArchiveDblClick(TObject*) {
    ShowSelectedMember();
}

void TArchivePane::sbArchiveExprsClick(TObject*) {
    ShowSelectedMember();
}

void TArchivePane::lvArchiveChange(TObject*, int, bool) {
    sbArchiveExprs->SetEnabled(lvArchive->Selected() >= 0);
}

void TArchivePane::lvArchiveColumnClick(TObject*, int column) {
    if (column < 0 || column >= 7) return;
    auto& rows = operation_->Rows();
    // The selected member stays selected wherever it moves.
    const int selected = lvArchive->Selected();
    std::string key;
    if (selected >= 0 && selected < static_cast<int>(rows.size())) {
        const TArchiveRow& r = rows[static_cast<std::size_t>(selected)];
        key = r.Archive + '\n' + r.Path + '\n' + r.Name;
    }
    unsigned char& ascending = paneHost_.SortAscending(column);
    SortArchiveRows(rows, column, ascending != 0);
    ascending = !ascending;
    lvArchive->Invalidate();
    if (key.empty()) return;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Archive + '\n' + rows[i].Path + '\n' + rows[i].Name == key) {
            lvArchive->SetSelected(static_cast<int>(i));
            lvArchive->MakeVisible(static_cast<int>(i));
            break;
        }
    }
}

void TArchivePane::lvArchiveData(TObject*, TListItemData& item) {
    const auto& rows = operation_->Rows();
    if (item.Index < 0 || item.Index >= static_cast<int>(rows.size())) return;
    const TArchiveRow& r = rows[static_cast<std::size_t>(item.Index)];
    item.Caption = r.Caption;
    item.ImageIndex = r.ImageIndex;
    item.SubItems = r.SubItems;
}

void TArchivePane::pnArchiveTvResize(TObject*) {
    if (TTreeNode node = tvArchive->Selected())
        SendMessageA(tvArchive->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
}

void TArchivePane::pnArchiveLVResize(TObject*) {
    const int selected = lvArchive->Selected();
    if (selected >= 0) lvArchive->MakeVisible(selected);
}
