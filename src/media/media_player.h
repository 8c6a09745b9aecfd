// The media control: one device of the platform's media control interface
// (video, MIDI), opened on a file, drawing video into a window of ours.
// Every failing command raises EMCIDeviceError with the platform's text for
// the error; any command but Open on a control with no device raises it
// with "MCI デバイスがありません".
#pragma once
#include <stdexcept>
#include <string>

#include "ui/component.h"
#include "ui/win32.h"

class EMCIDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The device's mode: the MCI mode value less that of "not ready".
enum TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };

class TMediaPlayer : public TComponent {
public:
    explicit TMediaPlayer(TComponent* owner);
    // Closes the device: no device outlives its control.
    ~TMediaPlayer() override;

    std::string FileName;
    // Window the video is drawn into; taken at Open.
    HWND Display = nullptr;

    // Opens FileName with the device type the platform chooses for it (not
    // shareable). A device still open is closed first. Reads the length;
    // a device with video is given Display and its destination read.
    void Open();
    void Close();
    void Play();
    // Pause when playing, resume when paused, nothing otherwise.
    void Pause();
    void Stop();

    MCIDEVICEID DeviceID() const { return device_; }
    bool HasVideo() const { return hasVideo_; }
    TMPModes Mode() const;
    long Position() const;
    // Seeks to `position`.
    void SetPosition(long position);
    long Length() const;
    // Destination rectangle of the video inside Display, as read at opening
    // or last set; empty for media without video.
    RECT DisplayRect() const { return displayRect_; }
    void SetDisplayRect(const RECT& r);

    // The platform's text for an MCI error code.
    static std::string ErrorText(MCIERROR code);

private:
    void CheckOpen() const;
    void Check(MCIERROR code) const;
    DWORD_PTR Status(DWORD item) const;
    // The mode as the device reports it.
    TMPModes DeviceMode() const;

    MCIDEVICEID device_ = 0;
    bool hasVideo_ = false;
    // Paused by us and not yet played, stopped or moved since. Some devices
    // (Wine's video device) end their player on a pause and report
    // "stopped"; for them this keeps the pause a pause.
    bool paused_ = false;
    RECT displayRect_{0, 0, 0, 0};
};
