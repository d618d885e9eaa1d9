#include "win32/platform/InternetThread.h"

#include "win32/platform/InternetDownload.h"

#include <stdexcept>

namespace meltemix {

TInternetThread::TInternetThread(HWND owner, UINT message, Job job)
    : owner_(owner), message_(message), job_(std::move(job)) {
    thread_.reset(CreateThread(nullptr, 0, &TInternetThread::threadMain, this, CREATE_SUSPENDED,
                               nullptr));
    if (!thread_)
        throw std::runtime_error("Thread creation error");
}

TInternetThread::~TInternetThread() {
    if (!thread_)
        return;
    if (!started_) {
        // Never started: let the thread end at once, without a download or a message.
        InterlockedExchange(&cancelled_, 1);
        ResumeThread(thread_.get());
    }
    WaitForSingleObject(thread_.get(), INFINITE);
}

bool TInternetThread::WaitEnd(DWORD milliseconds) const {
    return !started_ || WaitForSingleObject(thread_.get(), milliseconds) == WAIT_OBJECT_0;
}

void TInternetThread::Abandon(std::unique_ptr<TInternetThread> worker) {
    if (worker && !worker->WaitEnd(0))
        worker.release(); // the process's end ends its thread
}

void TInternetThread::Start() {
    if (ResumeThread(thread_.get()) == static_cast<DWORD>(-1))
        throw std::runtime_error("Thread start error");
    started_ = true;
}

DWORD WINAPI TInternetThread::threadMain(void* self) {
    static_cast<TInternetThread*>(self)->Execute();
    return 0;
}

void TInternetThread::Execute() {
    if (cancelled_)
        return;
    resultText_.clear();
    // Whatever goes wrong in here, the owner hears of it: a worker that ended silently would
    // leave the window waiting for an answer, and refusing every refresh, for ever.
    try {
        resultCode_ = job_(resultText_, cancel_);
    } catch (...) {
        resultText_.clear();
        resultCode_ = -1;
    }
    PostMessageW(owner_, message_, 0, static_cast<LPARAM>(resultCode_));
}

TInternetThread::Job DownloadJob(DownloadPlan plan, std::shared_ptr<LiveMemory> memory) {
    constexpr const wchar_t* Agent = L"Lodosware Weather XML";
    if (!plan.Live) {
        return [address = std::move(plan.Address)](std::string& text, DownloadCancel& cancel) {
            return InternetDownload(Agent, address, text, nullptr, nullptr, &cancel);
        };
    }
    return [request = std::move(*plan.Live), memory = std::move(memory)](
               std::string& text, DownloadCancel& cancel) {
        return RunLiveJob(request, InternetGet(Agent, &cancel), *memory, text);
    };
}

} // namespace meltemix
