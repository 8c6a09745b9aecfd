#include "media/media_player.h"

#include <digitalv.h>

namespace {
constexpr const char* kNoDevice = "MCI デバイスがありません";
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TComponent(owner) {}

TMediaPlayer::~TMediaPlayer() {
    if (device_) mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, 0);
}

std::string TMediaPlayer::ErrorText(MCIERROR code) {
    char text[MAXERRORLENGTH] = {};
    if (!mciGetErrorStringA(code, text, sizeof text) || !text[0]) {
        // A code the platform has no text for still says which it was.
        return "MCI error " + std::to_string(code);
    }
    return text;
}

void TMediaPlayer::Check(MCIERROR code) const {
    if (code) throw EMCIDeviceError(ErrorText(code));
}

void TMediaPlayer::CheckOpen() const {
    if (!device_) throw EMCIDeviceError(kNoDevice);
}

void TMediaPlayer::Open() {
    if (device_) Close();
    hasVideo_ = false;
    displayRect_ = {0, 0, 0, 0};
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = FileName.c_str();
    // No device type: the platform picks it from the file.
    Check(mciSendCommandA(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open)));
    device_ = open.wDeviceID;
    // Wine's video driver lets a clip's player thread run on for a moment
    // after a close has returned; unloaded with its last device, the driver
    // takes the thread's code with it and the program dies. Once loaded it
    // stays: a thread that outlives its device then finishes harmlessly.
    HMODULE driver = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, "mciavi32.dll", &driver);
    try {
        Length(); // a device that cannot tell its length is of no use here
        MCI_GETDEVCAPS_PARMS caps{};
        caps.dwItem = MCI_GETDEVCAPS_HAS_VIDEO;
        if (!mciSendCommandA(device_, MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM,
                             reinterpret_cast<DWORD_PTR>(&caps))) {
            hasVideo_ = caps.dwReturn != 0;
        }
        if (hasVideo_) {
            MCI_DGV_WINDOW_PARMSA window{};
            window.hWnd = Display;
            Check(mciSendCommandA(device_, MCI_WINDOW, MCI_WAIT | MCI_DGV_WINDOW_HWND,
                                  reinterpret_cast<DWORD_PTR>(&window)));
            MCI_DGV_RECT_PARMS where{};
            Check(mciSendCommandA(device_, MCI_WHERE, MCI_WAIT | MCI_DGV_WHERE_DESTINATION,
                                  reinterpret_cast<DWORD_PTR>(&where)));
            displayRect_ = where.rc;
        }
    } catch (...) {
        // A device that opened but failed what follows is not left behind.
        Close();
        throw;
    }
}

void TMediaPlayer::Close() {
    CheckOpen();
    const MCIDEVICEID id = device_;
    device_ = 0;
    hasVideo_ = false;
    paused_ = false;
    Check(mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0));
}

void TMediaPlayer::Play() {
    CheckOpen();
    MCI_PLAY_PARMS play{};
    paused_ = false;
    Check(mciSendCommandA(device_, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play)));
}

void TMediaPlayer::Pause() {
    CheckOpen();
    MCI_GENERIC_PARMS p{};
    switch (Mode()) {
    case mpPlaying:
        Check(mciSendCommandA(device_, MCI_PAUSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p)));
        paused_ = true;
        break;
    case mpPaused:
        if (DeviceMode() == mpStopped) {
            // The device ended its player on the pause and knows no resume:
            // it plays on from where it stopped.
            Play();
        } else {
            Check(mciSendCommandA(device_, MCI_RESUME, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p)));
        }
        paused_ = false;
        break;
    default:
        break;
    }
}

void TMediaPlayer::Stop() {
    CheckOpen();
    MCI_GENERIC_PARMS p{};
    paused_ = false;
    const MCIERROR code = mciSendCommandA(device_, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
    // Wine's video device stops a playing clip and still answers with a
    // system code; a device that is stopped afterwards did what was asked.
    if (code && !(code < MCIERR_BASE && DeviceMode() == mpStopped)) Check(code);
}

DWORD_PTR TMediaPlayer::Status(DWORD item) const {
    CheckOpen();
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    Check(mciSendCommandA(device_, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM,
                          reinterpret_cast<DWORD_PTR>(&status)));
    return status.dwReturn;
}

TMPModes TMediaPlayer::DeviceMode() const {
    return static_cast<TMPModes>(static_cast<long>(Status(MCI_STATUS_MODE)) - MCI_MODE_NOT_READY);
}

TMPModes TMediaPlayer::Mode() const {
    const TMPModes mode = DeviceMode();
    return paused_ && mode == mpStopped ? mpPaused : mode;
}

long TMediaPlayer::Position() const { return static_cast<long>(Status(MCI_STATUS_POSITION)); }

long TMediaPlayer::Length() const { return static_cast<long>(Status(MCI_STATUS_LENGTH)); }

void TMediaPlayer::SetPosition(long position) {
    CheckOpen();
    MCI_SEEK_PARMS seek{};
    paused_ = false;
    seek.dwTo = static_cast<DWORD>(position);
    Check(mciSendCommandA(device_, MCI_SEEK, MCI_WAIT | MCI_TO, reinterpret_cast<DWORD_PTR>(&seek)));
}

void TMediaPlayer::SetDisplayRect(const RECT& r) {
    CheckOpen();
    // Only a device with a picture has somewhere to put it.
    if (!hasVideo_) return;
    MCI_DGV_PUT_PARMS put{};
    put.rc = r;
    Check(mciSendCommandA(device_, MCI_PUT, MCI_WAIT | MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT,
                          reinterpret_cast<DWORD_PTR>(&put)));
    displayRect_ = r;
}
