#include "win32/platform/Win32ProfileStore.h"

#include "win32/platform/Handles.h"
#include "win32/platform/WideText.h"

#include <windows.h>

namespace meltemix {
namespace {
constexpr DWORD TextBufferSize = 2048;      // 2047 characters and the terminator
constexpr DWORD KeyNamesBufferSize = 16384; // all key names of a section together
} // namespace

std::string Win32ProfileStore::fileName() const { return Narrow(path_); }

std::string Win32ProfileStore::readText(const std::string& section, const std::string& key,
                                        const std::string& fallback) const {
    wchar_t buffer[TextBufferSize];
    const DWORD length =
        GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                 Widen(fallback).c_str(), buffer, TextBufferSize, path_.c_str());
    return Narrow(buffer, static_cast<int>(length));
}

void Win32ProfileStore::createUnicodeFile() const {
    // A file the profile functions create themselves is ANSI, and a Turkish place name
    // would not survive it on a system of another code page: start a new file as UTF-16.
    FileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return; // it exists already, or cannot be made: the write itself will tell
    static const unsigned char bom[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file.get(), bom, sizeof bom, &written, nullptr);
}

bool Win32ProfileStore::writeText(const std::string& section, const std::string& key,
                                  const std::string& value) {
    createUnicodeFile();
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                      Widen(value).c_str(), path_.c_str()) != FALSE;
}

std::vector<std::string> Win32ProfileStore::keyNames(const std::string& section) const {
    std::wstring buffer(KeyNamesBufferSize, L'\0');
    const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), nullptr, L"",
                                                  &buffer[0], KeyNamesBufferSize, path_.c_str());
    std::vector<std::string> names;
    const wchar_t* p = buffer.c_str();
    const wchar_t* end = p + length;
    while (p < end && *p) {
        const std::wstring name(p);
        names.push_back(Narrow(name));
        p += name.size() + 1;
    }
    return names;
}

bool Win32ProfileStore::eraseSection(const std::string& section) {
    return WritePrivateProfileStringW(Widen(section).c_str(), nullptr, nullptr, path_.c_str()) !=
           FALSE;
}

bool Win32ProfileStore::flush() {
    return WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str()) != FALSE;
}

} // namespace meltemix
