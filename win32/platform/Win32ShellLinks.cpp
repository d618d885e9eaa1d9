#include "win32/platform/Win32ShellLinks.h"

#include "win32/platform/WideText.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace meltemix {
namespace {

// Owns one COM interface pointer.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_)
            pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// The text the system has for a COM failure, as the error box shows it.
std::string ComErrorText(HRESULT result) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : std::wstring();
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (!message.empty())
        return Narrow(message) + ".";
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "OLE error %08lX",
                  static_cast<unsigned long>(result));
    return fallback;
}

int Csidl(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::Desktop:
        return CSIDL_DESKTOP;
    case SpecialFolder::Startup:
        return CSIDL_STARTUP;
    default:
        return CSIDL_APPDATA;
    }
}

} // namespace

std::wstring ProgramFilePath() {
    // A path longer than MAX_PATH is possible; the buffer grows until it fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32ShellLinks::folderPath(SpecialFolder folder) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(owner_, path, Csidl(folder), FALSE))
        return std::string();
    return Narrow(path);
}

bool Win32ShellLinks::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32ShellLinks::createShortcut(const std::string& path) {
    ComRef<IShellLinkW> link;
    const HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IShellLinkW, link.out());
    if (FAILED(created))
        throw std::runtime_error(ComErrorText(created));

    const std::wstring program = ProgramFilePath();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    // A shortcut that cannot be written is simply not there afterwards.
    link->SetPath(program.c_str());
    link->SetWorkingDirectory(folder.c_str());
    link->SetIconLocation(program.c_str(), 0);
    ComRef<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.out())))
        file->Save(Widen(path).c_str(), FALSE);
}

void Win32ShellLinks::deleteFile(const std::string& path) {
    DeleteFileW(Widen(path).c_str());
}

} // namespace meltemix
