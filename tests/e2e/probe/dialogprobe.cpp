// The end-to-end tests' look inside a dialog, beside probe.exe: the controls of a window
// with their states and contents, a row chosen in a list, and text typed into whatever
// has the focus (probe.exe's keys are virtual keys, which carry no Turkish letters).
// Output as probe.exe's: one JSON object per line, plain ASCII with \uXXXX for anything
// else.
//
//   dialogprobe controls HWND                  every control below the window
//   dialogprobe focus HWND                     the control with the keyboard focus in
//                                              the window's thread
//   dialogprobe settext HWND TEXT              replace an edit box's text, as typing over it
//                                              would (\uXXXX escapes allowed)
//   dialogprobe choose HWND ROW                select a row of a list or combo box and tell
//                                              its parent, as a click on the row does
//   dialogprobe type TEXT                      type the text (\uXXXX escapes allowed)
//   dialogprobe move X Y                       move the mouse to a screen point, no click
//
// Exit code 0 when done, 1 when the window is not there, 2 for a malformed command line.
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

std::string Handle(HWND hwnd) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "\"0x%llX\"",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
    return buffer;
}

HWND ParseWindow(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text, &end, 0);
    return end && *end == L'\0' ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)) : nullptr;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 255);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1023, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return text;
}

// The rows of a list or combo box; the system carries these texts between processes.
std::string Rows(HWND hwnd, bool combo, int& selection) {
    const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT length = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT get = combo ? CB_GETLBTEXT : LB_GETTEXT;
    selection = static_cast<int>(SendMessageW(hwnd, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
    std::string rows = "[";
    const LRESULT n = SendMessageW(hwnd, count, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        std::wstring row(static_cast<size_t>(SendMessageW(hwnd, length, i, 0)) + 1, L'\0');
        SendMessageW(hwnd, get, i, reinterpret_cast<LPARAM>(&row[0]));
        row.resize(wcslen(row.c_str()));
        rows += (i ? "," : "") + JsonQuoted(row);
    }
    return rows + "]";
}

BOOL CALLBACK Describe(HWND hwnd, LPARAM) {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    const std::wstring kind = ClassOf(hwnd);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    std::string line = "{\"hwnd\":" + Handle(hwnd) +
                       ",\"parent\":" + Handle(GetParent(hwnd)) +
                       ",\"id\":" + std::to_string(GetDlgCtrlID(hwnd)) +
                       ",\"class\":" + JsonQuoted(kind) + ",\"text\":" + JsonQuoted(TextOf(hwnd)) +
                       ",\"rect\":[" + std::to_string(rect.left) + "," + std::to_string(rect.top) +
                       "," + std::to_string(rect.right) + "," + std::to_string(rect.bottom) +
                       "],\"visible\":" + (IsWindowVisible(hwnd) ? "true" : "false") +
                       ",\"enabled\":" + (IsWindowEnabled(hwnd) ? "true" : "false");
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        const LRESULT check = SendMessageW(hwnd, BM_GETCHECK, 0, 0);
        line += std::string(",\"checked\":") + (check == BST_CHECKED ? "true" : "false");
        line += std::string(",\"default\":") +
                ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "true" : "false");
    }
    const bool combo = _wcsicmp(kind.c_str(), L"ComboBox") == 0;
    if (combo || _wcsicmp(kind.c_str(), L"ListBox") == 0) {
        int selection = -1;
        line += ",\"items\":" + Rows(hwnd, combo, selection);
        line += ",\"selection\":" + std::to_string(selection);
    }
    line += "}";
    std::puts(line.c_str());
    return TRUE;
}

int Controls(HWND window) {
    EnumChildWindows(window, Describe, 0);
    std::fflush(stdout);
    return ExitOk;
}

int Focus(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return ExitNotFound;
    std::printf("{\"focus\":%s,\"active\":%s}\n", Handle(info.hwndFocus).c_str(),
                Handle(info.hwndActive).c_str());
    return ExitOk;
}

int Choose(HWND list, int row) {
    const bool combo = _wcsicmp(ClassOf(list).c_str(), L"ComboBox") == 0;
    SendMessageW(list, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    PostMessageW(GetParent(list), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(list), combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    std::printf("{\"chosen\":%d}\n", row);
    return ExitOk;
}

INPUT KeyInput(WORD key, WORD unit, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unit;
    input.ki.dwFlags = flags;
    return input;
}

int Send(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    std::printf("{\"sent\":%u}\n", sent);
    return sent == inputs.size() ? ExitOk : ExitNotFound;
}

int Type(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        inputs.push_back(KeyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE));
        inputs.push_back(KeyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    return Send(inputs);
}

int Move(int x, int y) {
    // Absolute coordinates are normalised to 0..65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65535 + width / 2) / (width - 1));
    input.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    std::vector<INPUT> inputs = {input};
    return Send(inputs);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::puts("{\"error\":\"usage: dialogprobe controls|focus|settext|choose|type|move ...\"}");
        return ExitUsage;
    }
    const std::wstring command = argv[1];
    if (command == L"type")
        return Type(Unescaped(argv[2]));
    if (command == L"move" && argc == 4)
        return Move(_wtoi(argv[2]), _wtoi(argv[3]));
    HWND window = ParseWindow(argv[2]);
    if (!window)
        return ExitUsage;
    if (!IsWindow(window)) {
        std::puts("{\"error\":\"no such window\"}");
        return ExitNotFound;
    }
    if (command == L"controls")
        return Controls(window);
    if (command == L"focus")
        return Focus(window);
    if (command == L"settext" && argc == 4) {
        SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Unescaped(argv[3]).c_str()));
        std::puts("{\"set\":true}");
        return ExitOk;
    }
    if (command == L"choose" && argc == 4)
        return Choose(window, _wtoi(argv[3]));
    std::puts("{\"error\":\"bad command line\"}");
    return ExitUsage;
}
