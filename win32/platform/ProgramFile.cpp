#include "win32/platform/ProgramFile.h"

#include "win32/platform/Handles.h"

#include <cwchar>

namespace meltemix {
namespace {

constexpr DWORD PathUnits = 32768; // the longest path the system takes
constexpr DWORD ClassUnits = 260;

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};
using Library = UniqueHandle<LibraryTraits>;

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// A name given with 8.3 parts (a start through a short name) in its long form.
std::wstring LongForm(std::wstring path) {
    if (path.empty())
        return path;
    std::wstring full(PathUnits, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), &full[0], PathUnits);
    if (length == 0 || length >= PathUnits)
        return path;
    full.resize(length);
    return full;
}

// Upper case by the invariant locale: "i" and "I" are one letter in a file name, even for
// a user whose locale is Turkish.
std::wstring Upper(const std::wstring& text) {
    if (text.empty())
        return text;
    std::wstring upper(text.size(), L'\0');
    const int length = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.c_str(),
                                    static_cast<int>(text.size()), &upper[0],
                                    static_cast<int>(upper.size()));
    return length == static_cast<int>(text.size()) ? upper : text;
}

std::wstring FileOfOpenProcess(DWORD processId) {
    std::wstring path(PathUnits, L'\0');
    // Windows Vista and later: a query that needs only limited access, so that it also
    // answers for an instance that runs elevated.
    using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
    static const auto query =
        Lookup<QueryImageName>(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW");
    if (query) {
        KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        DWORD length = PathUnits;
        if (!process || !query(process.get(), 0, &path[0], &length))
            return std::wstring();
        path.resize(length);
        return path;
    }
    // Windows XP: the process's first module through the process-status library, from the
    // system folder only.
    KernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    wchar_t system[MAX_PATH] = {};
    const UINT systemLength = GetSystemDirectoryW(system, MAX_PATH);
    if (!process || systemLength == 0 || systemLength >= MAX_PATH)
        return std::wstring();
    Library psapi(LoadLibraryW((std::wstring(system) + L"\\psapi.dll").c_str()));
    using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);
    const auto moduleFileName = Lookup<ModuleFileName>(psapi.get(), "GetModuleFileNameExW");
    const DWORD length = moduleFileName ? moduleFileName(process.get(), nullptr, &path[0], PathUnits) : 0;
    if (length == 0 || length >= PathUnits)
        return std::wstring();
    path.resize(length);
    return path;
}

struct Search {
    const wchar_t* className;
    const std::wstring* programFile;
    HWND found = nullptr;
};

BOOL CALLBACK InspectWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!IsWindowOfProgram(window, search->className, *search->programFile))
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

std::wstring OwnProgramFile() {
    std::wstring path(PathUnits, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], PathUnits);
    if (length == 0 || length >= PathUnits)
        return std::wstring();
    path.resize(length);
    return LongForm(path);
}

std::wstring ProgramFileOfProcess(DWORD processId) {
    return LongForm(FileOfOpenProcess(processId));
}

bool SameProgramFile(const std::wstring& a, const std::wstring& b) {
    if (a.empty() || b.empty())
        return false;
    const auto fileName = [](const std::wstring& path) {
        const std::size_t slash = path.find_last_of(L"\\/");
        return path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    };
    const std::wstring nameA = fileName(a), nameB = fileName(b);
    return !nameA.empty() && Upper(nameA) == Upper(nameB);
}

bool IsWindowOfProgram(HWND window, const wchar_t* className, const std::wstring& programFile) {
    wchar_t name[ClassUnits + 1] = {};
    GetClassNameW(window, name, ClassUnits);
    if (std::wcscmp(name, className) != 0)
        return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return SameProgramFile(ProgramFileOfProcess(processId), programFile);
}

HWND FindProgramWindow(const wchar_t* className, const std::wstring& programFile) {
    Search search{className, &programFile};
    EnumWindows(&InspectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace meltemix
