#include "settings/common_dialogs_win.h"

#include <commdlg.h>

#include <vector>

namespace {
TOpenDialogHook& OpenHook() {
    static TOpenDialogHook hook;
    return hook;
}

TColorDialogHook& ColorHook() {
    static TColorDialogHook hook;
    return hook;
}
}  // namespace

void SetOpenDialogHook(TOpenDialogHook hook) { OpenHook() = std::move(hook); }
void SetColorDialogHook(TColorDialogHook hook) { ColorHook() = std::move(hook); }

bool ExecuteOpenDialog(HWND owner, const TOpenDialogOptions& options, std::string& fileName) {
    if (OpenHook()) return OpenHook()(options, fileName);
    // The system wants the pairs separated by NULs and two NULs at the end;
    // '|' is never a trail byte of a double-byte character.
    std::string filter = options.Filter;
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    filter.append(2, '\0');
    std::vector<char> name(MAX_PATH * 4, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = options.InitialDir.empty() ? nullptr : options.InitialDir.c_str();
    ofn.lpstrTitle = options.Title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return false;
    fileName = name.data();
    return true;
}

bool ExecuteColorDialog(HWND owner, TColor& color) {
    if (ColorHook()) return ColorHook()(color);
    static COLORREF custom[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = IsSystemColor(color) ? GetSysColor(static_cast<int>(color & 0xFF))
                   : color == clDefault ? GetSysColor(COLOR_WINDOWTEXT)
                                        : static_cast<COLORREF>(color & 0xFFFFFF);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    color = cc.rgbResult;
    return true;
}
