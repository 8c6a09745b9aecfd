#include "app/main_form.h"

#include "app/app_paths.h"
#include <memory>

#include "app/glyphs.h"
#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "app/image_preview.h"
#include "app/hint_form.h"
#include "app/text_preview.h"
#include "app/version_form.h"
#include "app/information_text.h"
#include "app/settings_sections.h"
#include "imageview/image_control.h"
#include "base/files.h"
#include "base/strutil.h"
#include "media/led_group.h"
#include "media/media_pane.h"
#include "ui/list_view.h"

TfoMAIN::TfoMAIN(TComponent* owner, const std::string& programPath)
    : TForm(owner, bsSizeable, "TfoMAIN"), ProgramPath(programPath) {
    Name = "foMAIN";
    SetCaption("Quillmark");
    KeyPreview = true;
    Font = TFont{};
    SetBounds(0, 0, 630, 470);
    BuildMenu();
    BuildLayout();
    CreatePanes();
    BindMediaPane();
    BindSettingsWindows();
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnKeyDown = [this](TObject* s, WORD& key, TShiftState shift) { FormKeyDown(s, key, shift); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    ShowHyperlinkNotice = [this](const std::vector<std::string>& lines) {
        std::unique_ptr<TfoHint> hint(new TfoHint(this));
        hint->lInfo1->SetCaption(lines.size() > 0 ? lines[0] : "");
        hint->lInfo2->SetCaption(lines.size() > 1 ? lines[1] : "");
        hint->ShowModal();
        return hint->chbHidden->Checked();
    };
    LoadWallpaper = [this](const std::string& path) { ShowWallpaper(path); };
    FormCreate();
}

void TfoMAIN::ShowWallpaper(const std::string& path) {
    if (path.empty() || !FileExists(path)) return;
    try {
        imgNone->Picture().LoadFromFile(path);
    } catch (const std::exception&) {
        // A picture that cannot be read leaves the pane plain; nothing to ask.
        imgNone->Picture().Clear();
    }
    imgNone->Invalidate();
}

TfoMAIN::~TfoMAIN() {
    // The panes go in the reverse order of their making, while the controls
    // they drive exist; the component list frees the controls after this.
    ArchivePane.reset();
    MediaPane.reset();
    ImagePreview.reset();
    TextPreview.reset();
    FileLists.reset();
}

TMenuItem* TfoMAIN::AddItem(TMenuItem* parent, const char* name, const char* caption, TShortCut sc) {
    auto* item = new TMenuItem(this);
    item->Name = name;
    item->SetCaption(caption);
    item->ShortCut = sc;
    return parent->Add(item);
}

void TfoMAIN::BuildMenu() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->Name = "MainMenu1";
    TMenuItem* root = MainMenu1->Items();
    auto on = [this](TMenuItem* item, void (TfoMAIN::*handler)(TObject*)) {
        item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
        return item;
    };

    mmFile = on(AddItem(root, "mmFile", "ファイル(&F)"), &TfoMAIN::mmFileClick);
    mmFileSelFile = AddItem(mmFile, "mmFileSelFile", "ファイルセレクタ");
    mmFileSelFile->OnClick = [this](TObject*) { pcMAIN->SetActivePageIndex(0); };
    mmFileSelCorrect = AddItem(mmFile, "mmFileSelCorrect", "ファイル検索");
    mmFileSelCorrect->OnClick = [this](TObject*) { pcMAIN->SetActivePageIndex(1); };
    AddItem(mmFile, "N1", "-");
    unoffered_.push_back(AddItem(mmFile, "mmFileCdExplorer", "CDエクスプローラ"));
    on(AddItem(mmFile, "mmFileExplorer", "エクスプローラ [X]"), &TfoMAIN::mmFileExplorerClick);
    AddItem(mmFile, "N2", "-");
    mmFileFullLoad = AddItem(mmFile, "mmFileFullLoad", "テキスト全読込 [Z]");
    mmFileEditor = on(AddItem(mmFile, "mmFileEditor", "外部エディタ起動 [E]"), &TfoMAIN::mmFileEditorClick);
    unoffered_.push_back(AddItem(mmFile, "mmFileTextPrint", "印刷"));
    AddItem(mmFile, "N3", "-");
    on(AddItem(mmFile, "mmFileExit", "終了(&X)"), &TfoMAIN::mmFileExitClick);

    mmEdit = AddItem(root, "mmEdit", "テキスト編集(&E)");
    mmEditCopy = AddItem(mmEdit, "mmEditCopy", "コピー");
    mmEditSelAll = AddItem(mmEdit, "mmEditSelAll", "全て選択");
    AddItem(mmEdit, "N4", "-");
    mmEditSearch = AddItem(mmEdit, "mmEditSearch", "検索");
    AddItem(mmEdit, "N9", "-");
    mmEditEncoding = AddItem(mmEdit, "mmEditEncoding", "文字コード");
    mmEncodingAuto = AddItem(mmEditEncoding, "mmEncodingAuto", "自動判別");
    static const char* const kEncodingItems[kTextEncodingCount] = {
        "mmEncodingShiftJis", "mmEncodingUtf8", "mmEncodingUtf16Le",
        "mmEncodingUtf16Be",  "mmEncodingEucJp", "mmEncodingJis"};
    for (int i = 0; i < kTextEncodingCount; ++i)
        mmEncoding[i] = AddItem(mmEditEncoding, kEncodingItems[i],
                                TextEncodingName(static_cast<TTextEncoding>(i)));

    mmImg = AddItem(root, "mmImg", "画像(&G)");
    AddItem(mmImg, "mmImgReLoad", "再読み込み")->SetVisible(false);
    mmImgOrgSize = AddItem(mmImg, "mmImgOrgSize", "原寸");
    mmImgReduce = AddItem(mmImg, "mmImgReduce", "縮小");
    mmImgEnlarge = AddItem(mmImg, "mmImgEnlarge", "拡大");
    unoffered_.push_back(AddItem(mmImg, "mmImgSeparate", "-"));
    unoffered_.push_back(AddItem(mmImg, "mmImgRight", "右回転", VK_F5));
    unoffered_.push_back(AddItem(mmImg, "mmImgLeft", "左回転", VK_F6));
    unoffered_.push_back(AddItem(mmImg, "mmImgLeftRight", "左右反転", VK_F7));
    unoffered_.push_back(AddItem(mmImg, "mmImgTopBottom", "上下反転", VK_F8));

    mmAvi = AddItem(root, "mmAvi", "動画・音楽(&M)");
    AddItem(mmAvi, "mmAviPlay", "再生");
    AddItem(mmAvi, "mmAviPause", "一時停止");
    AddItem(mmAvi, "mmAviStop", "停止");
    AddItem(mmAvi, "N5", "-");
    AddItem(mmAvi, "mmAviOrg", "原寸")->SetVisible(false);
    AddItem(mmAvi, "mmAviMax", "最大化")->SetVisible(false);
    AddItem(mmAvi, "mmAviSmall", "縮小");
    AddItem(mmAvi, "mmAviLarge", "拡大");
    AddItem(mmAvi, "N6", "-");
    AddItem(mmAvi, "mmAviSetA", "A点セット [A]");
    AddItem(mmAvi, "mmAviSetB", "B点セット [B]");
    AddItem(mmAvi, "mmAviClearAB", "A-B点クリア");

    mmShow = on(AddItem(root, "mmShow", "表示(&V)"), &TfoMAIN::mmShowClick);
    mmShowPcHidden = on(AddItem(mmShow, "mmShowPcHidden", "最大画面 [RETURN]"), &TfoMAIN::sbHiddenPCClick);
    TMenuItem* fonts = AddItem(mmShow, "mmShowFont", "フォント");
    AddItem(fonts, "mmShowFontTv", "フォルダセレクタ...")->OnClick = [this](TObject*) { ChooseListFont(true); };
    AddItem(fonts, "mmShowFontLv", "ファイルセレクタ...")->OnClick = [this](TObject*) { ChooseListFont(false); };
    N22 = AddItem(fonts, "N22", "テキスト...");
    mmShowStyle = AddItem(mmShow, "mmShowStyle", "ファイルの表示形式");
    AddItem(mmShow, "N7", "-");
    mmShowToolBar = on(AddItem(mmShow, "mmShowToolBar", "ツールバー"), &TfoMAIN::mmShowToolBarClick);
    mmShowStatusBar = on(AddItem(mmShow, "mmShowStatusBar", "ステータスバー"), &TfoMAIN::mmShowStatusBarClick);

    O1 = on(AddItem(root, "O1", "オプション(&O)"), &TfoMAIN::O1Click);
    mmOptionSetText = AddItem(O1, "mmOptionSetText", "テキスト表示設定...");
    mmOptionHyperLink = on(AddItem(O1, "mmOptionHyperLink", "テキストハイパーリンク"), &TfoMAIN::mmOptionHyperLinkClick);
    AddItem(O1, "mmOptionSet", "一般設定...")->OnClick = [this](TObject*) { Fire(OpenSettingsDialog); };
    AddItem(O1, "N8", "-");
    AddItem(O1, "mmOptionShortCutKayGuide", "ショートカットキーガイド")->OnClick = [](TObject*) {
        Application->HelpContext(2);
    };
    mmOptionHelp = AddItem(O1, "mmOptionHelp", "ヘルプ");
    mmOptionHelp->OnClick = [](TObject*) { Application->HelpContext(1); };
    AddItem(O1, "About1", "バージョン情報(&A)...")->OnClick = [](TObject*) { ShowVersion("v1.00A"); };

    // The shortcuts come from the same table as the help file's key guide.
    static const struct {
        TMenuItem* TfoMAIN::*item;
        TShortCut shortcut;
    } shortcuts[] = {
#define QM_KEY(key, down, up, command, consumed, name, condition, action)
#define QM_MENU_KEY(item, shortcut, name, action) {&TfoMAIN::item, shortcut},
#include "app/main_keys.inc"
#undef QM_KEY
#undef QM_MENU_KEY
    };
    for (const auto& s : shortcuts) (this->*s.item)->ShortCut = s.shortcut;

    Menu = MainMenu1;
    MainMenu1->AttachTo(Handle());
}

TPanel* TfoMAIN::AddPanel(TWinControl* parent, const char* name, TAlign align, int size) {
    auto* p = new TPanel(this, parent);
    p->Name = name;
    p->BevelOuter = bvNone;
    if (align == alTop || align == alBottom) p->SetHeight(size);
    if (align == alLeft || align == alRight) p->SetWidth(size);
    p->SetAlign(align);
    return p;
}

TSplitter* TfoMAIN::AddSplitter(TWinControl* parent, const char* name, TAlign align, int minSize) {
    auto* sp = new TSplitter(this, parent);
    sp->Name = name;
    sp->MinSize = minSize;
    sp->SetBounds(0, 0, 3, 3);
    sp->SetAlign(align);
    return sp;
}

TSpeedButton* TfoMAIN::AddButton(TWinControl* parent, const char* name, const char* hint, int x, int glyph) {
    auto* b = new TSpeedButton(this, parent);
    b->Name = name;
    b->Hint = hint;
    b->SetBounds(x, 1, 22, parent->Height() - 2);
    if (glyph >= 0) b->SetGlyph(MakeGlyph(static_cast<TGlyphKind>(glyph)));
    return b;
}

void TfoMAIN::BuildLayout() {
    DisableAlign();
    Application->OnHint = [this](TObject*) { sbMAIN->SetPanelText(0, Application->Hint); };
    sbMAIN = new TStatusBar(this, this);
    sbMAIN->Name = "sbMAIN";
    sbMAIN->AddPanel(240, "インフォメーション", false);
    sbMAIN->AddPanel(50);

    pnTbMain = AddPanel(this, "pnTbMain", alTop, 26);
    pnMain = AddPanel(this, "pnMain", alClient);

    // Left: the list pane, a folder information bar over two tabs.
    pnBaseList = AddPanel(pnMain, "pnBaseList", alLeft, 266);
    spFolderView = AddSplitter(pnMain, "spFolderView", alLeft, 30);
    pnExprsFolderInfo = AddPanel(pnBaseList, "pnExprsFolderInfo", alTop, 20);
    pnExprsFolderInfo->BevelOuter = bvRaised;
    lFolderInfo = new TLabel(this, pnExprsFolderInfo);
    lFolderInfo->Name = "lFolderInfo";
    lFolderInfo->SetBounds(4, 3, 0, 0);
    lFolderInfo->SetCaption("フォルダ インフォメーション");
    lFolderInfo->OnClick = [this](TObject*) { OpenUtilityWindow(pcMAIN->ActivePageIndex() == 0); };
    // The bar's buttons sit at its right end.
    TPanel* folderButtons = AddPanel(pnExprsFolderInfo, "pnFolderButtons", alRight, 112);
    folderButtons->SetHeight(18);
    sbFolderUpDate = AddButton(folderButtons, "sbFolderUpDate", "最新の情報に更新", 0, gkRefresh);
    sbSetFileShortCut = AddButton(folderButtons, "sbSetFileShortCut", "フォルダショートカット", 22, gkFolderShortcut);
    sbSetFileShortCut->OnClick = [this](TObject*) { OpenUtilityWindow(true); };
    sbSetFileCorrect = AddButton(folderButtons, "sbSetFileCorrect", "ファイル検索", 44, gkFileSearch);
    sbSetFileCorrect->OnClick = [this](TObject*) { OpenUtilityWindow(false); };
    SpeedButton2 = AddButton(folderButtons, "SpeedButton2", "終了", 66, gkExit);
    SpeedButton2->OnClick = [this](TObject* s) { mmFileExitClick(s); };
    sbOptionHelp = AddButton(folderButtons, "sbOptionHelp", "ヘルプ", 88, gkHelp);
    sbOptionHelp->OnClick = [](TObject*) { Application->HelpContext(1); };

    pcMAIN = new TPageControl(this, pnBaseList);
    pcMAIN->Name = "pcMAIN";
    pcMAIN->SetAlign(alClient);
    TabSheet1 = pcMAIN->AddPage("TabSheet1", "ﾌｫﾙﾀﾞ・ﾌｧｲﾙ");
    TabSheet2 = pcMAIN->AddPage("TabSheet2", "ﾌｧｲﾙｻｰﾁ");
    pnFolder = AddPanel(TabSheet1, "pnFolder", alTop, 203);
    spFolderFile = AddSplitter(TabSheet1, "spFolderFile", alTop, 30);
    pnFile = AddPanel(TabSheet1, "pnFile", alClient);
    pnTbFileSel = AddPanel(pnFile, "pnTbFileSel", alTop, 24);
    sbLaunchFile = AddButton(pnTbFileSel, "sbLaunchFile", "関連アプリの起動[SHIFT-RETURN]", 1, gkLaunch);
    pnTbCorrect = AddPanel(TabSheet2, "pnTbCorrect", alTop, 24);
    sbLaunchCorrect = AddButton(pnTbCorrect, "sbLaunchCorrect", "関連アプリの起動[SHIFT-RETURN]", 1, gkLaunch);
    sbCorrect = new TStatusBar(this, TabSheet2);
    sbCorrect->Name = "sbCorrect";
    sbCorrect->AddPanel(100);

    // Right: the view pane.
    pnBaseView = AddPanel(pnMain, "pnBaseView", alClient);
    pnExprsFileInfo = AddPanel(pnBaseView, "pnExprsFileInfo", alTop, 22);
    pnExprsFileInfo->BevelOuter = bvRaised;
    sbHiddenPC = AddButton(pnExprsFileInfo, "sbHiddenPC", "最大画面", 1, gkArrowLeft);
    sbHiddenPC->OnClick = [this](TObject* s) { sbHiddenPCClick(s); };
    lFileInfo = new TLabel(this, pnExprsFileInfo);
    lFileInfo->Name = "lFileInfo";
    lFileInfo->SetBounds(26, 4, 0, 0);
    lFileInfo->OnClick = [this](TObject* s) { sbHiddenPCClick(s); };
    pnBaseArchive = AddPanel(pnBaseView, "pnBaseArchive", alTop, 160);
    pnBaseArchive->SetVisible(false);
    spArchive = AddSplitter(pnBaseView, "spArchive", alTop, 60);
    spArchive->SetVisible(false);
    pnTbArchive = AddPanel(pnBaseArchive, "pnTbArchive", alTop, 24);
    pnView = AddPanel(pnBaseView, "pnView", alClient);

    // The preview panes; only the current kind's pane is visible.
    pnBaseText = AddPanel(pnView, "pnBaseText", alNone);
    pnTextSearch = AddPanel(pnBaseText, "pnTextSearch", alTop, 100);
    pnTextSearch->SetVisible(false);
    spText = AddSplitter(pnBaseText, "spText", alTop, 30);
    spText->SetVisible(false);
    pnTbText = AddPanel(pnBaseText, "pnTbText", alTop, 24);
    BuildToolbars();
    pnBaseImage = AddPanel(pnView, "pnBaseImage", alNone);
    pnTbImage = AddPanel(pnBaseImage, "pnTbImage", alTop, 24);
    lgImgWidth = AddLed(pnTbImage, "lgImgWidth", "", 160, 4);
    lgImgHeight = AddLed(pnTbImage, "lgImgHeight", "", 206, 4);
    pnImageText = AddPanel(pnBaseImage, "pnImageText", alBottom, 100);
    pnImageText->SetVisible(false);
    pnBaseAVI = AddPanel(pnView, "pnBaseAVI", alNone);
    pnTbAVI = AddPanel(pnBaseAVI, "pnTbAVI", alTop, 24);
    lgAVITime = AddLed(pnTbAVI, "lgAVITime", "", 200, 5);
    lgAviSetA = AddLed(pnTbAVI, "lgAviSetA", "", 262, 5);
    lgAviSetB = AddLed(pnTbAVI, "lgAviSetB", "", 324, 5);
    pnBaseNone = AddPanel(pnView, "pnBaseNone", alNone);
    for (TPanel* p : {pnBaseText, pnBaseImage, pnBaseAVI}) p->SetVisible(false);
    pnBaseNone->SetAlign(alClient);
    pnBaseNone->Color = clWhite;

    // The wallpaper first: graphic controls paint in creation order, so the
    // labels and the button are drawn over it.
    imgNone = new TImage(this, pnBaseNone);
    imgNone->Name = "imgNone";
    imgNone->SetStretch(true);
    imgNone->SetAlign(alClient);
    imgNone->OnClick = [this](TObject* s) { sbHiddenPCClick(s); };

    lInformationTitle = new TLabel(this, pnBaseNone);
    lInformationTitle->Name = "lInformationTitle";
    lInformationTitle->SetFont(TFont::Of(20, true, false, clBlue));
    lInformationTitle->SetBounds(8, 8, 0, 0);
    lInformationTitle->SetCaption(" Quillmark Information");
    lInformationTitle->OnClick = [this](TObject* s) { sbHiddenPCClick(s); };
    sbInformation = new TSpeedButton(this, pnBaseNone);
    sbInformation->Name = "sbInformation";
    sbInformation->SetFont(TFont::Of(13, true, true, clBlue));
    sbInformation->Alignment = taLeftJustify;
    sbInformation->SetBounds(16, 40, 420, 22);
    sbInformation->SetVisible(false);
    sbInformation->SetGlyph(MakeGlyph(gkLaunch));
    sbInformation->OnClick = [this](TObject*) { LaunchFile(CurrentFilePath); };
    const TFont info = TFont::Of(17, true);
    for (int i = 0; i < static_cast<int>(kInformationLabels); ++i) {
        lNoneInfo[i] = new TLabel(this, pnBaseNone);
        lNoneInfo[i]->Name = Format("lNoneInfo%d", i);
        lNoneInfo[i]->SetFont(info);
        lNoneInfo[i]->SetBounds(16, 72 + 24 * i, 0, 0);
    }
    EnableAlign();
}

void TfoMAIN::BuildToolbars() {
    sbFileFullLoad = AddButton(pnTbText, "sbFileFullLoad", "テキスト全読込[Z]", 1, gkFullLoad);
    sbFileFullLoad->SetEnabled(false);
    sbFileEditor = AddButton(pnTbText, "sbFileEditor", "エディタ起動[E]", 23, gkEditor);
    sbFileEditor->OnClick = [this](TObject* s) { mmFileEditorClick(s); };
    sbOptionHyperLink = AddButton(pnTbText, "sbOptionHyperLink", "ハイパーリンク", 51, gkHyperlink);
    sbOptionHyperLink->GroupIndex = 1;
    sbOptionHyperLink->AllowAllUp = true;
    sbOptionHyperLink->OnClick = [this](TObject*) {
        // The button has toggled itself; tell the user what changed.
        if (HyperlinkNotice && ShowHyperlinkNotice) {
            MessageBeep(MB_ICONASTERISK);
            HyperlinkNotice = !ShowHyperlinkNotice(HyperlinkNoticeLines(sbOptionHyperLink->Down()));
        }
    };
    sbEditCopy = AddButton(pnTbText, "sbEditCopy", "コピー", 79, gkCopy);
    sbEditSelAll = AddButton(pnTbText, "sbEditSelAll", "全て選択", 101, gkSelectAll);
    sbEditSearch = AddButton(pnTbText, "sbEditSearch", "文字検索", 129, gkTextSearch);
    lgTextX = AddLed(pnTbText, "lgTextX", "カーソル(桁)", 160, 6);
    lgTextY = AddLed(pnTbText, "lgTextY", "カーソル(行)", 226, 6);
}

TLedGroup* TfoMAIN::AddLed(TWinControl* parent, const char* name, const char* hint, int x, int digits) {
    auto* led = new TLedGroup(this, parent);
    led->Name = name;
    led->Hint = hint;
    led->SetLedStyle(lsSevenBars);
    led->SetOnColor(RGB(0, 255, 0));
    led->SetOffColor(clBlack);
    led->SetMargin(1);
    led->SetMaxDigits(digits);
    led->SetBounds(x, 3, digits * 10 + 2, 18);
    return led;
}

void TfoMAIN::HideUnofferedCommands() {
    for (TMenuItem* item : unoffered_) item->SetVisible(false);
    for (TSpeedButton* b : {ImagePreview->sbImgLeft, ImagePreview->sbImgRight, ImagePreview->sbImgLeftRight,
                            ImagePreview->sbImgTopBottom})
        b->SetVisible(false);
}

bool TfoMAIN::PrepareWorkFolder() {
    WorkFolder = WorkFolderFor(ProgramPath);
    auto exists = [this] {
        DWORD a = GetFileAttributesA(WorkFolder.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    };
    if (!exists()) CreateDirectoryA(WorkFolder.c_str(), nullptr);
    if (exists()) return true;
    WorkFolder.clear();
    TellUser(TSeverity::Information,
            "Quillmark はディスク容量の無いドライブ上では\rご利用できません\r"
            "CD-ROM等から実行されている場合は、一旦終了して\r"
            "ハードディスクにインストールした後、再度実行して\rくださいませ", TAnswers::Ok, kExclamationSound);
    return false;
}

void TfoMAIN::FormCreate() {
    CurrentFileKind = fkNone;
    std::fill(std::begin(ArchiveSortDirections), std::end(ArchiveSortDirections), 0);
    CurrentFilePath.clear();
    RecentWildcards.clear();
    RecentUserExts.clear();
    LastInformationText.clear();
    RememberedFocus = nullptr;
    PrepareWorkFolder();
    HideUnofferedCommands();
    CurrentFilePath.clear();
    LoadEnvironment(EnvironmentPath());
}

std::string TfoMAIN::EnvironmentPath() const { return EnvironmentFileFor(ProgramPath); }

void TfoMAIN::FormActivate(TObject*) {
    // Dialogs hand the focus straight back; that is no new first activation.
    if (activated_) return;
    activated_ = true;
    for (TLedGroup* led : {lgAVITime, lgAviSetA, lgAviSetB}) {
        led->SetMaxDigits(5);
        led->SetCaption("00000");
    }
    for (TLedGroup* led : {lgTextX, lgTextY}) {
        led->SetMaxDigits(6);
        led->SetCaption("     0");
    }
    for (TLedGroup* led : {lgImgWidth, lgImgHeight}) {
        led->SetMaxDigits(4);
        led->SetCaption("   0");
    }
    MakeArchivePane();
    FileLists->FirstActivation();
    pnTbMain->SetVisible(false);
    LoadListSettings(FileLists->lvFile, kFileListSection, EnvironmentPath());
    LoadListSettings(lvArchive, kArchiveListSection, EnvironmentPath());
    LoadListSettings(FileLists->lvCorrect, kSearchListSection, EnvironmentPath());
    pnTextSearch->SetHeight(100);
    RememberedFocus = nullptr;
    SwitchPreviewPane(CurrentFileKind, fkNone);
    ShowInformation(LastInformationText, kWelcomeGuidancePath);
}

void TfoMAIN::FormClose(TObject*, TCloseAction&) {
    SaveEnvironment(EnvironmentPath());
    // Our extracted copies go with the archive operation; the work folder
    // itself stays for the next run.
    ArchivePane.reset();
}

void TfoMAIN::mmFileExitClick(TObject*) { Close(); }
