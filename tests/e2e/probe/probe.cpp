// The Windows-side eyes and hands of the end-to-end tests, run in the same Wine prefix as
// the program. Every answer is one JSON object per line on standard output, in plain ASCII
// (anything else is written as \uXXXX), so the Linux side never depends on a code page.
//
//   probe find [--class C] [--title T] [--wait MS]     top-level windows that match
//   probe info HWND                                    one window
//   probe foreground                                   the window in the foreground
//   probe wait-gone HWND [--wait MS]                   until the window no longer exists
//   probe post HWND MSG [WPARAM [LPARAM]]              PostMessage
//   probe click X Y [--right] [--double]               mouse click at a screen point
//   probe drag X1 Y1 X2 Y2 [--hold]                     left button held from one point to another
//                                                       (with --hold, still down at the end)
//   probe release                                       the left button goes up where the mouse is
//   probe keys VK [VK ...]                              press and release virtual keys
//   probe msgbox [--title T] [--wait MS]               a message box: its texts and buttons
//   probe press HWND (--caption TEXT | --id N)         press a button of a dialog
//   probe dpi-changed HWND DPI LEFT TOP RIGHT BOTTOM    WM_DPICHANGED with that rectangle
//   probe acc-tree|acc-hold|acc-events|acc-escape ...   as a screen reader asks (access.cpp)
//
// Numbers take any C base ("0x1A2B", "1035"). Arguments may carry \uXXXX escapes for
// texts beyond ASCII. Exit code 0 when the command found or did what it was asked,
// 1 when it timed out or found nothing, 2 for a malformed command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "JsonText.h"

namespace {

constexpr int ExitOk = 0;
constexpr int ExitNotFound = 1;
constexpr int ExitUsage = 2;
constexpr DWORD PollInterval = 50;

// ---------------------------------------------------------------- output

class JsonLine {
public:
    JsonLine& text(const char* key, const std::wstring& value) {
        field(key);
        text_ += JsonQuoted(value);
        return *this;
    }
    JsonLine& number(const char* key, long long value) {
        field(key);
        text_ += std::to_string(value);
        return *this;
    }
    JsonLine& flag(const char* key, bool value) {
        field(key);
        text_ += value ? "true" : "false";
        return *this;
    }
    JsonLine& hex(const char* key, unsigned long long value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "0x%llX", value);
        field(key);
        text_ += '"';
        text_ += buffer;
        text_ += '"';
        return *this;
    }
    JsonLine& raw(const char* key, const std::string& json) {
        field(key);
        text_ += json;
        return *this;
    }
    std::string str() const { return "{" + text_ + "}"; }
    void print() const {
        std::fputs(str().c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }

private:
    void field(const char* key) {
        if (!text_.empty())
            text_ += ',';
        text_ += '"';
        text_ += key;
        text_ += "\":";
    }
    std::string text_;
};

void printError(const std::wstring& message) {
    JsonLine().text("error", message).print();
}

// ---------------------------------------------------------------- input

bool parseNumber(const wchar_t* text, unsigned long long& value) {
    if (!text || !*text)
        return false;
    wchar_t* end = nullptr;
    const bool negative = text[0] == L'-';
    value = negative ? static_cast<unsigned long long>(std::wcstoll(text, &end, 0))
                     : std::wcstoull(text, &end, 0);
    return end && *end == L'\0';
}

HWND parseWindow(const wchar_t* text) {
    unsigned long long value = 0;
    if (!parseNumber(text, value))
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
}

// Options after the positional arguments: "--name value" or "--flag".
struct Options {
    std::vector<std::wstring> positional;
    std::vector<std::pair<std::wstring, std::wstring>> named;

    bool has(const wchar_t* name) const {
        for (const auto& entry : named)
            if (entry.first == name)
                return true;
        return false;
    }
    const std::wstring* value(const wchar_t* name) const {
        for (const auto& entry : named)
            if (entry.first == name)
                return &entry.second;
        return nullptr;
    }
    DWORD waitMs() const {
        unsigned long long ms = 0;
        const std::wstring* text = value(L"--wait");
        return text && parseNumber(text->c_str(), ms) ? static_cast<DWORD>(ms) : 0;
    }
};

bool isFlag(const std::wstring& name) {
    return name == L"--right" || name == L"--double" || name == L"--hold";
}

Options parseOptions(int argc, wchar_t** argv, int first) {
    Options options;
    for (int i = first; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg.rfind(L"--", 0) == 0 && !isFlag(arg) && i + 1 < argc) {
            options.named.emplace_back(arg, Unescaped(argv[++i]));
        } else if (arg.rfind(L"--", 0) == 0) {
            options.named.emplace_back(arg, L"");
        } else {
            options.positional.push_back(Unescaped(arg));
        }
    }
    return options;
}

// ---------------------------------------------------------------- windows

std::wstring classOf(HWND hwnd) {
    wchar_t name[260] = {};
    GetClassNameW(hwnd, name, 259);
    return name;
}

std::wstring titleOf(HWND hwnd) {
    // WM_GETTEXT through SendMessageTimeout: a hung window must not hang the probe.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1023, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return L"";
    return text;
}

unsigned long long exStyleOf(HWND hwnd) {
    return static_cast<unsigned long long>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)) & 0xFFFFFFFFull;
}

unsigned long long styleOf(HWND hwnd) {
    return static_cast<unsigned long long>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & 0xFFFFFFFFull;
}

unsigned long long handleValue(HWND hwnd) {
    return static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd));
}

std::string rectJson(const RECT& rect) {
    return "[" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "]";
}

JsonLine describe(HWND hwnd) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    RECT client = {};
    GetClientRect(hwnd, &client);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    JsonLine line;
    line.hex("hwnd", handleValue(hwnd))
        .text("class", classOf(hwnd))
        .text("title", titleOf(hwnd))
        .flag("visible", IsWindowVisible(hwnd) != FALSE)
        .raw("rect", rectJson(rect))
        .number("width", rect.right - rect.left)
        .number("height", rect.bottom - rect.top)
        .raw("client", "[" + std::to_string(client.right) + "," + std::to_string(client.bottom) + "]")
        .hex("style", styleOf(hwnd))
        .hex("exstyle", exStyleOf(hwnd))
        .number("pid", pid);
    // GW_OWNER answers for top-level windows; a child has a parent instead and no owner.
    if (HWND owner = GetWindow(hwnd, GW_OWNER)) {
        line.hex("owner", handleValue(owner))
            .text("owner_class", classOf(owner))
            .hex("owner_exstyle", exStyleOf(owner));
    } else {
        line.raw("owner", "null");
    }
    return line;
}

struct Filter {
    const std::wstring* className = nullptr;
    const std::wstring* title = nullptr;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM context) {
    auto* filter = reinterpret_cast<Filter*>(context);
    if (filter->className && classOf(hwnd) != *filter->className)
        return TRUE;
    if (filter->title && titleOf(hwnd) != *filter->title)
        return TRUE;
    filter->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> findWindows(const std::wstring* className, const std::wstring* title,
                              DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        Filter filter;
        filter.className = className;
        filter.title = title;
        EnumWindows(&collect, reinterpret_cast<LPARAM>(&filter));
        if (!filter.found.empty() || GetTickCount() - start >= waitMs)
            return filter.found;
        Sleep(PollInterval);
    }
}

// ---------------------------------------------------------------- commands

int cmdFind(const Options& options) {
    const auto windows =
        findWindows(options.value(L"--class"), options.value(L"--title"), options.waitMs());
    for (HWND hwnd : windows)
        describe(hwnd).print();
    return windows.empty() ? ExitNotFound : ExitOk;
}

int cmdInfo(const Options& options) {
    if (options.positional.size() != 1)
        return ExitUsage;
    HWND hwnd = parseWindow(options.positional[0].c_str());
    if (!hwnd || !IsWindow(hwnd)) {
        printError(L"no such window");
        return ExitNotFound;
    }
    describe(hwnd).print();
    return ExitOk;
}

int cmdForeground() {
    HWND hwnd = GetForegroundWindow();
    if (!hwnd) {
        printError(L"no foreground window");
        return ExitNotFound;
    }
    describe(hwnd).print();
    return ExitOk;
}

int cmdWaitGone(const Options& options) {
    if (options.positional.size() != 1)
        return ExitUsage;
    HWND hwnd = parseWindow(options.positional[0].c_str());
    const DWORD start = GetTickCount();
    const DWORD waitMs = options.waitMs();
    while (IsWindow(hwnd)) {
        if (GetTickCount() - start >= waitMs) {
            JsonLine().flag("gone", false).print();
            return ExitNotFound;
        }
        Sleep(PollInterval);
    }
    JsonLine().flag("gone", true).print();
    return ExitOk;
}

int cmdPost(const Options& options) {
    if (options.positional.size() < 2 || options.positional.size() > 4)
        return ExitUsage;
    unsigned long long message = 0, wParam = 0, lParam = 0;
    HWND hwnd = parseWindow(options.positional[0].c_str());
    if (!hwnd || !parseNumber(options.positional[1].c_str(), message) ||
        (options.positional.size() > 2 && !parseNumber(options.positional[2].c_str(), wParam)) ||
        (options.positional.size() > 3 && !parseNumber(options.positional[3].c_str(), lParam)))
        return ExitUsage;
    const BOOL posted = PostMessageW(hwnd, static_cast<UINT>(message), static_cast<WPARAM>(wParam),
                                     static_cast<LPARAM>(lParam));
    JsonLine().flag("posted", posted != FALSE).print();
    return posted ? ExitOk : ExitNotFound;
}

// What the system sends a window that lands on a screen of another density: the new dpi
// and the suggested window rectangle, which the message points to. The rectangle is
// written into the window's own process, since a pointer means nothing across processes.
int cmdDpiChanged(const Options& options) {
    if (options.positional.size() != 6)
        return ExitUsage;
    HWND hwnd = parseWindow(options.positional[0].c_str());
    unsigned long long values[5] = {};
    for (int i = 0; i < 5; ++i)
        if (!parseNumber(options.positional[static_cast<std::size_t>(i) + 1].c_str(), values[i]))
            return ExitUsage;
    DWORD pid = 0;
    if (!hwnd || !GetWindowThreadProcessId(hwnd, &pid))
        return ExitNotFound;
    const RECT suggested = {static_cast<LONG>(values[1]), static_cast<LONG>(values[2]),
                            static_cast<LONG>(values[3]), static_cast<LONG>(values[4])};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return ExitNotFound;
    void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    DWORD_PTR result = 0;
    const bool sent =
        remote && WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
        SendMessageTimeoutW(hwnd, 0x02E0 /* WM_DPICHANGED */,
                            MAKEWPARAM(values[0], values[0]), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 10000, &result);
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    JsonLine().flag("sent", sent).print();
    return sent ? ExitOk : ExitNotFound;
}

INPUT mouseInput(DWORD flags, LONG x, LONG y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

// Absolute coordinates are normalised to 0..65535 over the primary screen.
POINT normalised(long long x, long long y) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    return {static_cast<LONG>((x * 65535 + width / 2) / (width - 1)),
            static_cast<LONG>((y * 65535 + height / 2) / (height - 1))};
}

int cmdClick(const Options& options) {
    if (options.positional.size() != 2)
        return ExitUsage;
    unsigned long long x = 0, y = 0;
    if (!parseNumber(options.positional[0].c_str(), x) ||
        !parseNumber(options.positional[1].c_str(), y))
        return ExitUsage;
    const POINT n = normalised(static_cast<long long>(x), static_cast<long long>(y));
    const LONG nx = n.x, ny = n.y;
    const bool right = options.has(L"--right");
    const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;

    std::vector<INPUT> inputs;
    inputs.push_back(mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, nx, ny));
    const int clicks = options.has(L"--double") ? 2 : 1;
    for (int i = 0; i < clicks; ++i) {
        inputs.push_back(mouseInput(down | MOUSEEVENTF_ABSOLUTE, nx, ny));
        inputs.push_back(mouseInput(up | MOUSEEVENTF_ABSOLUTE, nx, ny));
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    JsonLine().number("sent", sent).number("x", static_cast<long long>(x))
        .number("y", static_cast<long long>(y)).print();
    return sent == inputs.size() ? ExitOk : ExitNotFound;
}

// As a hand drags: press, a few steps with time between them for the window's own move
// loop to take each, release at the end point.
int cmdDrag(const Options& options) {
    if (options.positional.size() != 4)
        return ExitUsage;
    unsigned long long v[4] = {};
    for (int i = 0; i < 4; ++i)
        if (!parseNumber(options.positional[i].c_str(), v[i]))
            return ExitUsage;
    const long long x1 = static_cast<long long>(v[0]), y1 = static_cast<long long>(v[1]);
    const long long x2 = static_cast<long long>(v[2]), y2 = static_cast<long long>(v[3]);
    constexpr int Steps = 10;
    std::vector<INPUT> inputs;
    for (int step = 0; step <= Steps; ++step) {
        const POINT p = normalised(x1 + (x2 - x1) * step / Steps, y1 + (y2 - y1) * step / Steps);
        inputs.push_back(mouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p.x, p.y));
        if (step == 0)
            inputs.push_back(mouseInput(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE, p.x, p.y));
        if (step == Steps && !options.has(L"--hold"))
            inputs.push_back(mouseInput(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE, p.x, p.y));
    }
    UINT sent = 0;
    for (INPUT& input : inputs) {
        sent += SendInput(1, &input, sizeof(INPUT));
        Sleep(40);
    }
    JsonLine().number("sent", sent).print();
    return sent == inputs.size() ? ExitOk : ExitNotFound;
}

int cmdRelease() {
    INPUT up = {};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const UINT sent = SendInput(1, &up, sizeof(INPUT));
    JsonLine().number("sent", sent).print();
    return sent == 1 ? ExitOk : ExitNotFound;
}

// Presses and releases each virtual key in turn, as typed on the keyboard.
int cmdKeys(const Options& options) {
    std::vector<INPUT> inputs;
    for (const std::wstring& key : options.positional) {
        unsigned long long vk = 0;
        if (!parseNumber(key.c_str(), vk) || vk == 0 || vk > 0xFE)
            return ExitUsage;
        INPUT press = {};
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = static_cast<WORD>(vk);
        inputs.push_back(press);
        press.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(press);
    }
    if (inputs.empty())
        return ExitUsage;
    UINT sent = 0;
    for (INPUT& input : inputs) { // one at a time: a menu needs to see each key
        sent += SendInput(1, &input, sizeof(INPUT));
        Sleep(60);
    }
    JsonLine().number("sent", sent).print();
    return sent == inputs.size() ? ExitOk : ExitNotFound;
}

struct DialogButton {
    int id;
    std::wstring caption;
    RECT rect; // screen coordinates, for a real click
};

struct DialogParts {
    std::vector<std::wstring> texts;
    std::vector<DialogButton> buttons;
};

BOOL CALLBACK collectParts(HWND child, LPARAM context) {
    auto* parts = reinterpret_cast<DialogParts*>(context);
    const std::wstring kind = classOf(child);
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        // The icon is a Static too, without text.
        const std::wstring text = titleOf(child);
        if (!text.empty())
            parts->texts.push_back(text);
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        DialogButton button = {GetDlgCtrlID(child), titleOf(child), {}};
        GetWindowRect(child, &button.rect);
        parts->buttons.push_back(button);
    }
    return TRUE;
}

DialogParts partsOf(HWND dialog) {
    DialogParts parts;
    EnumChildWindows(dialog, &collectParts, reinterpret_cast<LPARAM>(&parts));
    return parts;
}

int cmdMsgBox(const Options& options) {
    const std::wstring dialogClass = L"#32770";
    const auto boxes = findWindows(&dialogClass, options.value(L"--title"), options.waitMs());
    for (HWND box : boxes) {
        const DialogParts parts = partsOf(box);
        std::wstring text;
        for (const auto& piece : parts.texts)
            text += (text.empty() ? L"" : L"\n") + piece;
        std::string buttons = "[";
        for (const auto& button : parts.buttons) {
            if (buttons.size() > 1)
                buttons += ',';
            buttons += JsonLine()
                           .number("id", button.id)
                           .text("caption", button.caption)
                           .raw("rect", rectJson(button.rect))
                           .str();
        }
        buttons += "]";
        describe(box).text("text", text).raw("buttons", buttons).print();
    }
    return boxes.empty() ? ExitNotFound : ExitOk;
}

// Captions carry "&" for their access keys; "&OK" and "OK" name the same button.
std::wstring withoutAccessKeys(const std::wstring& caption) {
    std::wstring plain;
    for (wchar_t c : caption)
        if (c != L'&')
            plain += c;
    return plain;
}

int cmdPress(const Options& options) {
    if (options.positional.size() != 1)
        return ExitUsage;
    HWND dialog = parseWindow(options.positional[0].c_str());
    if (!dialog || !IsWindow(dialog)) {
        printError(L"no such window");
        return ExitNotFound;
    }
    const std::wstring* caption = options.value(L"--caption");
    unsigned long long wantedId = 0;
    const std::wstring* idText = options.value(L"--id");
    if ((!caption && !idText) || (idText && !parseNumber(idText->c_str(), wantedId)))
        return ExitUsage;

    for (const auto& button : partsOf(dialog).buttons) {
        const bool match = caption ? withoutAccessKeys(button.caption) == withoutAccessKeys(*caption)
                                   : static_cast<unsigned long long>(button.id) == wantedId;
        if (!match)
            continue;
        // What a click on the button sends its dialog; unlike BM_CLICK it does not depend on
        // the dialog being the foreground window.
        HWND control = GetDlgItem(dialog, button.id);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button.id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
        JsonLine().number("pressed", button.id).text("caption", button.caption).print();
        return ExitOk;
    }
    printError(L"no such button");
    return ExitNotFound;
}

} // namespace

namespace access_probe {
int Run(const std::wstring& command, int argc, wchar_t** argv);
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        printError(L"usage: probe find|info|foreground|wait-gone|post|click|drag|msgbox|press|"
                   L"keys|dpi-changed ...");
        return ExitUsage;
    }
    const std::wstring command = argv[1];
    const Options options = parseOptions(argc, argv, 2);
    int result = ExitUsage;
    if (command == L"find")
        result = cmdFind(options);
    else if (command == L"info")
        result = cmdInfo(options);
    else if (command == L"foreground")
        result = cmdForeground();
    else if (command == L"wait-gone")
        result = cmdWaitGone(options);
    else if (command == L"post")
        result = cmdPost(options);
    else if (command == L"click")
        result = cmdClick(options);
    else if (command == L"drag")
        result = cmdDrag(options);
    else if (command == L"msgbox")
        result = cmdMsgBox(options);
    else if (command == L"press")
        result = cmdPress(options);
    else if (command == L"keys")
        result = cmdKeys(options);
    else if (command == L"dpi-changed")
        result = cmdDpiChanged(options);
    else if (command == L"release")
        result = cmdRelease();
    else if (const int accessed = access_probe::Run(command, argc - 2, argv + 2); accessed >= 0)
        result = accessed;
    if (result == ExitUsage)
        printError(L"bad command line: " + command);
    return result;
}
