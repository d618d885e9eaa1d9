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
        const DWORD error = GetLastError();
        if (secureChannel)
            *secureChannel = IsSecureChannelError(error, SystemLacksTls12());
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
