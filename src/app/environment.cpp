// The environment data file of the main window: read at creation and at the
// first activation, written at the orderly close, key by key.
#include "app/main_form.h"
#include "app/file_lists.h"
#include "app/settings_sections.h"
#include "base/files.h"
#include "base/strutil.h"
#include "settings/ini_file.h"
#include "settings/ini_values.h"
#include "ui/list_view.h"

namespace {
const char kBanner[] = "[Quillmark 環境データファイル]";
const char kWarning[] = "[注意:本ファイルを手編集しないでください(動作不具合の原因となります)]";

// Numbered keys "1".."20" of a section, up to the first empty value.
std::vector<std::string> ReadNumbered(const TIniFile& ini, const char* section) {
    std::vector<std::string> items;
    for (int i = 1; i <= 20; ++i) {
        std::string v = ini.ReadString(section, std::to_string(i), "");
        if (v.empty()) break;
        items.push_back(v);
    }
    return items;
}

void WriteNumbered(TIniFile& ini, const char* section, const std::vector<std::string>& items) {
    ini.EraseSection(section);
    int n = 0;
    for (const std::string& item : items) ini.WriteString(section, std::to_string(++n), Trim(item));
}

// The four keys of a font (colour, name, size in points, style bits), each
// defaulting to what the control has now.
TFont ReadFont(const TIniFile& ini, const char* prefix, const TFont& current) {
    const std::string p = prefix;
    TFont f = current;
    f.Color = ini.ReadColor("Expression", p + "FontColor",
                            current.Color == clDefault ? clWindowText : current.Color);
    f.Name = ini.ReadString("Expression", p + "FontName", current.Name);
    f.Height = PixelsFromPoints(ini.ReadInteger("Expression", p + "FontSize", PointsFromPixels(current.Height)));
    f.SetStyles(static_cast<TFontStyles>(ini.ReadInteger("Expression", p + "FontStyle", 0)));
    return f;
}

void WriteFont(TIniFile& ini, const char* prefix, const TFont& f) {
    const std::string p = prefix;
    ini.WriteColor("Expression", p + "FontColor", f.Color == clDefault ? clWindowText : f.Color);
    ini.WriteString("Expression", p + "FontName", f.Name);
    ini.WriteInteger("Expression", p + "FontSize", PointsFromPixels(f.Height));
    ini.WriteInteger("Expression", p + "FontStyle", f.Styles());
}
}  // namespace

bool TfoMAIN::CreateEnvironmentFile(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const std::string text = std::string(kBanner) + "\r\n" + kWarning + "\r\n";
    DWORD written = 0;
    const bool ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(h);
    return ok;
}

void TfoMAIN::LoadEnvironment(const std::string& path) {
    if (!FileExists(path)) CreateEnvironmentFile(path);
    const TIniFile ini(path);

    SetBounds(ini.ReadInteger("FormExprs", "Left", 0), ini.ReadInteger("FormExprs", "Top", 0),
              ini.ReadInteger("FormExprs", "Width", 630), ini.ReadInteger("FormExprs", "Height", 470));
    // A window closed maximised opens normal, with the bounds it had then.
    const int state = ini.ReadInteger("FormExprs", "Maximized", 0);
    if (state == 1) SetWindowState(wsMinimized);

    pnBaseList->SetWidth(ini.ReadInteger("Control", "TvPanelWidth", 270));
    if (pnArchiveTv) pnArchiveTv->SetWidth(ini.ReadInteger("Control", "TvArchiveWidth", pnArchiveTv->Width()));
    // The folder tree sits above the file list, so the stored extent is its height.
    pnFolder->SetHeight(ini.ReadInteger("Control", "FolderExPanelWidth", 130));
    ShortcutAutoClose = ini.ReadBool("Setting", "FolderUtyAutoClose", false);
    pnBaseArchive->SetHeight(ini.ReadInteger("Control", "ArchivePanelHeight", 100));

    Fire(LoadTextViewSettings, ini.FileName());

    RecentWildcards = ReadNumbered(ini, "SearchWild");
    RecentUserExts = ReadNumbered(ini, "SearchWildExt");

    PartialRead = ini.ReadBool("Setting", "BReadTextKByte", true);
    ReadLimitKB = ini.ReadInteger("Setting", "ReadTextKByte", 4);
    EditorPath = ini.ReadString("Setting", "ExternalEditor", "");
    GifOption = ini.ReadBool("Setting", "QGwQuillmark", false);
    HyperlinkNotice = ini.ReadBool("Setting", "HyperLink", true);
    TextEncoding = TTextEncodingChoice::FromSetting(ini.ReadString("Setting", "TextEncoding", "Auto"));
    UpdateEncodingMenu();

    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string wallpaper = IncludeTrailingBackslash(windows) + "雲.bmp";
    if (!FileExists(wallpaper)) wallpaper.clear();
    WallpaperPath = ini.ReadString("Expression", "InformationWallPaper", wallpaper);
    Fire(LoadWallpaper, WallpaperPath);

    auto recolor = [](TControl* c, TColor color) {
        TFont f = c->EffectiveFont();
        f.Color = color;
        c->SetFont(f);
    };
    recolor(lInformationTitle, ini.ReadColor("Expression", "InfoTitle", clBlue));
    recolor(sbInformation, ini.ReadColor("Expression", "InfoLaunchButton", clBlue));
    const TColor guidance = ini.ReadColor("Expression", "InfoGuidance", clBlack);
    for (TLabel* label : lNoneInfo) recolor(label, guidance);

    FitImage = ini.ReadBool("Expression", "ImageAdjust", true);
    sbMAIN->SetVisible(ini.ReadBool("Expression", "StatusBar", true));
    const bool toolbars = ini.ReadBool("Expression", "ToolBar", true);
    for (TPanel* bar : {pnTbFileSel, pnTbArchive, pnTbText, pnTbImage, pnTbAVI, pnTbCorrect}) bar->SetVisible(toolbars);

    if (FileLists) {
        const TFont tree = ReadFont(ini, "Fvx", FileLists->fvx->EffectiveFont());
        FileLists->fvx->SetFont(tree);
        if (tvArchive) tvArchive->SetFont(tree);
        const TFont list = ReadFont(ini, "Lvx", FileLists->lvFile->EffectiveFont());
        FileLists->lvFile->SetFont(list);
        for (TControl* other : {static_cast<TControl*>(FileLists->lvCorrect), static_cast<TControl*>(lvArchive)}) {
            if (other) other->SetFont(list);
        }
    }
}

void TfoMAIN::LoadListSettings(TListView* list, const char* section, const std::string& path) {
    if (!list || !FileExists(path)) return;
    const TIniFile ini(path);
    list->SetViewStyle(static_cast<TViewStyle>(ini.ReadInteger(section, "ViewStyle", 2) & 3));
    for (int i = 0; i < list->ColumnCount(); ++i) {
        list->SetColumnWidth(i, ini.ReadInteger(section, "WidthColumn" + std::to_string(i), 100));
    }
}

void TfoMAIN::SaveListSettings(TListView* list, const char* section, TIniFile& ini) {
    if (!list) return;
    ini.WriteInteger(section, "ViewStyle", list->ViewStyle());
    for (int i = 0; i < list->ColumnCount(); ++i) {
        ini.WriteInteger(section, "WidthColumn" + std::to_string(i), list->ColumnWidth(i));
    }
}

void TfoMAIN::SaveEnvironment(const std::string& path) {
    TIniFile ini(path);
    // The bounds the window has (a maximised one its maximised bounds); a
    // minimised window keeps the bounds it will come back to.
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    if (WindowState() == wsMinimized) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(Handle(), &wp);
        bounds = wp.rcNormalPosition;
    }
    ini.WriteInteger("FormExprs", "Height", bounds.bottom - bounds.top);
    ini.WriteInteger("FormExprs", "Width", bounds.right - bounds.left);
    ini.WriteInteger("FormExprs", "Left", bounds.left);
    ini.WriteInteger("FormExprs", "Top", bounds.top);
    ini.WriteInteger("FormExprs", "Maximized", WindowState());

    ini.WriteInteger("Control", "TvPanelWidth", pnBaseList->Width());
    if (pnArchiveTv) ini.WriteInteger("Control", "TvArchiveWidth", pnArchiveTv->Width());
    ini.WriteInteger("Control", "FolderExPanelWidth", pnFolder->Height());
    ini.WriteBool("Setting", "FolderUtyAutoClose", ShortcutAutoClose);
    ini.WriteInteger("Control", "ArchivePanelHeight", pnBaseArchive->Height());

    // Without the shortcut list the section is left as it is: nothing was loaded to save.
    if (FolderShortcuts) WriteNumbered(ini, "ShortCutFolder", FolderShortcuts());
    Fire(SaveTextViewSettings, ini.FileName());
    WriteNumbered(ini, "SearchWild", RecentWildcards);
    WriteNumbered(ini, "SearchWildExt", RecentUserExts);
    SaveListSettings(FileLists->lvFile, kFileListSection, ini);
    SaveListSettings(lvArchive, kArchiveListSection, ini);
    SaveListSettings(FileLists->lvCorrect, kSearchListSection, ini);

    ini.WriteBool("Setting", "BReadTextKByte", PartialRead);
    ini.WriteInteger("Setting", "ReadTextKByte", ReadLimitKB);
    ini.WriteString("Setting", "ExternalEditor", EditorPath);
    ini.WriteBool("Setting", "QGwQuillmark", GifOption);
    ini.WriteBool("Setting", "HyperLink", HyperlinkNotice);
    ini.WriteString("Setting", "TextEncoding", TextEncoding.SettingValue());

    ini.WriteString("Expression", "InformationWallPaper", WallpaperPath);
    auto color = [](TControl* c) { return c->EffectiveFont().Color == clDefault ? clBlack : c->EffectiveFont().Color; };
    ini.WriteColor("Expression", "InfoTitle", color(lInformationTitle));
    ini.WriteColor("Expression", "InfoLaunchButton", color(sbInformation));
    ini.WriteColor("Expression", "InfoGuidance", color(lNoneInfo[0]));
    ini.WriteBool("Expression", "ImageAdjust", FitImage);
    ini.WriteBool("Expression", "StatusBar", sbMAIN->Visible());
    ini.WriteBool("Expression", "ToolBar", pnTbFileSel->Visible());
    WriteFont(ini, "Fvx", FileLists->fvx->EffectiveFont());
    WriteFont(ini, "Lvx", FileLists->lvFile->EffectiveFont());
}
