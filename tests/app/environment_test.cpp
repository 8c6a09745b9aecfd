// The environment data file through the platform's private-profile functions.
#include <fstream>
#include <sstream>

#include "app/set_file_form.h"
#include "imageview/image_control.h"
#include "main_window_fixture.h"
#include "settings/ini_file.h"

namespace {
// What the program writes today, section by section in file order.
const char kWrittenKeys[] =
    "[Quillmark 環境データファイル]\n"
    "[注意:本ファイルを手編集しないでください(動作不具合の原因となります)]\n"
    "[FormExprs] Height Width Left Top Maximized\n"
    "[Control] TvPanelWidth TvArchiveWidth FolderExPanelWidth ArchivePanelHeight\n"
    "[Setting] FolderUtyAutoClose BReadTextKByte ReadTextKByte ExternalEditor QGwQuillmark HyperLink TextEncoding\n"
    "[ShortCutFolder] 1 2\n"
    "[hedText] Color FontColor FontName FontSize FontStyle CaretAutoIndent CaretFreeCaret CaretInTab "
    "CaretKeepCaret CaretLockScroll CaretNextLine CaretPrevSpaceIndent CaretSoftTab CaretStyle CaretTabIndent "
    "CaretTabSpaceCount MarginCharacter MarginLeft MarginLine MarginTop MarkEofVisible MarkRetVisible "
    "MarkUnderLineVisible MarkEofMarkColor MarkRetMarkColor MarkUnderLineColor ScrollBars ViewColorsAnkBkColor "
    "ViewColorsAnkColor ViewColorsAnkStyle ViewColorsCommentBkColor ViewColorsCommentColor ViewColorsCommentStyle "
    "ViewColorsDBCSBkColor ViewColorsDBCSColor ViewColorsDBCSStyle ViewColorsIntBkColor ViewColorsIntColor "
    "ViewColorsIntStyle ViewColorsMailBkColor ViewColorsMailColor ViewColorsMailStyle ViewColorsSelectBkColor "
    "ViewColorsSelectColor ViewColorsSelectStyle ViewColorsStrBkColor ViewColorsStrColor ViewColorsStrStyle "
    "ViewColorsSymbolBkColor ViewColorsSymbolColor ViewColorsSymbolStyle ViewColorsUrlBkColor ViewColorsUrlColor "
    "ViewColorsUrlStyle ViewCommenter ViewControlCode ViewHexPrefix ViewMail ViewQuotation ViewUrl WordWrap "
    "FollowPunctuation FollowRetMark FollowStr Leading LeadStr PunctuationStr WordBreak WrapByte "
    "SearchHitColorFront SearchHitColorBack SearchHitFontStyle\n"
    "[SearchWild] 1\n"
    "[SearchWildExt] 1\n"
    "[lvFile] ViewStyle WidthColumn0 WidthColumn1 WidthColumn2 WidthColumn3 WidthColumn4\n"
    "[lvArchive] ViewStyle WidthColumn0 WidthColumn1 WidthColumn2 WidthColumn3 WidthColumn4 WidthColumn5 "
    "WidthColumn6\n"
    "[lvCorrect] ViewStyle WidthColumn0 WidthColumn1 WidthColumn2 WidthColumn3 WidthColumn4\n"
    "[Expression] InformationWallPaper InfoTitle InfoLaunchButton InfoGuidance ImageAdjust StatusBar ToolBar "
    "FvxFontColor FvxFontName FvxFontSize FvxFontStyle LvxFontColor LvxFontName LvxFontSize LvxFontStyle\n";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

TEST_F(MainWindow, FirstStartMakesTheFileAndUsesTheDefaults) {
    Start();
    const std::string ini = dir_ / "Quillmark.INI";
    EXPECT_EQ("[Quillmark 環境データファイル]\r\n"
              "[注意:本ファイルを手編集しないでください(動作不具合の原因となります)]\r\n",
              ReadAll(ini));
    EXPECT_EQ(630, form_->Width());
    EXPECT_EQ(470, form_->Height());
    EXPECT_EQ(0, form_->Left());
    EXPECT_EQ(0, form_->Top());
    EXPECT_TRUE(form_->PartialRead);
    EXPECT_EQ(4, form_->ReadLimitKB);
    EXPECT_TRUE(form_->HyperlinkNotice);
    EXPECT_FALSE(form_->GifOption);
    EXPECT_TRUE(form_->FitImage);
    EXPECT_TRUE(form_->sbMAIN->Visible());
    EXPECT_TRUE(form_->pnTbText->Visible());
    EXPECT_EQ(100, form_->pnBaseArchive->Height());
}

TEST_F(MainWindow, SettingsSurviveACloseAndAStart) {
    Start();
    form_->ReadLimitKB = 64;
    form_->PartialRead = false;
    form_->EditorPath = "C:\\Tools\\エディタ.exe";
    form_->GifOption = true;
    form_->HyperlinkNotice = false;
    form_->ShortcutAutoClose = true;
    form_->RecentWildcards = {"*.txt ", "a?.c"};
    form_->RecentUserExts = {"LOG DAT"};
    form_->pnBaseList->SetWidth(200);
    form_->mmShowStatusBarClick(form_);
    form_->mmShowToolBarClick(form_);
    form_->SetBounds(10, 20, 700, 500);
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    delete form_;
    form_ = nullptr;

    Start();
    EXPECT_EQ(64, form_->ReadLimitKB);
    EXPECT_FALSE(form_->PartialRead);
    EXPECT_EQ("C:\\Tools\\エディタ.exe", form_->EditorPath);
    EXPECT_TRUE(form_->GifOption);
    EXPECT_FALSE(form_->HyperlinkNotice);
    EXPECT_TRUE(form_->ShortcutAutoClose);
    EXPECT_EQ((std::vector<std::string>{"*.txt", "a?.c"}), form_->RecentWildcards);  // trimmed
    EXPECT_EQ(std::vector<std::string>{"LOG DAT"}, form_->RecentUserExts);
    EXPECT_EQ(200, form_->pnBaseList->Width());
    EXPECT_FALSE(form_->sbMAIN->Visible());
    EXPECT_FALSE(form_->pnTbImage->Visible());
    EXPECT_EQ(700, form_->Width());
    EXPECT_EQ(20, form_->Top());
    EXPECT_EQ("1", TIniFile(dir_ / "Quillmark.INI").ReadString("Setting", "QGwQuillmark", ""));
}

TEST_F(MainWindow, NumberedListsStopAtTheFirstGapAndBadValuesFallBack) {
    const std::string path = dir_ / "Quillmark.INI";
    TIniFile ini(path);
    ini.WriteString("SearchWild", "1", "*.c");
    ini.WriteString("SearchWild", "2", "*.h");
    ini.WriteString("SearchWild", "4", "*.txt");
    ini.WriteString("Setting", "ReadTextKByte", "abc");
    ini.WriteString("Expression", "InfoTitle", "not a colour");
    ini.WriteString("Expression", "InfoGuidance", "clRed");
    ini.WriteString("Expression", "ImageAdjust", "0");
    ini.WriteString("Unknown", "Key", "kept");
    Start();
    EXPECT_EQ((std::vector<std::string>{"*.c", "*.h"}), form_->RecentWildcards);
    EXPECT_EQ(4, form_->ReadLimitKB);
    // A bad colour takes its default and the keys after it are still read.
    EXPECT_EQ(clBlue, form_->lInformationTitle->EffectiveFont().Color);
    EXPECT_EQ(clRed, form_->lNoneInfo[9]->EffectiveFont().Color);
    EXPECT_FALSE(form_->FitImage);
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    EXPECT_EQ("kept", ini.ReadString("Unknown", "Key", ""));
    EXPECT_EQ("clBlue", ini.ReadString("Expression", "InfoTitle", ""));
    EXPECT_FALSE(ini.SectionExists("ShortCutFolder"));
}

// A 1 x 1 24-bit bitmap file.
std::string TinyBmp() {
    std::string b = "BM";
    auto le32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) b += char(v >> (8 * i)); };
    auto le16 = [&](uint16_t v) { b += char(v & 0xFF); b += char(v >> 8); };
    le32(58); le32(0); le32(54);
    le32(40); le32(1); le32(1); le16(1); le16(24); le32(0); le32(4); le32(0); le32(0); le32(0); le32(0);
    b += std::string("\x10\x20\x30\x00", 4);
    return b;
}

TEST_F(MainWindow, WallpaperIsLoadedWhenItsFileIsAPicture) {
    const std::string picture = dir_ / "wall.bmp";
    std::ofstream(picture, std::ios::binary) << TinyBmp();
    TIniFile(dir_ / "Quillmark.INI").WriteString("Expression", "InformationWallPaper", picture);
    Start();
    EXPECT_FALSE(form_->imgNone->Picture().Empty());
    // A file that is not a picture, or none at all, leaves the pane plain
    // and asks nothing.
    const std::string broken = dir_ / "broken.bmp";
    std::ofstream(broken, std::ios::binary) << "not a bitmap";
    form_->imgNone->Picture().Clear();
    form_->ShowWallpaper(broken);
    form_->ShowWallpaper(dir_ / "absent.bmp");
    EXPECT_TRUE(form_->imgNone->Picture().Empty());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(MainWindow, ClosedMaximisedOpensNormalWithTheMaximisedSize) {
    Start();
    form_->Show();
    form_->SetWindowState(wsMaximized);
    RECT maximised;
    GetWindowRect(form_->Handle(), &maximised);
    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    delete form_;
    form_ = nullptr;
    EXPECT_EQ(2, TIniFile(dir_ / "Quillmark.INI").ReadInteger("FormExprs", "Maximized", 0));
    Start();
    EXPECT_EQ(wsNormal, form_->WindowState());
    EXPECT_EQ(maximised.right - maximised.left, form_->Width());
}

TEST_F(MainWindow, FontStylesKeepStrikeOutThroughALoadAndASave) {
    const std::string path = dir_ / "Quillmark.INI";
    {
        TIniFile ini(path);
        ini.WriteString("Expression", "FvxFontStyle", "15");  // bold, italic, underline, strike-out
        ini.WriteString("Expression", "LvxFontStyle", "8");   // strike-out alone
    }
    Start();
    const TFont tree = Control("fvx")->EffectiveFont();
    EXPECT_TRUE(tree.Bold && tree.Italic && tree.Underline && tree.StrikeOut);
    // The archive views, made at the first activation, share the two fonts.
    EXPECT_TRUE(Control("tvArchive")->EffectiveFont() == tree);
    EXPECT_TRUE(Control("lvArchive")->EffectiveFont().StrikeOut);
    const TFont list = Control("lvFile")->EffectiveFont();
    EXPECT_TRUE(list.StrikeOut);
    EXPECT_FALSE(list.Bold || list.Italic || list.Underline);
    // The font the window draws with has the line through it.
    LOGFONTA lf{};
    ASSERT_NE(0, GetObjectA(list.Handle(), sizeof lf, &lf));
    EXPECT_TRUE(lf.lfStrikeOut);
    EXPECT_FALSE(lf.lfUnderline);
    const HFONT shown = reinterpret_cast<HFONT>(
        SendMessageA(static_cast<TWinControl*>(Control("lvFile"))->Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, shown);
    ASSERT_NE(0, GetObjectA(shown, sizeof lf, &lf));
    EXPECT_TRUE(lf.lfStrikeOut);

    TCloseAction action = caFree;
    form_->FormClose(form_, action);
    TIniFile ini(path);
    EXPECT_EQ(15, ini.ReadInteger("Expression", "FvxFontStyle", 0));
    EXPECT_EQ(8, ini.ReadInteger("Expression", "LvxFontStyle", 0));
}

// The file's sections and keys are its format: renaming a control or a
// constant must never change them. Every kind of entry is present here:
// a shortcut, both histories and a keyword.
TEST_F(MainWindow, WrittenSectionsAndKeysStayAsTheyAre) {
    Start();
    const std::string ini = form_->EnvironmentPath();
    WritePrivateProfileStringA("ShortCutFolder", "1", "C:\\A", ini.c_str());
    WritePrivateProfileStringA("ShortCutFolder", "2", "C:\\B", ini.c_str());
    form_->RecentWildcards = {"*.txt"};
    form_->RecentUserExts = {"XLS"};
    auto* setFile = new TfoSetFile(app_);
    form_->BindSearchWindow(setFile);
    form_->SaveEnvironment(ini);
    delete setFile;
    form_->SetFileForm = nullptr;

    std::vector<char> names(1 << 16);
    const DWORD n = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), ini.c_str());
    std::string written;
    for (const char* s = names.data(); s < names.data() + n && *s; s += strlen(s) + 1) {
        std::vector<char> keys(1 << 16);
        const DWORD k = GetPrivateProfileStringA(s, nullptr, "", keys.data(), static_cast<DWORD>(keys.size()),
                                                 ini.c_str());
        written += std::string("[") + s + "]";
        for (const char* key = keys.data(); key < keys.data() + k && *key; key += strlen(key) + 1) {
            written += std::string(" ") + key;
        }
        written += "\n";
    }
    EXPECT_EQ(kWrittenKeys, written);
}
