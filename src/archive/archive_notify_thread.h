// TArchiveNotifyThread: watches the archive file's folder for changes made
// by other programs, waits until 3000 ms pass without a further change, and
// then checks the file on the user-interface thread.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "archive/archive_host.h"

// Runs a function on the user-interface thread and returns when it is done.
using TSynchronize = std::function<void(const std::function<void()>&)>;

class TArchiveNotifyThread : public TArchiveWatcher {
public:
    // `on_change` runs on the user-interface thread through `synchronize`.
    TArchiveNotifyThread(std::function<void()> on_change, TSynchronize synchronize);
    ~TArchiveNotifyThread() override;
    TArchiveNotifyThread(const TArchiveNotifyThread&) = delete;
    TArchiveNotifyThread& operator=(const TArchiveNotifyThread&) = delete;

    void SetFileName(const std::string& path) override;
    void Pause() override;
    void Resume() override;
    void Stop() override;

    // Quiet period after the last change; shortened only by tests.
    void SetQuietPeriod(std::uint32_t ms);

    struct State;

private:
    std::shared_ptr<State> state_;
    bool stopped_ = false;
};
