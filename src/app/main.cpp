// Program entry: one instance at a time, the splash while the windows are
// built, then the message loop until the main window closes.
#include "app/main_form.h"
#include "app/splash_form.h"
#include "base/strutil.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Another instance owns the mutex: say so and leave without touching anything.
    if (HANDLE other = OpenMutexA(0x1F0001, FALSE, "hQUILLMARKKVT")) {
        CloseHandle(other);
        TTellOptions title;
        title.Caption = "Quillmark";
        TellUser(TSeverity::Warning, "Quilmark は既に起動されています\r\r二重に起動することは出来ません", TAnswers::Ok, title);
        return 0;
    }
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "hQUILLMARKKVT");

    TApplication app;
    auto* splash = new TfoSplash(nullptr);
    splash->Show();
    splash->Update();

    app.Initialize();
    app.Title = "Quillmark";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    app.HelpFile = ChangeFileExt(self, ".chm");

    auto* main = app.CreateForm<TfoMAIN>(std::string(self));
    main->BindSearchWindow(app.CreateForm<TfoSetFile>());

    main->Show();
    // It goes when the loop below handles its first message, as the main
    // window appears.
    splash->Release();
    app.Run();

    // The mutex goes with the process; holding it to the very end keeps a
    // starting instance from slipping in while this one closes.
    (void)mutex;
    return 0;
}
