#include "app/file_lists.h"

#include "app/glyphs.h"
#include <algorithm>
#include "base/sjis.h"
#include "base/strutil.h"
#include "search/search_text.h"
#include "ui/extctrls.h"
#include "ui/forms.h"

namespace {
struct ViewCommand {
    const char* command; // part of the control names
    const char* hint;    // button tooltip
    const char* caption; // menu caption
    TGlyphKind glyph;
};

const ViewCommand kStyles[] = {
    {"LargeIcon", "大きいアイコン", "大きいアイコン(&G)", gkLargeIcons},
    {"SmallIcon", "小さいアイコン", "小さいアイコン(&M)", gkSmallIcons},
    {"List", "一覧", "一覧(&L)", gkListStyle},
    {"Report", "詳細", "詳細(&D)", gkReportStyle},
};
const ViewCommand kGrid = {"Grid", "グリッドライン表示", "グリッドラインを表示", gkGridLines};

// A column counts as shown only when it is wider than 5 pixels.
bool ColumnShown(TListView* list, int column) {
    return list->ColumnWidth(column) > 5;
}
} // namespace

TFileLists::TFileLists(TFileListsHost& host, const TFileListsParts& parts) : host_(host), parts_(parts) {
    TComponent* owner = parts.Owner;
    fvx = new TShellFolderTree(owner, parts.FolderPanel);
    fvx->Name = "fvx";
    fvx->SetDragAndDrop(false);
    fvx->SetAlign(alClient);
    fvx->OnChange = [this](TObject* s, const std::string& folder) { fvxChange(s, folder); };
    parts.RefreshButton->OnClick = [this](TObject*) { fvx->RefreshKeepState(); };

    pmLv = new TPopupMenu(owner);
    pmLv->Name = "pmLv";
    pmExplorer = new TMenuItem(owner);
    pmExplorer->Name = "pmExplorer";
    pmExplorer->SetCaption("エクスプローラ");
    pmLv->Items()->Add(pmExplorer);
    pmLv->OnPopup = [this](TObject*) {
        auto* list = dynamic_cast<TListView*>(pmLv->PopupComponent);
        pmExplorer->SetEnabled(list && list->Selected() >= 0);
    };
    pmExplorer->OnClick = [this](TObject*) { host_.ShowInExplorer(); };

    lvFile = new TListView(owner, parts.FilePanel);
    lvFile->Name = "lvFile";
    for (auto [caption, width] : {std::pair<const char*, int>{"名前", 100},
                                  {"サイズ", 85},
                                  {"ファイルの種類", 85},
                                  {"更新日時", 55},
                                  {"属性", 50}}) {
        lvFile->AddColumn(caption, width);
    }
    TFont listFont;
    listFont.Name = "ＭＳ ゴシック";
    listFont.Height = 13;
    lvFile->SetFont(listFont);
    lvFile->SetGridLines(true);
    BuildList(lvFile);
    lvFile->OnData = [this](TObject* s, TListItemData& item) { lvFileData(s, item); };
    lvFile->OnDataHint = [this](TObject* s, int from, int to) { lvFileDataHint(s, from, to); };
    lvFile->OnColumnClick = [this](TObject* s, int c) { lvFileColumnClick(s, c); };

    lvCorrect = new TListView(owner, parts.SearchPage);
    lvCorrect->Name = "lvCorrect";
    for (const char* caption : {"名前", "サイズ", "ファイルの種類", "更新日時", "フォルダ"}) {
        lvCorrect->AddColumn(caption, 50);
    }
    BuildList(lvCorrect);
    lvCorrect->OnData = [this](TObject* s, TListItemData& item) { lvCorrectData(s, item); };
    lvCorrect->OnDataHint = [this](TObject* s, int from, int to) {
        lvCorrectDataHint(s, from, to);
    };
    lvCorrect->OnColumnClick = [this](TObject* s, int c) { lvCorrectColumnClick(s, c); };
    // An empty result list leads to the search page.
    lvCorrect->OnClick = [this](TObject*) {
        if (lvCorrect->ItemCount() == 0) host_.OpenSearchPage();
    };
    views_[vlFile].List = lvFile;
    views_[vlCorrect].List = lvCorrect;

    BuildViewButtons(vlFile, parts.FileToolbar, "SEL", false);
    BuildViewButtons(vlCorrect, parts.SearchToolbar, "Cor", true);
    parts.LaunchFileButton->OnClick = [this](TObject*) { Launch(lvFile); };
    parts.LaunchSearchButton->OnClick = [this](TObject*) { Launch(lvCorrect); };
    parts.FileToolbar->OnDblClick = [this](TObject* s) { pnTbFileSelDblClick(s); };

    BuildViewMenu(vlFile, "mmShowStyleFile", "ファイルセレクタ(&S)", "SEL",
                  {{"EraseSize", "【サイズ】を表示"},
                   {"EraseType", "【ファイルの種類】を表示"},
                   {"EraseDate", "【更新日時】を表示"},
                   {"EraseAttr", "【属性】を表示"}});
    BuildViewMenu(vlCorrect, "mmShowStyleCorrect", "ファイルコレクタ(&C)", "Cor",
                  {{"EraseSize", "【サイズ】を表示"},
                   {"EraseType", "【ファイルの種類】を表示"},
                   {"EraseDate", "【更新日時】を表示"},
                   {"EraseFolder", "【フォルダ】を表示"}});
    host_.MenusChanged();
}

TFileLists::~TFileLists() { DetachHandlers(); }

void TFileLists::DetachHandlers() {
    fvx->OnChange = nullptr;
    for (TListView* list : {lvFile, lvCorrect}) {
        list->OnData = nullptr;
        list->OnDataHint = nullptr;
        list->OnColumnClick = nullptr;
        list->OnChange = nullptr;
        list->OnDblClick = nullptr;
        list->OnClick = nullptr;
    }
    pmLv->OnPopup = nullptr;
    pmExplorer->OnClick = nullptr;
    for (TSpeedButton* b : {parts_.RefreshButton, parts_.LaunchFileButton, parts_.LaunchSearchButton})
        b->OnClick = nullptr;
    parts_.FileToolbar->OnDblClick = nullptr;
    for (TViewControls& v : views_) {
        for (TSpeedButton* b : v.StyleButtons)
            if (b) b->OnClick = nullptr;
        for (TMenuItem* m : v.StyleItems)
            if (m) m->OnClick = nullptr;
        for (TSpeedButton* b : v.ColumnButtons)
            if (b) b->OnClick = nullptr;
        for (TMenuItem* m : v.ColumnItems)
            if (m) m->OnClick = nullptr;
        if (v.GridButton) v.GridButton->OnClick = nullptr;
        if (v.GridItem) v.GridItem->OnClick = nullptr;
    }
}

void TFileLists::BuildList(TListView* list) {
    list->SetAlign(alClient);
    list->PopupMenu = pmLv;
    list->OnChange = [this](TObject* s, int index, bool state) { lvFileChange(s, index, state); };
    list->OnDblClick = [this](TObject* s) { Launch(static_cast<TListView*>(s)); };
}

void TFileLists::BuildViewButtons(TViewList which, TWinControl* bar, const char* tag,
                                  bool folderColumn) {
    TViewControls& v = views_[which];
    int x = 29;
    auto add = [&](const ViewCommand& c, int group, bool allowAllUp) {
        auto* b = new TSpeedButton(parts_.Owner, bar);
        b->Name = std::string("sbShow") + c.command + tag;
        b->Hint = c.hint;
        b->SetBounds(x, 1, 22, bar->Height() - 2);
        b->SetGlyph(MakeGlyph(c.glyph));
        b->GroupIndex = group;
        b->AllowAllUp = allowAllUp;
        x += 22;
        return b;
    };
    for (int i = 0; i < 4; ++i) v.StyleButtons[i] = add(kStyles[i], 1, false);
    x += 6;
    const ViewCommand columns[] = {
        {"EraseSize", "【サイズ】表示", "", gkColumnSize},
        {"EraseType", "【ファイルの種類】表示", "", gkColumnType},
        {"EraseDate", "【更新日時】表示", "", gkColumnDate},
        folderColumn ? ViewCommand{"EraseFolder", "【フォルダ】表示", "", gkColumnFolder}
                     : ViewCommand{"EraseAttr", "【属性】表示", "", gkColumnAttr},
    };
    int group = 2;
    for (const ViewCommand& c : columns) {
        TSpeedButton* b = add(c, group++, true);
        b->SetDown(true);
        v.Columns.push_back(static_cast<int>(v.ColumnButtons.size()) + 1);
        v.ColumnButtons.push_back(b);
    }
    x += 6;
    v.GridButton = add(kGrid, group, true);
    v.GridButton->SetDown(true);
    BindViewButtons(which);
}

void TFileLists::BindViewButtons(TViewList which) {
    TViewControls& v = views_[which];
    const TViewStyle styles[] = {vsIcon, vsSmallIcon, vsList, vsReport};
    for (int i = 0; i < 4; ++i) {
        const TViewCommand command{TViewCommand::vcStyle, styles[i]};
        if (v.StyleButtons[i])
            v.StyleButtons[i]->OnClick = [this, which, command](TObject*) { RunViewCommand(which, command); };
    }
    for (std::size_t i = 0; i < v.ColumnButtons.size(); ++i) {
        const TViewCommand command{TViewCommand::vcColumn, vsReport, v.Columns[i]};
        if (v.ColumnButtons[i])
            v.ColumnButtons[i]->OnClick = [this, which, command](TObject*) { RunViewCommand(which, command); };
    }
    if (v.GridButton)
        v.GridButton->OnClick = [this, which](TObject*) { RunViewCommand(which, {TViewCommand::vcGrid}); };
}

void TFileLists::BuildViewMenu(TViewList which, const char* name, const char* caption, const char* tag,
                               const std::vector<std::pair<const char*, const char*>>& columns) {
    TMenuItem* parent = parts_.ViewMenu;
    if (!parent) return;
    TViewControls& v = views_[which];
    auto item = [&](TMenuItem* under, const std::string& itemName, const char* text) {
        auto* m = new TMenuItem(parts_.Owner);
        m->Name = itemName;
        m->SetCaption(text);
        return under->Add(m);
    };
    TMenuItem* sub = item(parent, name, caption);
    const TViewStyle styles[] = {vsIcon, vsSmallIcon, vsList, vsReport};
    for (int i = 0; i < 4; ++i) {
        const TViewCommand command{TViewCommand::vcStyle, styles[i]};
        v.StyleItems[i] = item(sub, std::string("mmShow") + kStyles[i].command + tag, kStyles[i].caption);
        v.StyleItems[i]->OnClick = [this, which, command](TObject*) { RunViewCommand(which, command); };
    }
    item(sub, std::string("mmShowSep") + tag, "-");
    v.GridItem = item(sub, std::string("mmShowGrid") + tag, kGrid.caption);
    v.GridItem->OnClick = [this, which](TObject*) { RunViewCommand(which, {TViewCommand::vcGrid}); };
    int column = 1;
    for (const auto& [command, text] : columns) {
        const TViewCommand toggle{TViewCommand::vcColumn, vsReport, column++};
        TMenuItem* m = item(sub, std::string("mmShow") + command + tag, text);
        m->OnClick = [this, which, toggle](TObject*) { RunViewCommand(which, toggle); };
        v.ColumnItems.push_back(m);
    }
}

void TFileLists::AttachArchiveList(TListView* list, const TViewButtons& buttons) {
    TViewControls& v = views_[vlArchive];
    if (v.List) return;
    v.List = list;
    std::copy(std::begin(buttons.Styles), std::end(buttons.Styles), v.StyleButtons);
    for (int i = 0; i < 6; ++i) {
        v.Columns.push_back(i + 1);
        v.ColumnButtons.push_back(buttons.Columns[i]);
    }
    v.GridButton = buttons.Grid;
    BindViewButtons(vlArchive);
    BuildViewMenu(vlArchive, "mmShowStyleArchive", "アーカイブセレクタ(&A)", "ARC",
                  {{"EraseSize", "【サイズ】を表示"},
                   {"EraseType", "【ファイルの種類】を表示"},
                   {"EraseCompSize", "【圧縮サイズ】を表示"},
                   {"EraseCompRate", "【圧縮率】を表示"},
                   {"EraseDate", "【更新日時】を表示"},
                   {"EraseFolder", "【フォルダ】を表示"}});
    host_.MenusChanged();
    SyncViewControls();
}

void TFileLists::FirstActivation() {
    if (!fileEngine_) {
        fileEngine_ = std::make_unique<TFileTransactEx>();
        correctEngine_ = std::make_unique<TFileTransactEx>();
        correctEngine_->SearchRows = true;
        fileEngine_->SetListView(lvFile);
        correctEngine_->SetListView(lvCorrect);
    }
    SyncViewControls();
}

// --- filling and answering the lists ------------------------------------------------

void TFileLists::fvxChange(TObject*, const std::string& folder) {
    if (!fileEngine_) return;
    THourGlass hourglass;
    fileEngine_->SetFolder(folder);
    fileEngine_->Execute();
    fileEngine_->SortByName();
    SendMessageA(lvFile->Handle(), WM_SETREDRAW, FALSE, 0);
    lvFile->SetItemCount(fileEngine_->RecordCount());
    lvFile->ClearSelection();
    SendMessageA(lvFile->Handle(), WM_SETREDRAW, TRUE, 0);
    lvFile->Invalidate();
    const int n = fileEngine_->Count();
    host_.ShowFolderCount(" " + Format("%d", n) + (n < 2 ? "File" : "Files"));
}

TFileTransactEx* TFileLists::EngineOf(TObject* list) const {
    if (list == lvFile) return fileEngine_.get();
    if (list == lvCorrect) return correctEngine_.get();
    return nullptr;
}

void TFileLists::RowData(TFileTransactEx* engine, TListView* list, TListItemData& item) {
    if (!engine) return;
    TRowData row = engine->RowData(item.Index, list->ViewStyle() == vsReport);
    item.Caption = std::move(row.Caption);
    item.ImageIndex = row.ImageIndex;
    item.SubItems = std::move(row.SubItems);
}

void TFileLists::lvFileData(TObject*, TListItemData& item) {
    RowData(fileEngine_.get(), lvFile, item);
}
void TFileLists::lvCorrectData(TObject*, TListItemData& item) {
    RowData(correctEngine_.get(), lvCorrect, item);
}

void TFileLists::lvFileDataHint(TObject*, int from, int to) {
    if (fileEngine_) fileEngine_->FillDetails(from, to);
}
void TFileLists::lvCorrectDataHint(TObject*, int from, int to) {
    if (correctEngine_) correctEngine_->FillDetails(from, to);
}

void TFileLists::lvFileColumnClick(TObject*, int column) {
    if (fileEngine_) fileEngine_->SortByColumn(column);
}
void TFileLists::lvCorrectColumnClick(TObject*, int column) {
    if (correctEngine_) correctEngine_->SortByColumn(column);
}

void TFileLists::lvFileChange(TObject* Sender, int, bool stateChange) {
    auto* list = dynamic_cast<TListView*>(Sender);
    // While the main window goes away its lists still report their last changes.
    if (!stateChange || !list || host_.Closing() || !list->Handle()) return;
    TFileTransactEx* engine = EngineOf(list);
    const int selected = list->Selected();
    if (!engine || selected < 0) return;
    host_.PreviewSelected(selected, engine->PathOf(selected), lastIndex_[list == lvFile ? 0 : 1]);
}

std::string TFileLists::SelectedPath(int tabIndex) const {
    TListView* list = ListOfTab(tabIndex);
    TFileTransactEx* engine = EngineOf(list);
    return engine ? engine->PathOf(list->Selected()) : "";
}

void TFileLists::SelectNext(int tabIndex, bool down) {
    TListView* list = ListOfTab(tabIndex);
    const int count = list->ItemCount();
    if (count <= 0) return;
    const int selected = list->Selected();
    const int index = selected < 0 ? 0 : selected + (down ? 1 : -1);
    if (index < 0 || index >= count) return;
    list->SetSelected(index);
    list->MakeVisible(index);
    lastIndex_[tabIndex == 0 ? 0 : 1] = index;
    list->Repaint();
}

void TFileLists::FocusList(int tabIndex) {
    TListView* list = ListOfTab(tabIndex);
    if (list->CanFocus()) list->SetFocus();
}

void TFileLists::Launch(TListView* list) {
    TFileTransactEx* engine = EngineOf(list);
    if (!engine) return;
    const std::string path = engine->PathOf(list->Selected());
    if (!path.empty()) host_.LaunchFile(path);
}

// --- view commands ------------------------------------------------------------------

void TFileLists::RunViewCommand(TViewList which, const TViewCommand& command) {
    TListView* list = views_[which].List;
    if (!list) return;
    switch (command.Kind) {
    case TViewCommand::vcStyle:
        list->SetViewStyle(command.Style);
        break;
    case TViewCommand::vcColumn: {
        const int i = command.Column;
        if (i < 0 || i >= list->ColumnCount()) return;
        list->SetColumnWidth(i, list->ColumnWidth(i) < 1 ? 100 : 0);
        break;
    }
    case TViewCommand::vcGrid:
        list->SetGridLines(!list->GridLines());
        break;
    }
    SyncViewControls();
}

void TFileLists::SyncViewControls() {
    const TViewStyle styles[] = {vsIcon, vsSmallIcon, vsList, vsReport};
    auto apply = [](TSpeedButton* b, TMenuItem* m, bool on, bool enabled, bool setEnabled) {
        if (b) {
            b->SetDown(on);
            if (setEnabled) b->SetEnabled(enabled);
        }
        if (m) {
            m->SetChecked(on);
            if (setEnabled) m->SetEnabled(enabled);
        }
    };
    for (const TViewControls& v : views_) {
        if (!v.List) continue;
        const TViewStyle style = v.List->ViewStyle();
        for (int i = 0; i < 4; ++i) apply(v.StyleButtons[i], v.StyleItems[i], style == styles[i], true, false);
        const bool report = style == vsReport;
        for (std::size_t i = 0; i < v.Columns.size(); ++i) {
            TSpeedButton* b = i < v.ColumnButtons.size() ? v.ColumnButtons[i] : nullptr;
            TMenuItem* m = i < v.ColumnItems.size() ? v.ColumnItems[i] : nullptr;
            apply(b, m, ColumnShown(v.List, v.Columns[i]), report, true);
        }
        apply(v.GridButton, v.GridItem, v.List->GridLines(), report, true);
    }
}

void TFileLists::pnTbFileSelDblClick(TObject*) {
    const TViewControls& v = views_[vlFile];
    if (v.ColumnButtons.empty()) return;
    const bool show = !v.ColumnButtons[0]->Visible();
    for (TSpeedButton* b : v.ColumnButtons) b->SetVisible(show);
    v.GridButton->SetVisible(show);
}
