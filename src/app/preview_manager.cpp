// Choosing the pane for a file and handing the file to it.
#include "app/file_info_line.h"
#include "app/archive_pane.h"
#include "app/image_preview.h"
#include "app/information_text.h"
#include "app/text_preview.h"
#include "app/main_form.h"
#include "app/preview_choice.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "media/led_group.h"
#include "media/media_pane.h"

TPanel* TfoMAIN::PaneOf(FileKind kind) const {
    switch (kind) {
    case fkText: return pnBaseText;
    case fkImage: return pnBaseImage;
    case fkMedia: return pnBaseAVI;
    default: return pnBaseNone;
    }
}

FileKind TfoMAIN::SwitchPreviewPane(FileKind oldKind, FileKind newKind) {
    if (oldKind == newKind) return newKind;
    TPanel* oldPane = PaneOf(oldKind);
    TPanel* newPane = PaneOf(newKind);
    pnView->DisableAlign();
    oldPane->SetVisible(false);
    oldPane->SetAlign(alNone);
    newPane->SetAlign(alClient);
    newPane->SetVisible(true);
    pnView->EnableAlign();
    return newKind;
}

namespace {
char LocaleThousandsSeparator() {
    char sep[4] = ",";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
    return sep[0] ? sep[0] : ',';
}
}  // namespace

void TfoMAIN::PreviewFile(const std::string& path, bool isArchiveMember) {
    FullyLoaded = false;
    const FileKind kind = ClassifyFile(path, GifOption);
    CurrentFileKind = SwitchPreviewPane(CurrentFileKind, kind);
    if (!isArchiveMember) {
        pnBaseArchive->SetVisible(kind == fkArchive);
        spArchive->SetVisible(kind == fkArchive);
    }
    MediaPane->Leave();
    switch (kind) {
    case fkText:
        TextPreview->PreviewText(path);
        break;
    case fkImage:
        WriteFileInformation(path, ImagePreview->PreviewImage(path));
        break;
    case fkMedia:
        WriteFileInformation(path, 0);
        MediaPane->ShowMedia(path);
        break;
    case fkWave:
        if (!Trim(path).empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
            SjisUpperCase(ExtractFileExt(path)) == ".WAV") {
            sndPlaySoundA(path.c_str(), SND_ASYNC | SND_NODEFAULT);
        }
        WriteFileInformation(path, 0);
        ShowInformation(LastInformationText, path);
        break;
    case fkArchive:
        WriteFileInformation(path, 0);
        if (ArchivePane && ArchivePane->PreviewArchive(path, isArchiveMember)) {
            ShowInformation(LastInformationText, path);
        }
        break;
    default:
        WriteFileInformation(path, 0);
        ShowInformation(LastInformationText, path);
        break;
    }
    mmImg->SetEnabled(kind == fkImage);
    mmEdit->SetEnabled(kind == fkText);
    mmAvi->SetEnabled(kind == fkMedia);
}

void TfoMAIN::PreviewSelected(int selectedIndex, const std::string& selectedPath, int& listTag) {
    if (!SelectionPreviews(selectedIndex, selectedPath, CurrentFilePath)) return;
    PreviewFile(selectedPath, false);
    CurrentFilePath = selectedPath;
    listTag = selectedIndex;
}

void TfoMAIN::WriteFileInformation(const std::string& path, double scale) {
    std::string name, date, size;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(ExcludeTrailingBackslash(path).c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        FindClose(h);
        if (SjisSameText(fd.cFileName, ExtractFileName(ExcludeTrailingBackslash(path)))) {
            name = fd.cFileName;
            FILETIME local;
            SYSTEMTIME st;
            FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local);
            FileTimeToSystemTime(&local, &st);
            date = Format("%04d/%02d/%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour,
                          st.wMinute, st.wSecond);
            size = SizeText((static_cast<long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                            LocaleThousandsSeparator());
        }
    }
    InformationPrefix = ::InformationPrefix(name, date, size);
    lFileInfo->SetCaption(InformationPrefix + ZoomText(scale));
    if (scale != 0) {
        lgImgWidth->SetCaption(Format("%4d", ImageWidth));
        lgImgHeight->SetCaption(Format("%4d", ImageHeight));
    }
}

void TfoMAIN::LaunchFile(const std::string& path) {
    sndPlaySoundA(nullptr, 0);
    // The device would otherwise keep playing, and keep the file open,
    // beside the program the shell starts for it.
    MediaPane->Leave();
    const std::string folder = ExcludeTrailingBackslash(ExtractFilePath(path));
    if (ShellOpen) {
        ShellOpen(path, folder);
    } else {
        ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
    }
}

void TfoMAIN::ClearInformationLabels() {
    for (TLabel* label : lNoneInfo) label->SetCaption("");
}

void TfoMAIN::ShowInformation(std::vector<std::string>& lastText, const std::string& path) {
    const TGuidance g = GuidanceFor(path);
    if (JoinLines(g.Lines) == JoinLines(lastText)) return;
    ClearInformationLabels();
    FillInformationPane(g.Lines, g.ButtonCaption);
    lastText = g.Lines;
}

void TfoMAIN::FillInformationPane(const std::vector<std::string>& lines, const std::string& caption) {
    const TInformationView view = InformationView(lines, caption);
    lInformationTitle->SetVisible(view.TitleShown);
    sbInformation->SetVisible(view.ButtonShown);
    if (view.ButtonShown) sbInformation->SetCaption(view.ButtonCaption);
    for (std::size_t i = 0; i < view.Labels.size(); ++i) lNoneInfo[i]->SetCaption(view.Labels[i]);
    pnBaseNone->Repaint();
}
