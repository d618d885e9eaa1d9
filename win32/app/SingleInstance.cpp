#include "SingleInstance.h"

#include <cwchar>

namespace meltemix {
namespace {
constexpr DWORD NameLength = 260;

struct Search {
    wchar_t ownModule[NameLength + 1] = {};
    HWND found = nullptr;
};

BOOL CALLBACK inspectWindow(HWND hwnd, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    wchar_t className[NameLength + 1] = {};
    GetClassNameW(hwnd, className, NameLength);
    if (std::wcscmp(className, MainWindowClass) != 0)
        return TRUE;
    // The window's instance handle names a module of this process only when the window
    // belongs to the same program file.
    auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    wchar_t moduleName[NameLength + 1] = {};
    GetModuleFileNameW(instance, moduleName, NameLength);
    if (std::wcscmp(moduleName, search->ownModule) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}
} // namespace

SingleInstance::SingleInstance()
    : mutex_(CreateMutexW(nullptr, FALSE, L"globalUniqueMutexHandle")) {
    alreadyExists_ = GetLastError() == ERROR_ALREADY_EXISTS;

    Search search;
    GetModuleFileNameW(nullptr, search.ownModule, NameLength);
    EnumWindows(&inspectWindow, reinterpret_cast<LPARAM>(&search));
    found_ = search.found;
}

SingleInstance::~SingleInstance() {
    if (mutex_)
        WaitForSingleObject(mutex_.get(), 0);
}

bool IsSupportedWindowsVersion() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version))
        return true;
    return version.dwMajorVersion > 5 ||
           (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

} // namespace meltemix
