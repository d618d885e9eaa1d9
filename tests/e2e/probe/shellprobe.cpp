// The end-to-end tests' look at what a setup leaves in the shell, beside probe.exe: the
// shortcuts (what they start and where), the registry (as the program's own API reads it,
// not as reg.exe prints it in the console's code page), the user's shell folders, and a
// start through a shortcut as Explorer makes it. Output as probe.exe's: one JSON object per
// line, plain ASCII with \uXXXX for anything else.
//
//   shellprobe link PATH                       the shortcut's target, working directory,
//                                              arguments and icon
//   shellprobe make-link PATH TARGET WORKDIR   a shortcut, as another copy's options dialog
//                                              would have made it
//   shellprobe open PATH [--wait-exit MS]      start the file through the shell (a shortcut
//                                              starts its target in its working directory);
//                                              prints the process id (null when the shell
//                                              gives none), then with --wait-exit its exit
//                                              code once it ends (null: still running)
//   shellprobe run COMMANDLINE MS              run a command line as it stands, as a package
//                                              manager runs an uninstall entry's command;
//                                              prints the process id, then its exit code once
//                                              it ends within MS (null: still running)
//   shellprobe registry KEY                    the values of HKCU\... or HKLM\..., with their
//                                              types, and the names of its subkeys
//   shellprobe folders                         the user's shell folders
//
// Arguments may carry \uXXXX escapes. Exit code 0 when done, 1 when the thing asked about is
// not there (or a start failed), 2 for a malformed command line.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "JsonText.h"

namespace {

constexpr int ExitOk = 0;
constexpr int ExitNotFound = 1;
constexpr int ExitUsage = 2;

void Print(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void PrintError(const std::wstring& message) {
    Print("{\"error\":" + JsonQuoted(message) + "}");
}

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
    Interface* operator->() const { return pointer_; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer<HKEY>::type, KeyCloser>;

bool MakeLinkObject(ComRef<IShellLinkW>& link) {
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, link.out()));
}

int Link(const std::wstring& path) {
    ComApartment com;
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    if (!MakeLinkObject(link) || FAILED(link->QueryInterface(IID_IPersistFile, file.out())))
        return PrintError(L"no shell link object"), ExitNotFound;
    if (FAILED(file->Load(path.c_str(), STGM_READ)))
        return PrintError(L"no shortcut at " + path), ExitNotFound;
    wchar_t target[MAX_PATH] = {}, directory[MAX_PATH] = {}, arguments[MAX_PATH] = {},
            icon[MAX_PATH] = {};
    int iconIndex = 0, show = 0;
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(directory, MAX_PATH);
    link->GetArguments(arguments, MAX_PATH);
    link->GetIconLocation(icon, MAX_PATH, &iconIndex);
    link->GetShowCmd(&show);
    Print("{\"target\":" + JsonQuoted(target) + ",\"workdir\":" + JsonQuoted(directory) +
          ",\"arguments\":" + JsonQuoted(arguments) + ",\"icon\":" + JsonQuoted(icon) +
          ",\"icon_index\":" + std::to_string(iconIndex) + ",\"show\":" + std::to_string(show) +
          "}");
    return ExitOk;
}

int MakeLink(const std::wstring& path, const std::wstring& target,
             const std::wstring& directory) {
    ComApartment com;
    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    if (!MakeLinkObject(link) || FAILED(link->QueryInterface(IID_IPersistFile, file.out())))
        return PrintError(L"no shell link object"), ExitNotFound;
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(directory.c_str());
    link->SetIconLocation(target.c_str(), 0);
    if (FAILED(file->Save(path.c_str(), FALSE)))
        return PrintError(L"cannot write " + path), ExitNotFound;
    Print("{\"written\":" + JsonQuoted(path) + "}");
    return ExitOk;
}

void PrintExit(HANDLE process, DWORD waitMs) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process, &code))
        Print("{\"exit\":" + std::to_string(code) + "}");
    else
        Print("{\"exit\":null}");
}

int Open(const std::wstring& path, DWORD waitMs, bool wait) {
    ComApartment com;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info))
        return PrintError(L"the shell did not start " + path), ExitNotFound;
    // A shortcut is started through its own shell object, which may hand back no process.
    Handle process(info.hProcess);
    Print("{\"pid\":" + (process ? std::to_string(GetProcessId(process.get())) : "null") + "}");
    if (wait && process)
        PrintExit(process.get(), waitMs);
    return ExitOk;
}

// The command line goes to the process untouched: no quoting is added around its parts, as
// Wine's own start of a program from a Unix argument list would add.
int Run(std::wstring commandLine, DWORD waitMs) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return PrintError(L"cannot run " + commandLine), ExitNotFound;
    Handle process(started.hProcess);
    Handle thread(started.hThread);
    Print("{\"pid\":" + std::to_string(started.dwProcessId) + "}");
    PrintExit(process.get(), waitMs);
    return ExitOk;
}

std::string TypeName(DWORD type) {
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_QWORD:
        return "REG_QWORD";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    default:
        return std::to_string(type);
    }
}

std::string ValueJson(DWORD type, const std::vector<BYTE>& data, DWORD size) {
    if (type == REG_DWORD && size >= sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, data.data(), sizeof value);
        return std::to_string(value);
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return JsonQuoted(text);
    }
    std::string hex = "\"";
    for (DWORD i = 0; i < size; ++i) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02X", data[i]);
        hex += buffer;
    }
    return hex + "\"";
}

int Registry(const std::wstring& name) {
    const size_t slash = name.find(L'\\');
    const std::wstring root = name.substr(0, slash);
    HKEY base = nullptr;
    if (root == L"HKCU" || root == L"HKEY_CURRENT_USER")
        base = HKEY_CURRENT_USER;
    else if (root == L"HKLM" || root == L"HKEY_LOCAL_MACHINE")
        base = HKEY_LOCAL_MACHINE;
    else
        return ExitUsage;
    const std::wstring path = slash == std::wstring::npos ? L"" : name.substr(slash + 1);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(base, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return PrintError(L"no key " + name), ExitNotFound;
    Key key(opened);
    for (DWORD i = 0;; ++i) {
        wchar_t valueName[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(key.get(), i, valueName, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size + sizeof(wchar_t));
        nameLength = 16384;
        if (RegEnumValueW(key.get(), i, valueName, &nameLength, nullptr, &type, data.data(),
                          &size) != ERROR_SUCCESS)
            break;
        Print("{\"name\":" + JsonQuoted(valueName) + ",\"type\":\"" + TypeName(type) +
              "\",\"data\":" + ValueJson(type, data, size) + "}");
    }
    for (DWORD i = 0;; ++i) {
        wchar_t subkey[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), i, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        Print("{\"subkey\":" + JsonQuoted(subkey) + "}");
    }
    return ExitOk;
}

int Folders() {
    const struct {
        const char* name;
        int csidl;
    } folders[] = {{"desktop", CSIDL_DESKTOPDIRECTORY}, {"startup", CSIDL_STARTUP},
                   {"programs", CSIDL_PROGRAMS},        {"appdata", CSIDL_APPDATA},
                   {"local_appdata", CSIDL_LOCAL_APPDATA}, {"profile", CSIDL_PROFILE}};
    std::string line;
    for (const auto& folder : folders) {
        wchar_t path[MAX_PATH] = {};
        SHGetSpecialFolderPathW(nullptr, path, folder.csidl, FALSE);
        line += (line.empty() ? "{\"" : ",\"") + std::string(folder.name) + "\":" + JsonQuoted(path);
    }
    Print(line + "}");
    return ExitOk;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args;
    for (int i = 2; i < argc; ++i)
        args.push_back(Unescaped(argv[i]));
    const std::wstring command = argc > 1 ? argv[1] : L"";
    int result = ExitUsage;
    if (command == L"link" && args.size() == 1) {
        result = Link(args[0]);
    } else if (command == L"make-link" && args.size() == 3) {
        result = MakeLink(args[0], args[1], args[2]);
    } else if (command == L"open" && (args.size() == 1 || args.size() == 3)) {
        const bool wait = args.size() == 3 && args[1] == L"--wait-exit";
        if (args.size() == 1 || wait)
            result = Open(args[0], wait ? std::wcstoul(args[2].c_str(), nullptr, 10) : 0, wait);
    } else if (command == L"run" && args.size() == 2) {
        result = Run(args[0], std::wcstoul(args[1].c_str(), nullptr, 10));
    } else if (command == L"registry" && args.size() == 1) {
        result = Registry(args[0]);
    } else if (command == L"folders" && args.empty()) {
        result = Folders();
    }
    if (result == ExitUsage)
        PrintError(L"usage: shellprobe link|make-link|open|run|registry|folders ...");
    return result;
}
