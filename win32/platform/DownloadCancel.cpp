#include "win32/platform/DownloadCancel.h"

namespace meltemix {

DownloadCancel::DownloadCancel() { InitializeCriticalSection(&lock_); }

DownloadCancel::~DownloadCancel() {
    Return();
    DeleteCriticalSection(&lock_);
}

bool DownloadCancel::Lend(HINTERNET handle) {
    EnterCriticalSection(&lock_);
    const bool taken = !cancelled_ && handle && !lent_[1];
    if (taken)
        lent_[lent_[0] ? 1 : 0] = handle;
    LeaveCriticalSection(&lock_);
    if (!taken && handle)
        InternetCloseHandle(handle);
    return taken;
}

// The request before its session.
void DownloadCancel::closeLent() {
    for (int i = 1; i >= 0; --i) {
        if (lent_[i])
            InternetCloseHandle(lent_[i]);
        lent_[i] = nullptr;
    }
}

void DownloadCancel::Return() {
    EnterCriticalSection(&lock_);
    closeLent();
    LeaveCriticalSection(&lock_);
}

void DownloadCancel::Cancel() {
    EnterCriticalSection(&lock_);
    cancelled_ = true;
    closeLent();
    LeaveCriticalSection(&lock_);
}

bool DownloadCancel::Cancelled() const {
    EnterCriticalSection(&lock_);
    const bool cancelled = cancelled_;
    LeaveCriticalSection(&lock_);
    return cancelled;
}

} // namespace meltemix
