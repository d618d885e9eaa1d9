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

int InternetDownload(const wchar_t* agent, const std::string& address, std::string& body) {
    body.clear();
    InternetHandle session(InternetOpenW(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return -1;
    InternetHandle request(InternetOpenUrlW(session.get(), Widen(address).c_str(), nullptr, 0,
                                            INTERNET_FLAG_RESYNCHRONIZE, 0));
    if (!request)
        return -1;
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

} // namespace meltemix
