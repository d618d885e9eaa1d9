// How a start finds the window of the instance already running: by the file that the
// window's process runs.
#include "win32/platform/Handles.h"
#include "win32/platform/ProgramFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace meltemix;

TEST(ProgramFile, TheSameProgramWhereverItLies) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        bool same;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\Meltemix\\Meltemix.exe", L"c:\\PROGRAM FILES\\meltemix\\MELTEMIX.EXE", true},
        {L"C:\\Masaüstü\\Meltemix.exe", L"C:\\MASAÜSTÜ\\Meltemix.exe", true},
        {L"C:\\Meltemix\\meltemix.exe", L"C:\\Meltemix\\MELTEMİX.EXE", false}, // İ is not I
        {L"\\\\?\\UNC\\server\\share\\Meltemix.exe", L"\\\\server\\share\\Meltemix.exe", true},
        {L"C:/Meltemix/Meltemix.exe", L"C:\\Meltemix\\Meltemix.exe", true},
        // a copy in another folder, on another drive: the same program, which runs once
        {L"C:\\Meltemix\\Meltemix.exe", L"D:\\Yedek\\Meltemix.exe", true},
        {L"Meltemix.exe", L"C:\\Program Files\\Meltemix\\Meltemix.exe", true},
        {L"C:\\Meltemix\\Meltemix.exe", L"C:\\Meltemix\\Meltemix.exe.bak", false},
        {L"C:\\Meltemix\\Meltemix.exe", L"C:\\Meltemix\\Meltemi.exe", false},
        {L"C:\\Meltemix\\", L"C:\\Meltemix\\", false}, // no file name
        {L"C:\\Meltemix\\Meltemix.exe", L"", false},
        {L"", L"", false}, // nothing known of either: no match
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameProgramFile(c.a, c.b), c.same) << c.a << L" | " << c.b;
        EXPECT_EQ(SameProgramFile(c.b, c.a), c.same) << c.b << L" | " << c.a;
    }
    // A user's Turkish locale makes "i" upper case "İ"; a file name does not.
    const LCID before = GetThreadLocale();
    SetThreadLocale(MAKELCID(0x041F, SORT_DEFAULT));
    EXPECT_TRUE(SameProgramFile(L"C:\\meltemix\\meltemix.exe", L"C:\\MELTEMIX\\MELTEMIX.EXE"));
    SetThreadLocale(before);
}

// Another process started through the short name of this very file runs the same program.
TEST(ProgramFile, AnotherProcessOfThisFileUnderItsShortName) {
    const std::wstring own = OwnProgramFile();
    ASSERT_FALSE(own.empty());
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(own.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(shortName, own); // "meltemix_tests.exe" is no 8.3 name
    std::wstring commandLine = std::wstring(L"\"") + shortName + L"\" --gtest_list_tests";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessW(shortName, &commandLine[0], nullptr, nullptr, FALSE,
                               CREATE_SUSPENDED, nullptr, nullptr, &startup, &started));
    KernelHandle process(started.hProcess), thread(started.hThread);
    const std::wstring other = ProgramFileOfProcess(started.dwProcessId);
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 5000);
    EXPECT_TRUE(SameProgramFile(other, own)) << other << L" | " << own;
}

// The window's instance handle is an address in its own process: a copy of the program
// loaded at another base (as address-space randomisation does) has another one, which
// names no module here. The window is known all the same. (A message-only window, so that
// the case needs no display; the search itself goes over the top-level windows.)
TEST(ProgramFile, TheRunningWindowIsKnownByItsProcessNotByItsInstanceHandle) {
    const wchar_t* const className = L"MeltemixProgramFileTest";
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    ASSERT_TRUE(RegisterClassW(&windowClass));
    HWND window = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    ASSERT_NE(window, nullptr);
    SetWindowLongPtrW(window, GWLP_HINSTANCE, static_cast<LONG_PTR>(0x7A5A0000));

    const std::wstring own = OwnProgramFile();
    EXPECT_TRUE(IsWindowOfProgram(window, className, own));
    EXPECT_TRUE(IsWindowOfProgram(window, className, L"\\\\?\\" + own));
    EXPECT_TRUE(IsWindowOfProgram(window, className, L"C:\\Elsewhere\\meltemix_tests.exe"));
    EXPECT_FALSE(IsWindowOfProgram(window, className, L"C:\\Elsewhere\\Meltemix.exe"));
    EXPECT_FALSE(IsWindowOfProgram(window, L"TMainForm", own));

    DestroyWindow(window);
    UnregisterClassW(className, instance);
}
