#pragma once

#include "core/provider/DownloadPlan.h"
#include "core/provider/LiveMemory.h"
#include "win32/platform/DownloadCancel.h"
#include "win32/platform/Handles.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace meltemix {

// One download on a thread of its own. The job fills the text and gives the result code
// (0 or -1); then the worker posts `message` to the owner with wParam 0 and the code in
// lParam. The owner reads the text in its handler and frees the worker, which waits for the
// thread to end. The job downloads through the worker's DownloadCancel, so that the owner can
// end it at any time.
class TInternetThread {
public:
    using Job = std::function<int(std::string& text, DownloadCancel& cancel)>;

    // Created suspended; Start runs it. Raises when the thread cannot be made.
    TInternetThread(HWND owner, UINT message, Job job);
    ~TInternetThread();
    TInternetThread(const TInternetThread&) = delete;
    TInternetThread& operator=(const TInternetThread&) = delete;

    void Start();
    // Ends the download as soon as the system lets it; the message still follows.
    void Cancel() { cancel_.Cancel(); }
    // Whether the thread ended within `milliseconds`.
    bool WaitEnd(DWORD milliseconds) const;
    // Lets go of a worker whose thread is still running, for the process to end it: the
    // worker must not be destroyed under its thread, and nothing it uses may be either.
    static void Abandon(std::unique_ptr<TInternetThread> worker);
    // Valid once the message has arrived.
    const std::string& ResultText() const { return resultText_; }
    int ResultCode() const { return resultCode_; }

private:
    static DWORD WINAPI threadMain(void* self);
    void Execute();

    HWND owner_;
    UINT message_;
    Job job_;
    std::string resultText_;
    int resultCode_ = -1;
    DownloadCancel cancel_;
    KernelHandle thread_;
    bool started_ = false;
    volatile LONG cancelled_ = 0;
};

// The job of a download: a plain GET of the plan's address with the program's agent name,
// or the built-in provider's live job over the same kind of GET, which keeps `memory` alive.
TInternetThread::Job DownloadJob(DownloadPlan plan, std::shared_ptr<LiveMemory> memory);

} // namespace meltemix
