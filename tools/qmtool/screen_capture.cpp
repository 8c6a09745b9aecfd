#include "screen_capture.h"

#include <cstdio>

#include "ui/forms.h"
#include "ui/gdi.h"

void PumpMessages(DWORD ms, TApplication* app) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (app && app->OnIdle) {
            bool done = true;
            app->OnIdle(app, done);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool SaveWindowBitmap(HWND hwnd, const std::string& path) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    gdi::WindowDC screen;
    gdi::MemoryDC mem(screen, w, h);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    // Read back once no context holds the bitmap.
    const gdi::Bitmap bmp = mem.TakeBitmap();
    BITMAPINFOHEADER bi{};
    bi.biSize = sizeof bi;
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    const DWORD stride = ((w * 24 + 31) / 32) * 4;
    std::string pixels(static_cast<std::size_t>(stride) * h, '\0');
    GetDIBits(mem, bmp, 0, h, &pixels[0], reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi, sizeof bi, 1, f) == 1 &&
                    std::fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return std::fclose(f) == 0 && ok;
}

bool CaptureWindow(HWND hwnd, const std::string& path) {
    if (path.empty()) return true;
    if (!SaveWindowBitmap(hwnd, path)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s written\n", path.c_str());
    return true;
}
