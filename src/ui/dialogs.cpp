#include "ui/dialogs.h"

#include <commdlg.h>

bool ExecuteFontDialog(HWND owner, TFont& font) {
    LOGFONTA lf{};
    lf.lfHeight = -font.Height;
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfStrikeOut = font.StrikeOut;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.rgbColors = font.Color == clDefault ? GetSysColor(COLOR_WINDOWTEXT) : font.Color;
    if (!ChooseFontA(&cf)) return false;
    font.Name = lf.lfFaceName;
    font.Height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    font.Bold = lf.lfWeight >= FW_BOLD;
    font.Italic = lf.lfItalic;
    font.Underline = lf.lfUnderline;
    font.StrikeOut = lf.lfStrikeOut;
    font.Color = cf.rgbColors;
    return true;
}

namespace {
TInputQueryHook& InputHook() {
    static TInputQueryHook hook;
    return hook;
}

struct InputBox {
    const std::string* caption;
    const std::string* prompt;
    std::string* value;
    TFont font;
};

constexpr int kInputEdit = 100;

INT_PTR CALLBACK InputBoxProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* box = reinterpret_cast<InputBox*>(lp);
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        SetWindowTextA(dlg, box->caption->c_str());
        // The box's own copy keeps the handle alive as long as the controls use it.
        const HFONT font = box->font.Handle();
        RECT r{0, 0, 330, 110};
        AdjustWindowRectEx(&r, GetWindowLongA(dlg, GWL_STYLE), FALSE, GetWindowLongA(dlg, GWL_EXSTYLE));
        SetWindowPos(dlg, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        RECT wa;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
        SetWindowPos(dlg, nullptr, wa.left + (wa.right - wa.left - (r.right - r.left)) / 2,
                     wa.top + (wa.bottom - wa.top - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const HINSTANCE inst = GetModuleHandleA(nullptr);
        auto make = [&](const char* cls, const char* text, DWORD style, DWORD ex, int x, int y, int w, int h,
                        int id) {
            HWND c = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dlg,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
            SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            return c;
        };
        make("STATIC", box->prompt->c_str(), SS_LEFT | SS_NOPREFIX, 0, 10, 10, 310, 18, -1);
        HWND edit = make("EDIT", box->value->c_str(), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 10,
                         34, 310, 24, kInputEdit);
        make("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 160, 72, 75, 26, IDOK);
        make("BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 0, 245, 72, 75, 26, IDCANCEL);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SetFocus(edit);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            auto* box = reinterpret_cast<InputBox*>(GetWindowLongPtrA(dlg, DWLP_USER));
            HWND edit = GetDlgItem(dlg, kInputEdit);
            std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
            text.resize(static_cast<std::size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
            *box->value = text;
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

void SetInputQueryHook(TInputQueryHook hook) { InputHook() = std::move(hook); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    if (InputHook()) return InputHook()(caption, prompt, value);
    // An empty dialog template; the controls are made when it opens.
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    tpl.t.cx = 200;
    tpl.t.cy = 70;
    InputBox box{&caption, &prompt, &value};
    HWND owner = GetActiveWindow();
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &tpl.t, owner, InputBoxProc,
                                   reinterpret_cast<LPARAM>(&box)) == IDOK;
}
