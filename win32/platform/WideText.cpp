#include "win32/platform/WideText.h"

#include <windows.h>

namespace meltemix {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty())
        return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], length);
    return wide;
}

std::string Narrow(const wchar_t* utf16, int length) {
    if (length <= 0)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, utf16, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, length, &narrow[0], size, nullptr, nullptr);
    return narrow;
}

std::string Narrow(const std::wstring& utf16) {
    return Narrow(utf16.data(), static_cast<int>(utf16.size()));
}

} // namespace meltemix
