#pragma once

#include "core/provider/HttpGet.h"
#include "win32/platform/DownloadCancel.h"

#include <string>

namespace meltemix {

// One HTTP GET of `address` through WinInet with the system's proxy settings, revalidating
// any cached copy. 0 when a response arrived, whatever its status: the body is delivered
// byte for byte and the reader of the document decides. -1 when no response could be had
// (no network, a host that does not resolve, a refused connection, a body past the limit).
// `status`, when given, receives the HTTP status code (0 when there is none, as for a file);
// `secureChannel`, whether the request failed because the secure connection could not be
// set up (the security channel or the server's certificate). Connecting gives up after 15 s,
// a silent server after 30 s; `cancel`, when given, ends the download from another thread.
int InternetDownload(const wchar_t* agent, const std::string& address, std::string& body,
                     int* status = nullptr, bool* secureChannel = nullptr,
                     DownloadCancel* cancel = nullptr);

// Whether a WinInet error code says that the secure connection could not be set up: the
// handshake failed (what Windows XP and Vista meet at a service that requires TLS 1.2) or
// the certificate was not accepted (an old system's outdated roots, a wrong clock).
bool IsSecureChannelError(unsigned long error);

// The live jobs' GET through InternetDownload with `agent`, ended by `cancel` when given.
HttpGet InternetGet(std::wstring agent, DownloadCancel* cancel = nullptr);

} // namespace meltemix
