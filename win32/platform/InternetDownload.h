#pragma once

#include "core/provider/HttpGet.h"
#include "win32/platform/DownloadCancel.h"

#include <cstdint>
#include <string>

namespace meltemix {

// One HTTP GET of `address` through WinInet with the system's proxy settings, revalidating
// any cached copy. 0 when a response arrived, whatever its status: the body is delivered
// byte for byte and the reader of the document decides. -1 when no response could be had
// (no network, a host that does not resolve, a refused connection, a body past the limit).
// `status`, when given, receives the HTTP status code (0 when there is none, as for a file);
// `secureChannel`, whether the request failed because no secure connection can be set up
// with the server on this system (IsSecureChannelError). Connecting gives up after 15 s, a
// silent server after 30 s; `cancel`, when given, ends the download from another thread.
int InternetDownload(const wchar_t* agent, const std::string& address, std::string& body,
                     int* status = nullptr, bool* secureChannel = nullptr,
                     DownloadCancel* cancel = nullptr);

// Whether a WinInet error code says that no secure connection can be set up at all: the
// handshake failed (what Windows XP and Vista meet at a service that requires TLS 1.2), or,
// on a system without TLS 1.2, the certificate chains to no root the system knows (its
// roots are as old as it is). A certificate out of date or for another name is never one:
// that is a wrong clock or a captive portal, which plain HTTP would only hide.
bool IsSecureChannelError(unsigned long error, bool systemLacksTls12);

// Whether WinInet on this version of Windows lacks TLS 1.2: XP, Server 2003 and Vista do.
// Windows 7 has it, switched off in WinInet unless the user or a later Internet Explorer
// turned it on; there a certificate that does not verify is not taken for an old system.
bool LacksTls12(unsigned long major, unsigned long minor);
bool SystemLacksTls12();

// The live jobs' GET through InternetDownload with `agent`, ended by `cancel` when given.
HttpGet InternetGet(std::wstring agent, DownloadCancel* cancel = nullptr);

// Milliseconds since the system started, for PlainUpstreams: a tick count that goes on
// counting in sleep, and wraps after 49 days (which the fallback takes as its time up).
std::int64_t SystemTicks();

} // namespace meltemix
