// The program's shortcuts through the real shell, in a folder of the test's own.
#include "core/options/Shortcuts.h"
#include "win32/platform/WideText.h"
#include "win32/platform/Win32ShellLinks.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace meltemix;

namespace {

// The real shell, with its three folders moved below a scratch folder.
class ScratchShellLinks : public Win32ShellLinks {
public:
    explicit ScratchShellLinks(std::string root) : Win32ShellLinks(nullptr), root_(std::move(root)) {}
    std::string folderPath(SpecialFolder folder) override {
        switch (folder) {
        case SpecialFolder::Desktop:
            return root_ + "\\Masaüstü";
        case SpecialFolder::Startup:
            return root_ + "\\Başlangıç";
        default:
            return root_ + "\\AppData";
        }
    }

private:
    std::string root_;
};

class Win32ShellLinksTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = Narrow(temp) + "meltemix-shortcuts-" + std::to_string(GetCurrentProcessId());
        for (const char* folder : {"", "\\Masaüstü", "\\Başlangıç", "\\AppData",
                                   "\\AppData\\Microsoft", "\\AppData\\Microsoft\\Internet Explorer",
                                   "\\AppData\\Microsoft\\Internet Explorer\\Quick Launch"})
            CreateDirectoryW(Widen(root_ + folder).c_str(), nullptr);
    }
    void TearDown() override {
        std::wstring from = Widen(root_);
        from.push_back(L'\0'); // the list of paths ends with an empty one
        SHFILEOPSTRUCTW remove = {};
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.c_str();
        remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&remove);
    }

    std::string desktopLink() const { return root_ + "\\Masaüstü\\Meltemix!.lnk"; }
    std::string startupLink() const { return root_ + "\\Başlangıç\\Meltemix!.lnk"; }
    std::string quickLaunchLink() const {
        return root_ + "\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Meltemix!.lnk";
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(Widen(path).c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream(Widen(path).c_str(), std::ios::binary) << bytes;
    }

    std::string root_;
};

TEST_F(Win32ShellLinksTest, ShortcutPointsAtTheRunningProgram) {
    ScratchShellLinks shell(root_);
    SynchroniseShortcuts(shell, {true, true, true});
    for (const std::string& path : {desktopLink(), startupLink(), quickLaunchLink()})
        EXPECT_TRUE(shell.fileExists(path)) << path;

    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    ASSERT_TRUE(SUCCEEDED(file->Load(Widen(startupLink()).c_str(), STGM_READ)));

    const std::wstring program = ProgramFilePath();
    wchar_t text[MAX_PATH * 2] = {};
    link->GetPath(text, MAX_PATH * 2, nullptr, 0);
    EXPECT_EQ(lstrcmpiW(text, program.c_str()), 0) << Narrow(text);
    link->GetWorkingDirectory(text, MAX_PATH * 2);
    std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring directory = text;
    if (!directory.empty() && directory.back() == L'\\')
        directory.pop_back();
    EXPECT_EQ(lstrcmpiW(directory.c_str(), folder.c_str()), 0) << Narrow(text);
    int icon = -1;
    link->GetIconLocation(text, MAX_PATH * 2, &icon);
    EXPECT_EQ(lstrcmpiW(text, program.c_str()), 0) << Narrow(text);
    EXPECT_EQ(icon, 0);
    file->Release();
    link->Release();
}

TEST_F(Win32ShellLinksTest, ExistingShortcutIsKeptAndAnUntickedOneDeleted) {
    ScratchShellLinks shell(root_);
    write(desktopLink(), "not really a shortcut");
    write(startupLink(), "placed by the user");
    SynchroniseShortcuts(shell, {true, false, false});
    EXPECT_EQ(contents(desktopLink()), "not really a shortcut");
    EXPECT_FALSE(shell.fileExists(startupLink()));
    EXPECT_FALSE(shell.fileExists(quickLaunchLink()));
}

TEST_F(Win32ShellLinksTest, FolderWithoutQuickLaunchGetsNoShortcutAndNoError) {
    ScratchShellLinks shell(root_);
    RemoveDirectoryW(Widen(root_ + "\\AppData\\Microsoft\\Internet Explorer\\Quick Launch").c_str());
    EXPECT_NO_THROW(SynchroniseShortcuts(shell, {false, false, true}));
    EXPECT_FALSE(shell.fileExists(quickLaunchLink()));
}

TEST(Win32ShellLinks, TheShellNamesTheUsersFolders) {
    Win32ShellLinks shell(nullptr);
    for (SpecialFolder folder :
         {SpecialFolder::Desktop, SpecialFolder::Startup, SpecialFolder::ApplicationData}) {
        const std::string path = shell.folderPath(folder);
        EXPECT_FALSE(path.empty());
        EXPECT_NE(path.back(), '\\') << path;
    }
}

} // namespace
