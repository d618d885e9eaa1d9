#pragma once

#include <string>

namespace meltemix {

// One HTTP GET of `address` through WinInet with the system's proxy settings, revalidating
// any cached copy. 0 when a response arrived, whatever its status: the body is delivered
// byte for byte and the reader of the document decides. -1 when no response could be had
// (no network, a host that does not resolve, a refused connection, a body past the limit).
int InternetDownload(const wchar_t* agent, const std::string& address, std::string& body);

} // namespace meltemix
