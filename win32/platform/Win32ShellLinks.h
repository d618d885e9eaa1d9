#pragma once

#include "core/options/Shortcuts.h"

#include <windows.h>

#include <string>

namespace meltemix {

// The program's shortcuts through the shell: special folders, and shell-link objects
// saved through their persist-file interface. COM must be initialised on the thread.
class Win32ShellLinks : public ShellLinks {
public:
    // `owner` is the window the shell may use for questions while naming a folder.
    explicit Win32ShellLinks(HWND owner) : owner_(owner) {}

    std::string folderPath(SpecialFolder folder) override;
    bool fileExists(const std::string& path) override;
    void createShortcut(const std::string& path) override;
    void deleteFile(const std::string& path) override;

private:
    HWND owner_;
};

// The full path of the running program's file.
std::wstring ProgramFilePath();

} // namespace meltemix
