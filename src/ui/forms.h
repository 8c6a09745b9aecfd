// Forms and the application object.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/menus.h"
#include "ui/screen.h"

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree };
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TForm : public TWinControl {
public:
    // windowClass: the form's window class name, so other programs can find it.
    explicit TForm(TComponent* owner, TBorderStyle border = bsSizeable, const char* windowClass = nullptr);
    ~TForm() override;

    TBorderStyle BorderStyle;
    TPosition Position = poDesigned;
    bool KeyPreview = false;
    TMainMenu* Menu = nullptr;

    void SetClientSize(int w, int h);
    int ClientWidth() const;
    int ClientHeight() const;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState s);

    void Show();
    void Close();
    // Frees the form once the message loop reaches a message posted now,
    // so it stays on screen until the program is idle for the first time.
    void Release();
    int ShowModal();
    int ModalResult = mrNone;
    void SetModalResult(int r) { ModalResult = r; }
    bool Active() const;

    TNotifyEvent OnActivate, OnDeactivate, OnShow;
    std::function<void(TObject*, TCloseAction&)> OnClose;
    std::function<void(TObject*, bool& canClose)> OnCloseQuery;

    // Key preview: the form sees a key before the focused control. Returns
    // true when the key was consumed.
    bool PreviewKey(WORD& key, TShiftState shift);
    static TForm* FormOf(HWND hwnd);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void CenterOnScreen();
    bool closing_ = false;
    bool modal_ = false;
};

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    std::string Title;
    std::string HelpFile;
    TForm* MainForm = nullptr;
    // Called while the message queue is empty; set done to false to be
    // called again at once.
    std::function<void(TObject*, bool& done)> OnIdle;
    // Hint of the control under the mouse; OnHint fires when it changes.
    std::string Hint;
    TNotifyEvent OnHint;
    void SetHint(const std::string& hint);

    void Initialize() {}
    // Takes ownership; the first form created becomes the main form.
    template <typename F, typename... Args>
    F* CreateForm(Args&&... args) {
        F* f = new F(this, std::forward<Args>(args)...);
        if (!MainForm) MainForm = f;
        return f;
    }
    void Run();
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Runs one message; returns false when the queue held WM_QUIT.
    bool HandleMessage();
    // Opens the help file (HTML Help) at a context number. Without the file
    // or the viewer it only beeps; returns whether the help window opened.
    bool HelpContext(int context);
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

private:
    bool ProcessMessage(MSG& msg);
    void Idle();
    bool terminated_ = false;
};
extern TApplication* Application;

// A message box the way the program shows one: the beep first (0x30 the
// exclamation sound, 0x40 the information sound), the application's title
// as caption.
int BeepBox(UINT beep, const std::string& text, UINT flags);

// How grave a message to the user is; it picks the beep and the icon:
// information and questions sound the information beep, warnings and
// errors the exclamation; Stop is the standard error box of the
// application (the stop sound and icon), Plain a box without beep or icon.
enum class TSeverity { Information, Warning, Error, Question, Stop, Plain };
// The buttons a box offers.
enum class TAnswers { Ok, OkCancel, YesNo, YesCancel };
struct TTellOptions {
    // A component's own notices come without the program's beep.
    bool Beep = true;
    // Empty: the application's title.
    std::string Caption;
    // A sound of its own instead of the severity's (0: the severity's).
    UINT Sound = 0;
};
// For the few boxes that pair the exclamation sound with another icon.
extern const TTellOptions kExclamationSound;
// Every message box of the program goes through here (and so through the
// test hook below). Returns the button pressed: IDOK, IDCANCEL, IDYES, IDNO.
int TellUser(TSeverity severity, const std::string& text, TAnswers answers = TAnswers::Ok,
             const TTellOptions& options = {});
UINT SeverityBeep(TSeverity severity);
UINT SeverityIcon(TSeverity severity);

// Win32 boxes offer no Yes/Cancel pair; this button type in a box's flags
// shows OK/Cancel with OK captioned as Yes, and the box answers IDYES or
// IDCANCEL.
constexpr UINT MB_YESCANCEL = 0x00000007L;

// Tests put a recorder here so that no box waits for a user; it gets the
// beep (0 for none), the text and the flags and returns the button
// "pressed".
using TMessageBoxHook = std::function<int(UINT beep, const std::string& text, UINT flags)>;
void SetMessageBoxHook(TMessageBoxHook hook);
