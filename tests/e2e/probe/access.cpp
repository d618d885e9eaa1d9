// The probe's accessibility commands: the widget asked as a screen reader asks it, from
// another process, through oleacc.
//
//   probe acc-tree HWND                       the window's MSAA object: root and parts, each
//                                             with name, role, state, place, what a hit test
//                                             at its middle finds, and default action
//   probe acc-hold HWND [--wait MS]           the object taken, the window closed (WM_CLOSE),
//                                             its process waited for, the object called again
//   probe acc-events PID [--wait MS] [--post HWND MSG WPARAM LPARAM] [--keys K,K+K,...]
//                                             the win events of that process while a message
//                                             is posted or keys typed ("+" holds keys together),
//                                             each with the name of its object on arrival
//   probe acc-escape TRAYHWND MAINHWND WPARAM LPARAM [--wait MS]
//                                             a window of the probe's in the foreground, the
//                                             tray callback posted, Escape typed once the widget
//                                             has the keyboard: where the keyboard ends up
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "JsonText.h"

namespace access_probe {
namespace {

constexpr int ExitOk = 0;
constexpr int ExitNotFound = 1;
constexpr int ExitUsage = 2;

// The COM and accessibility functions, loaded when an accessibility command runs: the
// probe's other commands, run by every case, load none of these libraries.
struct Libraries {
    decltype(&::AccessibleObjectFromWindow) ObjectFromWindow = nullptr;
    decltype(&::AccessibleObjectFromEvent) ObjectFromEvent = nullptr;
    decltype(&::CoInitializeEx) Initialize = nullptr;
    decltype(&::CoUninitialize) Uninitialize = nullptr;
    decltype(&::SysFreeString) FreeString = nullptr;

    bool Load() {
        const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
        const HMODULE ole32 = LoadLibraryW(L"ole32.dll");
        const HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
        if (!oleacc || !ole32 || !oleaut32)
            return false;
        Find(ObjectFromWindow, oleacc, "AccessibleObjectFromWindow");
        Find(ObjectFromEvent, oleacc, "AccessibleObjectFromEvent");
        Find(Initialize, ole32, "CoInitializeEx");
        Find(Uninitialize, ole32, "CoUninitialize");
        Find(FreeString, oleaut32, "SysFreeString");
        return ObjectFromWindow && ObjectFromEvent && Initialize && Uninitialize && FreeString;
    }

    template <typename Function>
    static void Find(Function& function, HMODULE module, const char* name) {
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
};

Libraries Ole;

void EmptyVariant(VARIANT* v) {
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

void FreeText(BSTR text) {
    if (text)
        Ole.FreeString(text);
}

// A name the object did not give reads as empty.
std::string Quoted(const wchar_t* text) { return JsonQuoted(text ? text : L""); }

std::string Hex(unsigned long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "\"0x%llX\"", value);
    return buffer;
}

void Print(const std::string& json) {
    std::fputs(json.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool Number(const wchar_t* text, unsigned long long& value) {
    if (!text || !*text)
        return false;
    wchar_t* end = nullptr;
    value = text[0] == L'-' ? static_cast<unsigned long long>(std::wcstoll(text, &end, 0))
                            : std::wcstoull(text, &end, 0);
    return end && *end == L'\0';
}

HWND Window(const wchar_t* text) {
    unsigned long long value = 0;
    return Number(text, value) ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)) : nullptr;
}

const wchar_t* Option(int argc, wchar_t** argv, const wchar_t* name, int skip = 1) {
    for (int i = 0; i + skip < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0)
            return argv[i + skip];
    return nullptr;
}

DWORD WaitMs(int argc, wchar_t** argv, DWORD fallback) {
    unsigned long long ms = 0;
    return Number(Option(argc, argv, L"--wait"), ms) ? static_cast<DWORD>(ms) : fallback;
}

VARIANT Child(long id) {
    VARIANT v;
    EmptyVariant(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string NameOf(IAccessible* object, long id, HRESULT* result = nullptr) {
    BSTR name = nullptr;
    const HRESULT hr = object->get_accName(Child(id), &name);
    if (result)
        *result = hr;
    const std::string text = Quoted(SUCCEEDED(hr) ? name : nullptr);
    FreeText(name);
    return text;
}

std::string Describe(IAccessible* object, long id) {
    std::string line = "{\"child\":" + std::to_string(id) + ",\"name\":" + NameOf(object, id);
    VARIANT v;
    EmptyVariant(&v);
    if (object->get_accRole(Child(id), &v) == S_OK && v.vt == VT_I4)
        line += ",\"role\":" + std::to_string(v.lVal);
    EmptyVariant(&v);
    if (object->get_accState(Child(id), &v) == S_OK && v.vt == VT_I4)
        line += ",\"state\":" + std::to_string(v.lVal);
    long left = 0, top = 0, width = 0, height = 0;
    if (object->accLocation(&left, &top, &width, &height, Child(id)) == S_OK) {
        line += ",\"rect\":[" + std::to_string(left) + "," + std::to_string(top) + "," +
                std::to_string(width) + "," + std::to_string(height) + "]";
        VARIANT hit;
        EmptyVariant(&hit);
        const HRESULT hr = object->accHitTest(left + width / 2, top + height / 2, &hit);
        line += ",\"hit\":" + std::to_string(hr == S_OK && hit.vt == VT_I4 ? hit.lVal : -1);
    }
    BSTR action = nullptr;
    if (object->get_accDefaultAction(Child(id), &action) == S_OK)
        line += ",\"action\":" + Quoted(action);
    FreeText(action);
    return line + "}";
}

IAccessible* ObjectOf(HWND window, HRESULT& hr) {
    IAccessible* object = nullptr;
    hr = Ole.ObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                    reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object) {
        Print("{\"error\":\"no object\",\"hr\":" + Hex(static_cast<unsigned long>(hr)) + "}");
        return nullptr;
    }
    return object;
}

int Tree(int argc, wchar_t** argv) {
    HWND window = argc > 0 ? Window(argv[0]) : nullptr;
    if (!window)
        return ExitUsage;
    HRESULT hr = S_OK;
    IAccessible* object = ObjectOf(window, hr);
    if (!object)
        return ExitNotFound;
    long count = 0;
    object->get_accChildCount(&count);
    Print("{\"count\":" + std::to_string(count) + "}");
    for (long id = 0; id <= count; ++id)
        Print(Describe(object, id));
    object->Release();
    return ExitOk;
}

int Hold(int argc, wchar_t** argv) {
    HWND window = argc > 0 ? Window(argv[0]) : nullptr;
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid))
        return ExitUsage;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    HRESULT hr = S_OK;
    IAccessible* object = ObjectOf(window, hr);
    if (!object || !process) {
        if (process)
            CloseHandle(process);
        return ExitNotFound;
    }
    Print("{\"before\":" + NameOf(object, CHILDID_SELF) + "}");
    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process, WaitMs(argc, argv, 30000)) == WAIT_OBJECT_0;
    CloseHandle(process);
    HRESULT nameHr = S_OK;
    NameOf(object, CHILDID_SELF, &nameHr);
    long count = 0;
    const HRESULT countHr = object->get_accChildCount(&count);
    long l, t, w, h;
    const HRESULT placeHr = object->accLocation(&l, &t, &w, &h, Child(1));
    object->Release(); // the proxy of an object that is gone lets go quietly
    Print(std::string("{\"ended\":") + (ended ? "true" : "false") +
          ",\"name_hr\":" + Hex(static_cast<unsigned long>(nameHr)) +
          ",\"count_hr\":" + Hex(static_cast<unsigned long>(countHr)) +
          ",\"location_hr\":" + Hex(static_cast<unsigned long>(placeHr)) + "}");
    return ended && FAILED(nameHr) && FAILED(countHr) && FAILED(placeHr) ? ExitOk : ExitNotFound;
}

// ---- events

std::vector<std::string>* Events = nullptr;

void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                   DWORD) {
    if (!Events || object != OBJID_CLIENT)
        return;
    wchar_t cls[128] = {};
    GetClassNameW(window, cls, 127);
    std::string line = "{\"event\":" + Hex(event) + ",\"class\":" + Quoted(cls) +
                       ",\"child\":" + std::to_string(child);
    // What a screen reader reads when the event arrives.
    IAccessible* accessible = nullptr;
    VARIANT id;
    EmptyVariant(&id);
    if (Ole.ObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                  &accessible, &id) == S_OK && accessible) {
        BSTR name = nullptr;
        if (accessible->get_accName(id, &name) == S_OK)
            line += ",\"name\":" + Quoted(name);
        FreeText(name);
        accessible->Release();
    }
    Events->push_back(line + "}");
}

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// "0x10+0x79,0x09": Shift held with F10, then Tab.
bool TypeKeys(const std::wstring& strokes) {
    std::size_t start = 0;
    while (start <= strokes.size()) {
        std::size_t end = strokes.find(L',', start);
        if (end == std::wstring::npos)
            end = strokes.size();
        std::vector<WORD> held;
        std::size_t from = start;
        while (from < end) {
            std::size_t plus = strokes.find(L'+', from);
            if (plus == std::wstring::npos || plus > end)
                plus = end;
            unsigned long long vk = 0;
            if (!Number(strokes.substr(from, plus - from).c_str(), vk) || vk == 0 || vk > 0xFE)
                return false;
            held.push_back(static_cast<WORD>(vk));
            from = plus + 1;
        }
        for (WORD vk : held) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            SendInput(1, &input, sizeof input);
            Sleep(40);
        }
        for (auto vk = held.rbegin(); vk != held.rend(); ++vk) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = *vk;
            input.ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(1, &input, sizeof input);
            Sleep(40);
        }
        Pump(150); // the window takes each stroke before the next
        start = end + 1;
    }
    return true;
}

BOOL CALLBACK Nudge(HWND window, LPARAM wanted) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == *reinterpret_cast<const DWORD*>(wanted)) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
    return TRUE;
}

int WatchEvents(int argc, wchar_t** argv) {
    unsigned long long pid = 0;
    if (argc < 1 || !Number(argv[0], pid))
        return ExitUsage;
    std::vector<std::string> events;
    Events = &events;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                         &Hook, static_cast<DWORD>(pid), 0,
                                         WINEVENT_OUTOFCONTEXT);
    if (!hook)
        return ExitNotFound;
    // Wine keeps a thread's list of hooks until the thread asks again: a message to each of
    // the process's windows makes it look before the events come.
    DWORD owner = static_cast<DWORD>(pid);
    EnumWindows(&Nudge, reinterpret_cast<LPARAM>(&owner));
    Pump(100);
    bool acted = true;
    if (const wchar_t* target = Option(argc, argv, L"--post")) {
        unsigned long long message = 0, wParam = 0, lParam = 0;
        acted = Number(Option(argc, argv, L"--post", 2), message) &&
                Number(Option(argc, argv, L"--post", 3), wParam) &&
                Number(Option(argc, argv, L"--post", 4), lParam) &&
                PostMessageW(Window(target), static_cast<UINT>(message),
                             static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    }
    if (const wchar_t* keys = Option(argc, argv, L"--keys"))
        acted = acted && TypeKeys(keys);
    Pump(WaitMs(argc, argv, 1500));
    UnhookWinEvent(hook);
    Events = nullptr;
    for (const std::string& line : events)
        Print(line);
    Print(std::string("{\"acted\":") + (acted ? "true" : "false") + ",\"events\":" +
          std::to_string(events.size()) + "}");
    return acted ? ExitOk : ExitNotFound;
}

// ---- the keyboard there and back

bool WaitForeground(HWND wanted, DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != wanted) {
        if (GetTickCount() - start >= ms)
            return false;
        Pump(50);
    }
    return true;
}

int Escape(int argc, wchar_t** argv) {
    unsigned long long wParam = 0, lParam = 0;
    HWND tray = argc > 3 ? Window(argv[0]) : nullptr;
    HWND main = argc > 3 ? Window(argv[1]) : nullptr;
    if (!tray || !main || !Number(argv[2], wParam) || !Number(argv[3], lParam))
        return ExitUsage;
    const DWORD wait = WaitMs(argc, argv, 10000);
    // The window the user was in before going to the tray icon.
    HWND own = CreateWindowExW(0, L"STATIC", L"Probe window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               600, 400, 200, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    SetForegroundWindow(own);
    const bool ownFirst = WaitForeground(own, wait);
    PostMessageW(tray, 1025, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    const bool widget = WaitForeground(main, wait);
    Pump(300);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
    const bool back = WaitForeground(own, wait);
    DestroyWindow(own);
    Print(std::string("{\"own_first\":") + (ownFirst ? "true" : "false") +
          ",\"widget\":" + (widget ? "true" : "false") + ",\"back\":" + (back ? "true" : "false") +
          "}");
    return ownFirst && widget && back ? ExitOk : ExitNotFound;
}

} // namespace

// -1 when the command is none of these.
int Run(const std::wstring& command, int argc, wchar_t** argv) {
    if (command.rfind(L"acc-", 0) != 0)
        return -1;
    if (!Ole.Load()) {
        Print("{\"error\":\"no oleacc\"}");
        return ExitNotFound;
    }
    struct Com {
        Com() { Ole.Initialize(nullptr, COINIT_APARTMENTTHREADED); }
        ~Com() { Ole.Uninitialize(); }
    };
    if (command == L"acc-tree") {
        const Com com;
        return Tree(argc, argv);
    }
    if (command == L"acc-hold") {
        const Com com;
        return Hold(argc, argv);
    }
    if (command == L"acc-events") {
        const Com com;
        return WatchEvents(argc, argv);
    }
    if (command == L"acc-escape")
        return Escape(argc, argv);
    return -1;
}

} // namespace access_probe
