#include "archive/win_archive_host.h"

#include "ui/win32.h"

#include "base/strutil.h"

namespace {

constexpr UINT kRunMessage = WM_APP + 0x41;
const char kSyncClass[] = "QuillmarkArchiveSync";

LRESULT CALLBACK SyncProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRunMessage) {
        (*reinterpret_cast<const std::function<void()>*>(lp))();
        return 1;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

HWND CreateSyncWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = SyncProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kSyncClass;
    RegisterClassA(&wc); // fails harmlessly when already registered
    return CreateWindowExA(0, kSyncClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                           nullptr);
}

} // namespace

TWinArchiveHost::TWinArchiveHost(HWND application_window)
    : application_window_(reinterpret_cast<TWindowHandle>(application_window)) {
    HWND target = CreateSyncWindow();
    sync_window_ = reinterpret_cast<TWindowHandle>(target);
    // Captures the window handle only: a late call after the host is gone
    // finds no window and returns at once.
    Synchronize = [target](const std::function<void()>& fn) {
        SendMessageA(target, kRunMessage, 0, reinterpret_cast<LPARAM>(&fn));
    };
}

TWinArchiveHost::~TWinArchiveHost() {
    if (sync_window_) DestroyWindow(reinterpret_cast<HWND>(sync_window_));
}

TWindowHandle TWinArchiveHost::ApplicationWindow() {
    return application_window_;
}

bool TWinArchiveHost::FileExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinArchiveHost::DirectoryExists(const std::string& path) {
    if (path.empty()) return false;
    DWORD a = GetFileAttributesA(ExcludeTrailingBackslash(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TWinArchiveHost::ExeFolder() {
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return ExtractFilePath(std::string(buf, n));
}

bool TWinArchiveHost::WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) &&
              put == text.size();
    CloseHandle(f);
    return ok;
}

std::intptr_t TWinArchiveHost::BeginHourglass() {
    return reinterpret_cast<std::intptr_t>(SetCursor(LoadCursorA(nullptr, IDC_WAIT)));
}

void TWinArchiveHost::EndHourglass(std::intptr_t saved) {
    SetCursor(reinterpret_cast<HCURSOR>(saved));
}

int TWinArchiveHost::CompareStr(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

std::string TWinArchiveHost::ShellTypeName(const std::string& path, std::uint32_t attributes) {
    SHFILEINFOA sfi{};
    if (!SHGetFileInfoA(path.c_str(), attributes, &sfi, sizeof sfi,
                        SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME))
        return std::string();
    return sfi.szTypeName;
}

int TWinArchiveHost::ShellIconIndex(const std::string& path, std::uint32_t attributes) {
    SHFILEINFOA sfi{};
    if (!SHGetFileInfoA(path.c_str(), attributes, &sfi, sizeof sfi,
                        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return -1;
    return sfi.iIcon;
}

std::unique_ptr<TArchiveWatcher> TWinArchiveHost::CreateWatcher(std::function<void()> on_change) {
    if (!Watch) return nullptr;
    return std::make_unique<TArchiveNotifyThread>(std::move(on_change), Synchronize);
}
