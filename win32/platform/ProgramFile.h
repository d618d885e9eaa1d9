#pragma once

#include <windows.h>

#include <string>

namespace meltemix {

// The file of this program, and of the program another process runs, each in its long
// form; empty when it cannot be asked (the process has ended, or belongs to another user
// on Windows XP). The process is asked by its id, never through an address of its own: a
// copy of the program loaded at another base has other addresses.
std::wstring OwnProgramFile();
std::wstring ProgramFileOfProcess(DWORD processId);

// Whether two program files are this program: the same file name, in whatever folder, so
// that a copy unpacked elsewhere hands over to the one running as a second start of it does
// (one instance per user). Case does not count; an empty name matches nothing.
bool SameProgramFile(const std::wstring& a, const std::wstring& b);

// Whether a window is of `className` and its process runs `programFile`.
bool IsWindowOfProgram(HWND window, const wchar_t* className, const std::wstring& programFile);
// A top-level window of which that holds, or null.
HWND FindProgramWindow(const wchar_t* className, const std::wstring& programFile);

} // namespace meltemix
