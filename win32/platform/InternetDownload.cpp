#include "win32/platform/InternetDownload.h"

#include "core/net/ResponseBody.h"
#include "win32/platform/WideText.h"

#include <windows.h>
#include <wininet.h>

namespace meltemix {
namespace {
// A server that accepts and then says nothing must not hold a download for ever: WinInet's
// own defaults are long, and on some systems without end.
constexpr DWORD ConnectTimeoutMs = 15000;
constexpr DWORD TransferTimeoutMs = 30000;

void setTimeouts(HINTERNET session) {
    DWORD connect = ConnectTimeoutMs, transfer = TransferTimeoutMs;
    InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    for (DWORD option : {INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(session, option, &transfer, sizeof transfer);
}
} // namespace

bool IsSecureChannelError(unsigned long error, bool systemLacksTls12) {
    switch (error) {
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
        return true;
    case ERROR_INTERNET_INVALID_CA:
        return systemLacksTls12;
    default:
        return false;
    }
}

bool LacksTls12(unsigned long major, unsigned long minor) {
    return major < 6 || (major == 6 && minor == 0);
}

bool SystemLacksTls12() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    // Not known: taken for a system that has it, so that nothing falls back for a certificate.
    return GetVersionExW(&version) && LacksTls12(version.dwMajorVersion, version.dwMinorVersion);
}

std::int64_t SystemTicks() { return GetTickCount(); }

int InternetDownload(const wchar_t* agent, const std::string& address, std::string& body,
                     int* status, bool* secureChannel, DownloadCancel* cancel) {
    body.clear();
    if (status)
        *status = 0;
    if (secureChannel)
        *secureChannel = false;
    DownloadCancel own; // where nobody else may end it
    DownloadCancel& lender = cancel ? *cancel : own;
    HINTERNET session = InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session)
        return -1;
    setTimeouts(session);
    if (!lender.Lend(session))
        return -1;
    HINTERNET request = InternetOpenUrlW(session, Widen(address).c_str(), nullptr, 0,
                                         INTERNET_FLAG_RESYNCHRONIZE, 0);
    const DWORD openError = GetLastError();
    if (!lender.Lend(request)) {
        if (secureChannel && !request && !lender.Cancelled())
            *secureChannel = IsSecureChannelError(openError, SystemLacksTls12());
        lender.Return();
        return -1;
    }
    // A connection dropped before any answer can still open here (Wine's WinInet opens it):
    // without a status line there is no response, only an empty body that would take the
    // place of the weather on screen.
    DWORD code = 0, size = sizeof code;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size,
                        nullptr) ||
        code == 0) {
        lender.Return();
        return -1;
    }
    if (status)
        *status = static_cast<int>(code);
    const int result = ReadResponseBody(
        [&](char* buffer, std::uint32_t capacity, std::uint32_t& read) {
            DWORD got = 0;
            const BOOL ok = InternetReadFile(request, buffer, capacity, &got);
            read = got;
            return ok != FALSE;
        },
        body);
    // A body cut short by a cancel is no answer.
    const bool cancelled = lender.Cancelled();
    lender.Return();
    if (cancelled)
        body.clear();
    return cancelled ? -1 : result;
}

HttpGet InternetGet(std::wstring agent, DownloadCancel* cancel) {
    return [agent = std::move(agent), cancel](const std::string& url, std::string& body,
                                              int& status) {
        bool secureChannel = false;
        if (InternetDownload(agent.c_str(), url, body, &status, &secureChannel, cancel) == 0)
            return HttpOutcome::Response;
        return secureChannel ? HttpOutcome::SecureChannel : HttpOutcome::NoResponse;
    };
}

} // namespace meltemix
