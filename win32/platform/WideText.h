#pragma once

#include <string>

namespace meltemix {

// The core speaks UTF-8, the platform UTF-16; texts cross only here.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, int length);

} // namespace meltemix
