#include "ui/forms.h"
#include <htmlhelp.h>

namespace {
using THtmlHelp = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// The HTML Help viewer, loaded on first use: a program that never asks for
// help does not load it, and one without it still runs.
THtmlHelp HtmlHelpViewer() {
    static THtmlHelp viewer = [] {
        HMODULE library = LoadLibraryA("hhctrl.ocx");
        return library ? reinterpret_cast<THtmlHelp>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")))
                       : nullptr;
    }();
    return viewer;
}
bool helpOpened = false;
}  // namespace

TApplication* Application = nullptr;

// ---------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* owner, TBorderStyle border, const char* windowClass)
    : TWinControl(owner, nullptr), BorderStyle(border) {
    visible_ = false;
    left_ = CW_USEDEFAULT;
    top_ = CW_USEDEFAULT;
    width_ = 400;
    height_ = 300;
    DWORD style = WS_CLIPCHILDREN, ex = WS_EX_CONTROLPARENT;
    switch (border) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        ex |= WS_EX_DLGMODALFRAME;
        break;
    default: style |= WS_OVERLAPPEDWINDOW; break;
    }
    // Dialogs belong to the main window so that they stay above it.
    HWND ownerWnd = nullptr;
    if (Application && Application->MainForm && Application->MainForm != this) {
        ownerWnd = Application->MainForm->Handle();
    }
    if (windowClass) RegisterOwnClass(windowClass);
    CreateHandle(windowClass, style, ex, ownerWnd);
    SyncBoundsFromWindow();
}

TForm::~TForm() {
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
}

TForm* TForm::FormOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    return dynamic_cast<TForm*>(FromHandle(GetAncestor(hwnd, GA_ROOT)));
}

void TForm::SetClientSize(int w, int h) {
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, GetWindowLongA(handle_, GWL_STYLE), Menu != nullptr,
                       GetWindowLongA(handle_, GWL_EXSTYLE));
    SetBounds(left_ == CW_USEDEFAULT ? 0 : left_, top_ == CW_USEDEFAULT ? 0 : top_, r.right - r.left,
              r.bottom - r.top);
}

int TForm::ClientWidth() const { return ClientRect().right; }
int TForm::ClientHeight() const { return ClientRect().bottom; }

TWindowState TForm::WindowState() const {
    if (IsZoomed(handle_)) return wsMaximized;
    if (IsIconic(handle_)) return wsMinimized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState s) {
    if (!visible_) {
        // Applied when the form is shown.
        if (s == wsMaximized) SetWindowLongA(handle_, GWL_STYLE, GetWindowLongA(handle_, GWL_STYLE) | WS_MAXIMIZE);
        return;
    }
    ShowWindow(handle_, s == wsMaximized ? SW_MAXIMIZE : s == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TForm::CenterOnScreen() {
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    SetBounds(wa.left + (wa.right - wa.left - width_) / 2, wa.top + (wa.bottom - wa.top - height_) / 2,
              width_, height_);
}

void TForm::Show() {
    if (Position == poScreenCenter) CenterOnScreen();
    visible_ = true;
    bool maximized = GetWindowLongA(handle_, GWL_STYLE) & WS_MAXIMIZE;
    ShowWindow(handle_, maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    Fire(OnShow, this);
}

bool TForm::Active() const { return handle_ && GetActiveWindow() == handle_; }

void TForm::Close() {
    if (closing_) return;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (modal_) {
        if (ModalResult == mrNone) ModalResult = mrCancel;
        return;
    }
    closing_ = true;
    if (Application && Application->MainForm == this) {
        Application->Terminate();
    } else {
        visible_ = false;
        ShowWindow(handle_, SW_HIDE);
    }
    closing_ = false;
}

int TForm::ShowModal() {
    HWND ownerWnd = GetWindow(handle_, GW_OWNER);
    if (ownerWnd) EnableWindow(ownerWnd, FALSE);
    modal_ = true;
    ModalResult = mrNone;
    Show();
    while (ModalResult == mrNone && Application && !Application->Terminated()) {
        if (!Application->HandleMessage()) break;
    }
    modal_ = false;
    if (ownerWnd) EnableWindow(ownerWnd, TRUE);
    visible_ = false;
    ShowWindow(handle_, SW_HIDE);
    if (ownerWnd) SetActiveWindow(ownerWnd);
    return ModalResult;
}

bool TForm::PreviewKey(WORD& key, TShiftState shift) {
    if (Menu) {
        TShortCut sc = key;
        if (shift & ssShift) sc |= scShift;
        if (shift & ssCtrl) sc |= scCtrl;
        if (shift & ssAlt) sc |= scAlt;
        if (TMenuItem* item = Menu->Items()->FindShortCut(sc)) {
            // A shortcut of a disabled item is swallowed, as it is in the menu.
            for (TMenuItem* p = item; p; p = p->Parent()) {
                if (!p->Enabled()) return true;
            }
            item->Click();
            return true;
        }
    }
    if (KeyPreview && OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return true;
    }
    return false;
}

namespace {
const UINT kReleaseMessage = WM_APP + 0x51;
}  // namespace

void TForm::Release() { PostMessageA(handle_, kReleaseMessage, 0, 0); }

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kReleaseMessage:
        // Nothing of this object is touched after this.
        delete this;
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            Fire(OnDeactivate, this);
        } else {
            Fire(OnActivate, this);
        }
        break;
    case WM_COMMAND:
        if (lp == 0 && Menu) {
            if (TMenuItem* item = Menu->Items()->FindByCommand(LOWORD(wp))) {
                item->Click();
                return 0;
            }
        }
        break;
    case WM_INITMENUPOPUP:
        if (Menu && !HIWORD(lp)) {
            // Opening a menu runs its item's handler, which updates checks and enabling.
            if (TMenuItem* item = Menu->Items()->FindByPopup(reinterpret_cast<HMENU>(wp))) item->Click();
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (KeyPreview) return DefaultProc(msg, wp, lp);  // already seen by PreviewKey
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication() : TComponent(nullptr) {
    Application = this;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
}

TApplication::~TApplication() {
    // Help windows are the viewer's, not ours: they close with the program.
    if (helpOpened) HtmlHelpViewer()(nullptr, nullptr, HH_CLOSE_ALL, 0);
    helpOpened = false;
    // The forms go first, while they can still reach the application.
    while (!Components().empty()) delete Components().back();
    if (Application == this) Application = nullptr;
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        if (TForm* form = TForm::FormOf(msg.hwnd)) {
            WORD key = static_cast<WORD>(msg.wParam);
            if (form->PreviewKey(key, KeyboardShiftState())) return true;
            msg.wParam = key;
        }
    }
    if (TForm* form = TForm::FormOf(msg.hwnd); form && form->BorderStyle == bsDialog &&
                                                 IsDialogMessageA(form->Handle(), &msg)) {
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

bool TApplication::HandleMessage() {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return false;
        }
        return ProcessMessage(msg);
    }
    Idle();
    return !terminated_;
}

void TApplication::Idle() {
    bool done = true;
    if (OnIdle) OnIdle(this, done);
    if (done) WaitMessage();
}

void TApplication::Run() {
    while (!terminated_) {
        if (!HandleMessage()) break;
    }
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ProcessMessage(msg);
    }
}

void TApplication::SetHint(const std::string& hint) {
    if (hint == Hint) return;
    Hint = hint;
    Fire(OnHint, this);
}

// ---------------------------------------------------------------------------
// Hints: one tracking tooltip for the whole program, shown a moment after
// the mouse comes to rest on a control with a hint.

namespace {
struct HintState {
    TControl* over = nullptr;
    HWND tip = nullptr;
    UINT_PTR timer = 0;
    std::string text;
    TOOLINFOA tool{};
} hints;

void HideTip() {
    if (hints.timer) KillTimer(nullptr, hints.timer);
    hints.timer = 0;
    if (hints.tip) SendMessageA(hints.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&hints.tool));
}

void CALLBACK ShowTip(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, hints.timer);
    hints.timer = 0;
    if (!hints.over || hints.text.empty()) return;
    if (!hints.tip) {
        hints.tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        hints.tool.cbSize = TTTOOLINFOA_V1_SIZE;
        hints.tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        hints.tool.lpszText = const_cast<char*>("");
        SendMessageA(hints.tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&hints.tool));
    }
    hints.tool.lpszText = const_cast<char*>(hints.text.c_str());
    SendMessageA(hints.tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&hints.tool));
    POINT pt;
    GetCursorPos(&pt);
    SendMessageA(hints.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(pt.x, pt.y + 20));
    SendMessageA(hints.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&hints.tool));
}
}  // namespace

void HintForget(TControl* c) {
    if (c != hints.over) return;
    HideTip();
    hints.over = nullptr;
}

void HintHover(TControl* c) {
    if (c == hints.over) return;
    HideTip();
    hints.over = c;
    hints.text = c && c->ShowHint ? c->Hint : std::string();
    if (Application) Application->SetHint(c ? c->Hint : std::string());
    if (!hints.text.empty()) hints.timer = SetTimer(nullptr, 0, 500, ShowTip);
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}


bool TApplication::HelpContext(int context) {
    THtmlHelp viewer = nullptr;
    if (!HelpFile.empty() && GetFileAttributesA(HelpFile.c_str()) != INVALID_FILE_ATTRIBUTES) viewer = HtmlHelpViewer();
    if (viewer && viewer(MainForm ? MainForm->Handle() : nullptr, HelpFile.c_str(), HH_HELP_CONTEXT,
                         static_cast<DWORD_PTR>(context))) {
        helpOpened = true;
        return true;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    return false;
}

namespace {
HHOOK yesCancelHook = nullptr;

// Renames the OK button of the box about to be shown, then steps aside.
LRESULT CALLBACK YesCaptionHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND ok = GetDlgItem(reinterpret_cast<HWND>(wParam), IDOK);
        if (ok) SetWindowTextA(ok, "はい(&Y)");
        UnhookWindowsHookEx(yesCancelHook);
        yesCancelHook = nullptr;
        return 0;
    }
    return CallNextHookEx(yesCancelHook, code, wParam, lParam);
}

int ShowBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    if ((flags & MB_TYPEMASK) != MB_YESCANCEL)
        return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
    yesCancelHook = SetWindowsHookExA(WH_CBT, YesCaptionHook, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxA(owner, text.c_str(), caption.c_str(),
                                   (flags & ~MB_TYPEMASK) | MB_OKCANCEL);
    if (yesCancelHook) {
        UnhookWindowsHookEx(yesCancelHook);
        yesCancelHook = nullptr;
    }
    return answer == IDOK ? IDYES : answer;
}
}  // namespace

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return ShowBox(GetActiveWindow(), text, caption, flags);
}

namespace {
TMessageBoxHook& BoxHook() {
    static TMessageBoxHook hook;
    return hook;
}
}  // namespace

void SetMessageBoxHook(TMessageBoxHook hook) { BoxHook() = std::move(hook); }

namespace {
int ShowWithBeep(UINT beep, const std::string& text, UINT flags, const std::string& caption) {
    if (BoxHook()) return BoxHook()(beep, text, flags);
    if (beep) MessageBeep(beep);
    const std::string title =
        !caption.empty() ? caption : Application ? Application->Title : std::string("Quillmark");
    if (Application) return Application->ShowMessageBox(text, title, flags);
    return ShowBox(nullptr, text, title, flags);
}
}  // namespace

int BeepBox(UINT beep, const std::string& text, UINT flags) { return ShowWithBeep(beep, text, flags, ""); }

UINT SeverityBeep(TSeverity severity) {
    switch (severity) {
    case TSeverity::Information:
    case TSeverity::Question:
        return MB_ICONASTERISK;
    case TSeverity::Warning:
    case TSeverity::Error:
        return MB_ICONEXCLAMATION;
    case TSeverity::Stop:
        return MB_ICONHAND;
    case TSeverity::Plain:
        break;
    }
    return 0;
}

UINT SeverityIcon(TSeverity severity) {
    switch (severity) {
    case TSeverity::Information:
        return MB_ICONINFORMATION;
    case TSeverity::Question:
        return MB_ICONQUESTION;
    case TSeverity::Warning:
        return MB_ICONWARNING;
    case TSeverity::Error:
        return MB_ICONERROR;
    case TSeverity::Stop:
        return MB_ICONSTOP;
    case TSeverity::Plain:
        break;
    }
    return 0;
}

const TTellOptions kExclamationSound{true, "", MB_ICONEXCLAMATION};

int TellUser(TSeverity severity, const std::string& text, TAnswers answers, const TTellOptions& options) {
    UINT buttons = MB_OK;
    switch (answers) {
    case TAnswers::Ok:
        break;
    case TAnswers::OkCancel:
        buttons = MB_OKCANCEL;
        break;
    case TAnswers::YesNo:
        buttons = MB_YESNO;
        break;
    case TAnswers::YesCancel:
        buttons = MB_YESCANCEL;
        break;
    }
    const UINT beep = !options.Beep ? 0 : options.Sound ? options.Sound : SeverityBeep(severity);
    return ShowWithBeep(beep, text, buttons | SeverityIcon(severity), options.Caption);
}
