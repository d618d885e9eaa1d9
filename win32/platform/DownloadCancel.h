#pragma once

#include <windows.h>
#include <wininet.h>

namespace meltemix {

// Ends a download from another thread. WinInet gives up a blocking call on a handle that
// another thread closes, so the worker lends the handles of its request here while it uses
// them, and Cancel closes them. A cancelled download starts no further request. Where the
// system cannot stop a call at once (a name lookup, for one), the caller waits only so long.
class DownloadCancel {
public:
    DownloadCancel();
    ~DownloadCancel();
    DownloadCancel(const DownloadCancel&) = delete;
    DownloadCancel& operator=(const DownloadCancel&) = delete;

    // The worker: its session, then its request, is lent until Return. False when the
    // download is cancelled already; the handle is then closed here.
    bool Lend(HINTERNET handle);
    // The worker, done: closes what it lent, unless Cancel closed it already.
    void Return();
    // Any thread: closes what is lent and refuses every later Lend.
    void Cancel();
    bool Cancelled() const;

private:
    void closeLent();

    mutable CRITICAL_SECTION lock_;
    HINTERNET lent_[2] = {}; // the session, then the request made in it
    bool cancelled_ = false;
};

} // namespace meltemix
