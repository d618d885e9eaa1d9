// The long-running hand of the end-to-end tests: started once in the program's prefix, it
// takes one command per line on standard input and answers each with one JSON line on
// standard output. A run of hundreds of steps then costs no process start per step (each
// start of a Wine process takes a good part of a second), and each step waits inside the
// prefix for what the program does, polling in milliseconds instead of round trips.
//
//   attach MS                     find the program's main window and its tray window
//   send MSG WPARAM LPARAM        SendMessageTimeout to the main window: returns once handled
//   post MSG WPARAM LPARAM        PostMessage to the main window
//   settle MS                     until the face no longer says it is connecting
//   menu tray|window MS           open one of the program's menus, then close it with Escape
//   options MS                    open the options dialog through its command, then cancel it
//   state                         the main window's title and visibility, the dialogs open
//   quit
//
// Every answer carries "ok" and the milliseconds the step took; "dialogs" lists every dialog
// window of the program (an error box among them) whenever a step did not end as asked.
// Texts beyond ASCII are written as \uXXXX, so the other side never depends on a code page.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "JsonText.h"

namespace {

constexpr UINT TrayCallback = WM_USER + 1;
constexpr UINT CmdOptions = 104;
constexpr DWORD SendTimeoutMs = 20000;

std::string handleText(HWND hwnd) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "\"0x%llX\"",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
    return buffer;
}

std::wstring classOf(HWND hwnd) {
    wchar_t name[260] = {};
    GetClassNameW(hwnd, name, 259);
    return name;
}

// Through SendMessageTimeout: a program stuck in a loop of its own must not stop the driver.
std::wstring titleOf(HWND hwnd) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 511, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return L"";
    return text;
}

DWORD processOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

struct Found {
    const wchar_t* cls;
    const wchar_t* title; // or null for any
    DWORD pid;            // or 0 for any
    bool visibleOnly;
    std::vector<HWND> windows;
};

BOOL CALLBACK collect(HWND hwnd, LPARAM context) {
    auto* found = reinterpret_cast<Found*>(context);
    if (found->pid && processOf(hwnd) != found->pid)
        return TRUE;
    if (found->visibleOnly && !IsWindowVisible(hwnd))
        return TRUE;
    if (found->cls && classOf(hwnd) != found->cls)
        return TRUE;
    if (found->title && titleOf(hwnd) != found->title)
        return TRUE;
    found->windows.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> windows(const wchar_t* cls, DWORD pid, bool visibleOnly,
                          const wchar_t* title = nullptr) {
    Found found = {cls, title, pid, visibleOnly, {}};
    EnumWindows(&collect, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

// The texts of a dialog's static controls: a message box's message.
BOOL CALLBACK collectTexts(HWND child, LPARAM context) {
    if (_wcsicmp(classOf(child).c_str(), L"Static") == 0) {
        const std::wstring text = titleOf(child);
        auto* texts = reinterpret_cast<std::wstring*>(context);
        if (!text.empty())
            *texts += (texts->empty() ? L"" : L"\n") + text;
    }
    return TRUE;
}

class Driver {
public:
    std::string run(const std::vector<std::wstring>& words) {
        const DWORD start = GetTickCount();
        std::string fields;
        const bool ok = dispatch(words, fields);
        std::string line = std::string("{\"ok\":") + (ok ? "true" : "false") +
                           ",\"ms\":" + std::to_string(GetTickCount() - start) + fields;
        if (!ok && main_)
            line += ",\"dialogs\":" + dialogs();
        return line + "}";
    }

private:
    bool dispatch(const std::vector<std::wstring>& w, std::string& out) {
        const std::wstring& command = w[0];
        if (command == L"attach" && w.size() == 2)
            return attach(number(w[1]), out);
        if (!main_) {
            out += ",\"error\":\"not attached\"";
            return false;
        }
        if ((command == L"send" || command == L"post") && w.size() == 4)
            return message(command == L"send", static_cast<UINT>(number(w[1])), number(w[2]),
                           number(w[3]), out);
        if (command == L"settle" && w.size() == 2)
            return settle(static_cast<DWORD>(number(w[1])), out);
        if (command == L"menu" && w.size() == 3)
            return menu(w[1] == L"tray", static_cast<DWORD>(number(w[2])), out);
        if (command == L"options" && w.size() == 2)
            return options(static_cast<DWORD>(number(w[1])), out);
        if (command == L"state" && w.size() == 1) {
            out += ",\"title\":" + JsonQuoted(titleOf(main_)) + ",\"visible\":" +
                   (IsWindowVisible(main_) ? "true" : "false") + ",\"dialogs\":" + dialogs();
            return true;
        }
        out += ",\"error\":" + JsonQuoted(L"bad command: " + command);
        return false;
    }

    static long long number(const std::wstring& text) { return std::wcstoll(text.c_str(), nullptr, 0); }

    bool attach(long long waitMs, std::string& out) {
        const DWORD start = GetTickCount();
        for (;;) {
            const auto mains = windows(L"TMainForm", 0, false);
            if (mains.size() == 1) {
                main_ = mains[0];
                pid_ = processOf(main_);
                const auto trays = windows(L"TTrayIconWindow", pid_, false);
                tray_ = trays.empty() ? nullptr : trays[0];
                out += ",\"main\":" + handleText(main_) + ",\"tray\":" +
                       (tray_ ? handleText(tray_) : "null") + ",\"pid\":" + std::to_string(pid_);
                return true;
            }
            if (GetTickCount() - start >= waitMs) {
                out += ",\"found\":" + std::to_string(mains.size());
                return false;
            }
            Sleep(20);
        }
    }

    bool message(bool send, UINT msg, long long wParam, long long lParam, std::string& out) {
        if (!send)
            return PostMessageW(main_, msg, static_cast<WPARAM>(wParam),
                                static_cast<LPARAM>(lParam)) != FALSE;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(main_, msg, static_cast<WPARAM>(wParam),
                                 static_cast<LPARAM>(lParam), SMTO_NORMAL, SendTimeoutMs, &result)) {
            out += ",\"error\":\"not handled in time\"";
            return false;
        }
        out += ",\"visible\":" + std::string(IsWindowVisible(main_) ? "true" : "false");
        return true;
    }

    // The title tells the face's state: "Meltemix! - Bağlantı kuruluyor..." while a refresh is
    // under way. An error box that opens meanwhile ends the wait: it would stand for ever.
    bool settle(DWORD waitMs, std::string& out) {
        const std::wstring connecting = L"Meltemix! - Ba\u011Flant\u0131 kuruluyor...";
        const DWORD start = GetTickCount();
        for (;;) {
            const std::wstring title = titleOf(main_);
            if (!title.empty() && title != connecting) {
                out += ",\"title\":" + JsonQuoted(title);
                return true;
            }
            if (GetTickCount() - start >= waitMs || !IsWindow(main_) || boxOpen()) {
                out += ",\"title\":" + JsonQuoted(title);
                return false;
            }
            Sleep(2);
        }
    }

    bool boxOpen() const {
        return !windows(L"#32770", pid_, true, L"Meltemix!").empty();
    }

    bool waitFor(const wchar_t* cls, const wchar_t* title, bool present, DWORD waitMs,
                 HWND* found = nullptr) const {
        const DWORD start = GetTickCount();
        for (;;) {
            const auto now = windows(cls, pid_, true, title);
            if (now.empty() != present) {
                if (found && present)
                    *found = now[0];
                return true;
            }
            if (GetTickCount() - start >= waitMs)
                return false;
            Sleep(2);
        }
    }

    // The tray icon's right click as the shell reports it, or the window's own right click;
    // Escape then ends the menu's loop, which runs on the program's thread and reads the keys
    // of its queue whatever window they were posted to.
    bool menu(bool tray, DWORD waitMs, std::string& out) {
        if (tray && !tray_) { // made after the main window: it may not have been there at attach
            const auto trays = windows(L"TTrayIconWindow", pid_, false);
            tray_ = trays.empty() ? nullptr : trays[0];
        }
        if (tray && !tray_) {
            out += ",\"error\":\"no tray window\"";
            return false;
        }
        if (tray) {
            // The program asks the shell for callbacks of version 4, which this Wine grants:
            // the icon's id beside the event, the point in wParam, the menu on WM_CONTEXTMENU.
            const LPARAM icon = static_cast<LPARAM>(reinterpret_cast<UINT_PTR>(tray_) & 0xFFFF) << 16;
            const WPARAM at = MAKEWPARAM(600, 500);
            PostMessageW(tray_, TrayCallback, at, icon | WM_RBUTTONUP);
            PostMessageW(tray_, TrayCallback, at, icon | WM_CONTEXTMENU);
        } else
            PostMessageW(main_, WM_RBUTTONUP, 0, MAKELPARAM(100, 180));
        if (!waitFor(L"#32768", nullptr, true, waitMs)) {
            out += ",\"error\":\"the menu did not open\"";
            return false;
        }
        PostMessageW(main_, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(main_, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        if (!waitFor(L"#32768", nullptr, false, waitMs)) {
            out += ",\"error\":\"the menu stayed open\"";
            return false;
        }
        return true;
    }

    bool options(DWORD waitMs, std::string& out) {
        PostMessageW(main_, WM_COMMAND, CmdOptions, 0);
        HWND dialog = nullptr;
        if (!waitFor(L"#32770", L"Ayarlar...", true, waitMs, &dialog)) {
            out += ",\"error\":\"the dialog did not open\"";
            return false;
        }
        // As the Cancel button's click tells its dialog.
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        if (!waitFor(L"#32770", L"Ayarlar...", false, waitMs)) {
            out += ",\"error\":\"the dialog stayed open\"";
            return false;
        }
        return true;
    }

    std::string dialogs() const {
        std::string list = "[";
        for (HWND dialog : windows(L"#32770", pid_, true)) {
            std::wstring text;
            EnumChildWindows(dialog, &collectTexts, reinterpret_cast<LPARAM>(&text));
            if (list.size() > 1)
                list += ',';
            list += "{\"title\":" + JsonQuoted(titleOf(dialog)) + ",\"text\":" + JsonQuoted(text) + "}";
        }
        return list + "]";
    }

    HWND main_ = nullptr;
    HWND tray_ = nullptr;
    DWORD pid_ = 0;
};

std::vector<std::wstring> split(const std::wstring& line) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (wchar_t c : line) {
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

} // namespace

int wmain() {
    Driver driver;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        std::wstring line;
        for (const char* p = buffer; *p; ++p)
            line += static_cast<wchar_t>(static_cast<unsigned char>(*p)); // commands are ASCII
        const auto words = split(line);
        if (words.empty())
            continue;
        if (words[0] == L"quit")
            break;
        std::fputs(driver.run(words).c_str(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
}
