#include "win32/platform/Win32ProfileStore.h"

#include "win32/platform/Handles.h"
#include "win32/platform/WideText.h"

#include <windows.h>

#include <shlobj.h>

namespace meltemix {
namespace {
constexpr DWORD TextBufferSize = 2048;      // 2047 characters and the terminator
constexpr DWORD KeyNamesBufferSize = 16384; // all key names of a section together

// The names of a double-null-terminated list, as the profile functions return them.
std::vector<std::string> SplitNames(const wchar_t* p, DWORD length) {
    std::vector<std::string> names;
    const wchar_t* end = p + length;
    while (p < end && *p) {
        const std::wstring name(p);
        names.push_back(Narrow(name));
        p += name.size() + 1;
    }
    return names;
}

bool IsRefusal(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
           error == ERROR_NETWORK_ACCESS_DENIED;
}
} // namespace

std::unique_ptr<ProfileStore> Win32ProfileStore::InUserAppData(const std::wstring& relative) {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder)) ||
        !folder[0])
        return nullptr;
    std::wstring path(folder);
    if (path.back() != L'\\')
        path += L'\\';
    return std::make_unique<Win32ProfileStore>(path + relative);
}

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
    auto create = [this] {
        return FileHandle(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    FileHandle file = create();
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {
        // The user's own file lives in a folder of its own, made when it is first needed.
        const std::wstring::size_type slash = path_.find_last_of(L'\\');
        if (slash != std::wstring::npos &&
            CreateDirectoryW(path_.substr(0, slash).c_str(), nullptr))
            file = create();
    }
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

std::vector<std::string> Win32ProfileStore::sectionNames() const {
    // The length says nothing of a list cut short, except that it then nearly fills the
    // buffer: ask again with more room.
    for (DWORD size = KeyNamesBufferSize;; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetPrivateProfileSectionNamesW(&buffer[0], size, path_.c_str());
        if (length + 2 < size || size >= 16 * KeyNamesBufferSize)
            return SplitNames(buffer.c_str(), length);
    }
}

std::vector<std::string> Win32ProfileStore::keyNames(const std::string& section) const {
    std::wstring buffer(KeyNamesBufferSize, L'\0');
    const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), nullptr, L"",
                                                  &buffer[0], KeyNamesBufferSize, path_.c_str());
    return SplitNames(buffer.c_str(), length);
}

bool Win32ProfileStore::eraseSection(const std::string& section) {
    return WritePrivateProfileStringW(Widen(section).c_str(), nullptr, nullptr, path_.c_str()) !=
           FALSE;
}

bool Win32ProfileStore::flush() {
    return WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str()) != FALSE;
}

bool Win32ProfileStore::exists() const {
    const DWORD attributes = GetFileAttributesW(path_.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32ProfileStore::refusesWrites() const {
    // Opened for writing and closed again, the file keeps its contents and its times. Every
    // kind of sharing is allowed, so that a program reading the file meanwhile is not in the
    // way; a sharing violation is no refusal anyway.
    FileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file)
        return false;
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) {
        // A missing file is what its folder allows: made, and gone again with the close.
        FileHandle probe(CreateFileW(path_.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                     CREATE_NEW,
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                     nullptr));
        if (probe)
            return false;
        error = GetLastError();
    }
    return IsRefusal(error);
}

bool Win32ProfileStore::discard() {
    return DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

} // namespace meltemix
