#include "win32/platform/InternetDownload.h"

#include "core/net/ResponseBody.h"
#include "win32/platform/Handles.h"
#include "win32/platform/WideText.h"

#include <windows.h>
#include <wininet.h>

namespace meltemix {
namespace {
struct InternetTraits {
    using Handle = HINTERNET;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { InternetCloseHandle(h); }
};
using InternetHandle = UniqueHandle<InternetTraits>;
} // namespace

bool IsSecureChannelError(unsigned long error) {
    switch (error) {
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
    case ERROR_INTERNET_INVALID_CA:
    case ERROR_INTERNET_SEC_CERT_DATE_INVALID:
    case ERROR_INTERNET_SEC_CERT_CN_INVALID:
    case ERROR_INTERNET_SEC_CERT_ERRORS:
    case ERROR_INTERNET_SEC_INVALID_CERT:
        return true;
    default:
        return false;
    }
}

int InternetDownload(const wchar_t* agent, const std::string& address, std::string& body,
                     int* status, bool* secureChannel) {
    body.clear();
    if (status)
        *status = 0;
    if (secureChannel)
        *secureChannel = false;
    InternetHandle session(InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return -1;
    InternetHandle request(InternetOpenUrlW(session.get(), Widen(address).c_str(), nullptr, 0,
                                            INTERNET_FLAG_RESYNCHRONIZE, 0));
    if (!request) {
        if (secureChannel)
            *secureChannel = IsSecureChannelError(GetLastError());
        return -1;
    }
    if (status) {
        DWORD code = 0, size = sizeof code;
        if (HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code,
                           &size, nullptr))
            *status = static_cast<int>(code);
    }
    // Closing the request before the session, as the handles' order here guarantees.
    return ReadResponseBody(
        [&](char* buffer, std::uint32_t capacity, std::uint32_t& read) {
            DWORD got = 0;
            const BOOL ok = InternetReadFile(request.get(), buffer, capacity, &got);
            read = got;
            return ok != FALSE;
        },
        body);
}

HttpGet InternetGet(std::wstring agent) {
    return [agent = std::move(agent)](const std::string& url, std::string& body, int& status) {
        bool secureChannel = false;
        if (InternetDownload(agent.c_str(), url, body, &status, &secureChannel) == 0)
            return HttpOutcome::Response;
        return secureChannel ? HttpOutcome::SecureChannel : HttpOutcome::NoResponse;
    };
}

} // namespace meltemix
