// qmtool show-archive ARCHIVE [NODE|-] [OUT.BMP] [SECONDS]
// Shows the main window with the archive pane listing ARCHIVE (the tree
// node captioned NODE selected, which opens a nested archive), writes what
// the screen shows of the window as a .BMP and keeps it up for SECONDS.

// needs: qm_app_win qm_archive_win
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/archive_pane.h"
#include "app/file_lists.h"
#include "app/main_form.h"
#include "qmtool.h"

namespace {
void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The window as the screen shows it, frame included, as a 24-bit .BMP.
bool SaveWindowBitmap(HWND hwnd, const std::string& path) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    const DWORD stride = ((w * 24 + 31) / 32) * 4;
    std::string pixels(static_cast<std::size_t>(stride) * h, '\0');
    GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
                    std::fwrite(&bi, sizeof bi, 1, f) == 1 &&
                    std::fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return std::fclose(f) == 0 && ok;
}

int ShowArchive(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: show-archive ARCHIVE [NODE|-] [OUT.BMP] [SECONDS]\n");
        return 2;
    }
    char full[MAX_PATH];
    if (!GetFullPathNameA(args[0].c_str(), MAX_PATH, full, nullptr)) return 1;
    const std::string archive = full;
    // A program folder of its own, so the work folder is ours to empty.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "qmtool-show-archive";
    CreateDirectoryA(folder.c_str(), nullptr);

    TApplication app;
    auto* form = new TfoMAIN(&app, folder + "\\Quillmark.exe");
    form->SetBounds(0, 0, 900, 620);
    form->pnBaseArchive->SetHeight(260);
    form->FormActivate(form);
    TArchivePane* pane = form->ArchivePane;
    form->Show();
    PumpFor(300);

    form->PreviewFile(archive, false);
    form->CurrentFilePath = archive;
    pane->PreviewArchive(archive, false);
    if (args.size() > 1 && args[1] != "-") pane->Operation()->SelectNodeByName(args[1]);
    PumpFor(1500);

    int rc = 0;
    if (args.size() > 2 && !args[2].empty()) {
        if (SaveWindowBitmap(form->Handle(), args[2])) {
            std::printf("%s written\n", args[2].c_str());
        } else {
            std::fprintf(stderr, "cannot write %s\n", args[2].c_str());
            rc = 1;
        }
    }
    const int seconds = args.size() > 3 ? std::atoi(args[3].c_str()) : 0;
    PumpFor(static_cast<DWORD>(seconds > 0 ? seconds : 0) * 1000);
    std::printf("tree nodes %d, members listed %d\n", pane->tvArchive->Count(),
                pane->lvArchive->ItemCount());
    delete pane;
    form->Close();
    return rc;
}
} // namespace

static const QmCommand
    showArchiveCommand("show-archive",
                       "ARCHIVE [NODE|-] [OUT.BMP] [SECONDS]   show an archive in the archive pane",
                       ShowArchive);
