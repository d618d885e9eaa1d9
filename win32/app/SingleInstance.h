#pragma once

#include "win32/platform/Handles.h"

#include <windows.h>

namespace meltemix {

constexpr const wchar_t* MainWindowClass = L"TMainForm";

// One instance per user: the named mutex says an instance may be running, a main window of
// this very program confirms it. Either alone is not enough.
class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The running instance's main window, or null when this start is the first.
    HWND runningWindow() const { return alreadyExists_ ? found_ : nullptr; }
    // This instance is closing: a start from now on finds no mutex and runs as the first,
    // however long the rest of the close takes.
    void release();

private:
    KernelHandle mutex_;
    bool alreadyExists_ = false;
    HWND found_ = nullptr;
};

// Whether this system is at least Windows XP (5.1).
bool IsSupportedWindowsVersion();

} // namespace meltemix
