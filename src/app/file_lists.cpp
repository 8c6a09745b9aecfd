#include "app/file_lists.h"

#include "app/glyphs.h"
#include "app/main_form.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "search/search_text.h"

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

// Column toggles of each list, by column index.
struct ColumnCommand {
    const char* command;
    int column;
};
const ColumnCommand kFileColumns[] = {
    {"EraseSize", 1}, {"EraseType", 2}, {"EraseDate", 3}, {"EraseAttr", 4}};
const ColumnCommand kCorrectColumns[] = {
    {"EraseSize", 1}, {"EraseType", 2}, {"EraseDate", 3}, {"EraseFolder", 4}};
const ColumnCommand kArchiveColumns[] = {{"EraseSize", 1},     {"EraseType", 2},
                                         {"EraseCompSize", 3}, {"EraseCompRate", 4},
                                         {"EraseDate", 5},     {"EraseFolder", 6}};

// What a column toggle's name stands for: the first command the name
// holds, and the caption fragment of its column.
const std::pair<const char*, const char*> kColumnFragments[] = {
    {"ERASESIZE", "サイズ"},     {"ERASETYPE", "種類"},           {"ERASEDATE", "日時"},
    {"ERASEATTR", "属性"},       {"ERASECOMPSIZE", "圧縮サイズ"}, {"ERASECOMPRATE", "圧縮率"},
    {"ERASEFOLDER", "フォルダ"},
};

bool Contains(const std::string& upperName, const char* part) {
    return upperName.find(part) != std::string::npos;
}

// A column counts as shown only when it is wider than 5 pixels.
bool ColumnShown(TListView* list, int column) {
    return list->ColumnWidth(column) > 5;
}
} // namespace

template <typename T> T* TFileLists::Find(const std::string& name) const {
    return dynamic_cast<T*>(main_->FindComponent(name));
}

TFileLists::TFileLists(TfoMAIN* main) : TComponent(main), main_(main) {
    Name = "FileLists";
    fvx = new TShellFolderTree(main, main->pnFolder);
    fvx->Name = "fvx";
    fvx->SetDragAndDrop(false);
    fvx->SetAlign(alClient);
    fvx->OnChange = [this](TObject* s, const std::string& folder) { fvxChange(s, folder); };
    main->sbFolderUpDate->OnClick = [this](TObject*) { fvx->RefreshKeepState(); };

    pmLv = new TPopupMenu(main);
    pmLv->Name = "pmLv";
    pmExplorer = new TMenuItem(main);
    pmExplorer->Name = "pmExplorer";
    pmExplorer->SetCaption("エクスプローラ");
    pmLv->Items()->Add(pmExplorer);
    pmLv->OnPopup = [this](TObject*) {
        auto* list = dynamic_cast<TListView*>(pmLv->PopupComponent);
        pmExplorer->SetEnabled(list && list->Selected() >= 0);
    };
    pmExplorer->OnClick = [this](TObject* s) { main_->mmFileExplorerClick(s); };

    lvFile = new TListView(main, main->pnFile);
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

    lvCorrect = new TListView(main, main->TabSheet2);
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
        if (lvCorrect->ItemCount() == 0) main_->OpenUtilityWindow(false);
    };

    BuildViewButtons(main->pnTbFileSel, "SEL", false);
    BuildViewButtons(main->pnTbCorrect, "Cor", true);
    main->sbLaunchFile->OnClick = [this](TObject*) { Launch(lvFile); };
    main->sbLaunchCorrect->OnClick = [this](TObject*) { Launch(lvCorrect); };
    main->pnTbFileSel->OnDblClick = [this](TObject* s) { pnTbFileSelDblClick(s); };

    BuildViewMenu("mmShowStyleFile", "ファイルセレクタ(&S)", "SEL",
                  {{"EraseSize", "【サイズ】を表示"},
                   {"EraseType", "【ファイルの種類】を表示"},
                   {"EraseDate", "【更新日時】を表示"},
                   {"EraseAttr", "【属性】を表示"}});
    BuildViewMenu("mmShowStyleCorrect", "ファイルコレクタ(&C)", "Cor",
                  {{"EraseSize", "【サイズ】を表示"},
                   {"EraseType", "【ファイルの種類】を表示"},
                   {"EraseDate", "【更新日時】を表示"},
                   {"EraseFolder", "【フォルダ】を表示"}});
    AddArchiveViewMenu();
    main->MainMenu1->Rebuild();
}

TFileLists::~TFileLists() = default;

void TFileLists::BuildList(TListView* list) {
    list->SetAlign(alClient);
    list->PopupMenu = pmLv;
    list->OnChange = [this](TObject* s, int index, bool state) { lvFileChange(s, index, state); };
    list->OnDblClick = [this](TObject* s) { Launch(static_cast<TListView*>(s)); };
}

void TFileLists::BuildViewButtons(TWinControl* bar, const char* tag, bool folderColumn) {
    int x = 29;
    auto add = [&](const ViewCommand& c, int group, bool allowAllUp) {
        auto* b = new TSpeedButton(main_, bar);
        b->Name = std::string("sbShow") + c.command + tag;
        b->Hint = c.hint;
        b->SetBounds(x, 1, 22, bar->Height() - 2);
        b->SetGlyph(MakeGlyph(c.glyph));
        b->GroupIndex = group;
        b->AllowAllUp = allowAllUp;
        x += 22;
        return b;
    };
    for (const ViewCommand& c : kStyles) {
        add(c, 1, false)->OnClick = [this](TObject* s) { mmShowLargeIconSelClick(s); };
    }
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
        b->OnClick = [this](TObject* s) { mmShowEraseSizeSELClick(s); };
    }
    x += 6;
    TSpeedButton* grid = add(kGrid, group, true);
    grid->SetDown(true);
    grid->OnClick = [this](TObject* s) { sbShowGridSELClick(s); };
}

TMenuItem*
TFileLists::BuildViewMenu(const char* name, const char* caption, const char* tag,
                          const std::vector<std::pair<const char*, const char*>>& columns) {
    auto* parent = Find<TMenuItem>("mmShowStyle");
    if (!parent) return nullptr;
    auto item = [&](TMenuItem* under, const std::string& itemName, const char* text) {
        auto* m = new TMenuItem(main_);
        m->Name = itemName;
        m->SetCaption(text);
        return under->Add(m);
    };
    TMenuItem* sub = item(parent, name, caption);
    for (const ViewCommand& c : kStyles) {
        item(sub, std::string("mmShow") + c.command + tag, c.caption)->OnClick =
            [this](TObject* s) { mmShowLargeIconSelClick(s); };
    }
    item(sub, std::string("mmShowSep") + tag, "-");
    item(sub, std::string("mmShowGrid") + tag, kGrid.caption)->OnClick = [this](TObject* s) {
        sbShowGridSELClick(s);
    };
    for (const auto& [command, text] : columns) {
        item(sub, std::string("mmShow") + command + tag, text)->OnClick = [this](TObject* s) {
            mmShowEraseSizeSELClick(s);
        };
    }
    return sub;
}

void TFileLists::AddArchiveViewMenu() {
    if (archiveMenu_ || !Find<TListView>("lvArchive")) return;
    archiveMenu_ = BuildViewMenu("mmShowStyleArchive", "アーカイブセレクタ(&A)", "ARC",
                                 {{"EraseSize", "【サイズ】を表示"},
                                  {"EraseType", "【ファイルの種類】を表示"},
                                  {"EraseCompSize", "【圧縮サイズ】を表示"},
                                  {"EraseCompRate", "【圧縮率】を表示"},
                                  {"EraseDate", "【更新日時】を表示"},
                                  {"EraseFolder", "【フォルダ】を表示"}}) != nullptr;
}

void TFileLists::FirstActivation() {
    if (!fileEngine_) {
        fileEngine_ = std::make_unique<TFileTransactEx>();
        correctEngine_ = std::make_unique<TFileTransactEx>();
        correctEngine_->SearchRows = true;
        fileEngine_->SetListView(lvFile);
        correctEngine_->SetListView(lvCorrect);
    }
    if (!archiveMenu_) {
        AddArchiveViewMenu();
        if (archiveMenu_) main_->MainMenu1->Rebuild();
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
    main_->lFolderInfo->SetCaption(" " + Format("%d", n) + (n < 2 ? "File" : "Files"));
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
    if (!stateChange || !list || !main_->Handle() || !list->Handle()) return;
    TFileTransactEx* engine = EngineOf(list);
    const int selected = list->Selected();
    if (!engine || selected < 0) return;
    main_->PreviewSelected(selected, engine->PathOf(selected), list->Tag);
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
    list->Tag = index;
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
    if (!path.empty()) main_->LaunchFile(path);
}

// --- view commands ------------------------------------------------------------------

TListView* TFileLists::ListOfSender(TObject* sender, std::string& upperName) const {
    TComponent* c = nullptr;
    if (auto* item = dynamic_cast<TMenuItem*>(sender)) c = item;
    if (auto* button = dynamic_cast<TSpeedButton*>(sender)) c = button;
    if (!c) return nullptr;
    upperName = SjisUpperCase(c->Name);
    if (Contains(upperName, "SEL")) return lvFile;
    if (Contains(upperName, "COR")) return lvCorrect;
    if (Contains(upperName, "ARC")) return Find<TListView>("lvArchive");
    return nullptr;
}

void TFileLists::mmShowLargeIconSelClick(TObject* Sender) {
    std::string n;
    TListView* list = ListOfSender(Sender, n);
    if (!list) return;
    TViewStyle style = vsReport;
    if (Contains(n, "LARGEICON")) {
        style = vsIcon;
    } else if (Contains(n, "SMALLICON")) {
        style = vsSmallIcon;
    } else if (Contains(n, "LIST")) {
        style = vsList;
    }
    list->SetViewStyle(style);
    SyncViewControls();
}

void TFileLists::mmShowEraseSizeSELClick(TObject* Sender) {
    std::string n;
    TListView* list = ListOfSender(Sender, n);
    if (!list) return;
    const char* fragment = nullptr;
    for (const auto& [command, text] : kColumnFragments) {
        if (Contains(n, command)) {
            fragment = text;
            break;
        }
    }
    if (!fragment) return;
    for (int i = 0; i < list->ColumnCount(); ++i) {
        if (SjisFind(list->ColumnCaption(i), fragment) == std::string::npos) continue;
        list->SetColumnWidth(i, list->ColumnWidth(i) < 1 ? 100 : 0);
        SyncViewControls();
        return;
    }
}

void TFileLists::sbShowGridSELClick(TObject* Sender) {
    std::string n;
    TListView* list = ListOfSender(Sender, n);
    if (!list) return;
    list->SetGridLines(!list->GridLines());
    SyncViewControls();
}

void TFileLists::SyncViewControls() {
    struct ListSet {
        TListView* list;
        const char* tag;
        const ColumnCommand* columns;
        std::size_t count;
    };
    const ListSet sets[] = {
        {lvFile, "SEL", kFileColumns, std::size(kFileColumns)},
        {Find<TListView>("lvArchive"), "ARC", kArchiveColumns, std::size(kArchiveColumns)},
        {lvCorrect, "Cor", kCorrectColumns, std::size(kCorrectColumns)},
    };
    auto apply = [this](const std::string& name, bool on, bool enabled, bool setEnabled) {
        if (auto* b = Find<TSpeedButton>("sbShow" + name)) {
            b->SetDown(on);
            if (setEnabled) b->SetEnabled(enabled);
        }
        if (auto* m = Find<TMenuItem>("mmShow" + name)) {
            m->SetChecked(on);
            if (setEnabled) m->SetEnabled(enabled);
        }
    };
    for (const ListSet& s : sets) {
        if (!s.list) continue;
        const TViewStyle style = s.list->ViewStyle();
        const TViewStyle styles[] = {vsIcon, vsSmallIcon, vsList, vsReport};
        for (int i = 0; i < 4; ++i)
            apply(std::string(kStyles[i].command) + s.tag, style == styles[i], true, false);
        const bool report = style == vsReport;
        for (std::size_t i = 0; i < s.count; ++i) {
            apply(std::string(s.columns[i].command) + s.tag,
                  ColumnShown(s.list, s.columns[i].column), report, true);
        }
        apply(std::string("Grid") + s.tag, s.list->GridLines(), report, true);
    }
}

void TFileLists::pnTbFileSelDblClick(TObject*) {
    auto* size = Find<TSpeedButton>("sbShowEraseSizeSEL");
    if (!size) return;
    const bool show = !size->Visible();
    for (const char* name : {"sbShowEraseSizeSEL", "sbShowEraseTypeSEL", "sbShowEraseDateSEL",
                             "sbShowEraseAttrSEL", "sbShowGridSEL"}) {
        if (auto* b = Find<TSpeedButton>(name)) b->SetVisible(show);
    }
}
