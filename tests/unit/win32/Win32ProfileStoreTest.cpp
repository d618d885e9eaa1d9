// The real profile functions behind the settings file.
#include "core/settings/SettingsFile.h"
#include "win32/platform/WideText.h"
#include "win32/platform/Win32ProfileStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

class Win32ProfileStoreTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t directory[MAX_PATH];
        GetTempPathW(MAX_PATH, directory);
        path_ = std::wstring(directory) + L"meltemix-profile-test.ini";
        removeFile();
    }
    void TearDown() override { removeFile(); }

    void removeFile() {
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path_.c_str());
    }
    void writeUtf16(const std::wstring& text) {
        std::ofstream out(path_.c_str(), std::ios::binary);
        out.write("\xFF\xFE", 2);
        out.write(reinterpret_cast<const char*>(text.data()),
                  static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
    }
    FILETIME lastWriteTime() {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data);
        return data.ftLastWriteTime;
    }
    std::string rawBytes() {
        std::ifstream in(path_.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::wstring path_;
};

TEST_F(Win32ProfileStoreTest, TurkishNamesInAUtf16FileRoundTrip) {
    writeUtf16(L"[Favorites]\r\n\u0130zmir=TUXX0015\r\n\u015Eanl\u0131urfa=TUXX0068\r\n"
               L"Ankara=TUXX0002\r\n[Location]\r\nCityName=Mu\u011Fla\r\n");
    Win32ProfileStore store(path_);
    SettingsFile file(store);

    EXPECT_EQ(file.readSectionKeys("Favorites"),
              (std::vector<std::string>{"İzmir", "Şanlıurfa", "Ankara"}));
    EXPECT_EQ(file.readText("Favorites", "Şanlıurfa", ""), "TUXX0068");
    EXPECT_EQ(file.readText(keys::CityName), "Muğla");

    file.writeText(keys::CityName, "Iğdır");
    file.writeText("Favorites", "Kırıkkale", "TUXX0061");
    file.flush();
    Win32ProfileStore reopened(path_);
    EXPECT_EQ(SettingsFile(reopened).readText(keys::CityName), "Iğdır");
    EXPECT_EQ(SettingsFile(reopened).readSectionValues("Favorites").back(), "Kırıkkale=TUXX0061");
}

TEST_F(Win32ProfileStoreTest, ANewFileIsStartedAsUtf16) {
    Win32ProfileStore store(path_);
    SettingsFile file(store);
    file.writeText(keys::CityName, "Çanakkale");
    file.flush();
    const std::string bytes = rawBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(file.readText(keys::CityName), "Çanakkale");
}

TEST_F(Win32ProfileStoreTest, EraseAndFlushAreSeenByTheNextRead) {
    Win32ProfileStore store(path_);
    SettingsFile file(store);
    file.writeText("Favorites", "Van", "TUXX0030");
    file.writeInteger(keys::Left, 42);
    file.flush();
    EXPECT_NE(rawBytes().find("V\0a\0n\0", 0, 6), std::string::npos);
    EXPECT_EQ(file.readInteger(keys::Left), 42);

    file.eraseSection("Favorites");
    file.flush();
    EXPECT_TRUE(file.readSectionKeys("Favorites").empty());
    EXPECT_EQ(rawBytes().find("V\0a\0n\0", 0, 6), std::string::npos);
    EXPECT_EQ(file.readInteger(keys::Left), 42);
}

TEST_F(Win32ProfileStoreTest, MissingFileGivesDefaults) {
    Win32ProfileStore store(path_);
    SettingsFile file(store);
    EXPECT_EQ(file.readInteger(keys::Top), 300);
    EXPECT_EQ(file.readText(keys::CityName), "Istanbul");
    EXPECT_TRUE(file.readSectionValues("CitiesTU").empty());
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES); // reads create nothing
}

TEST_F(Win32ProfileStoreTest, AskingWhetherTheFileTakesWritesChangesNothing) {
    Win32ProfileStore store(path_);
    EXPECT_FALSE(store.refusesWrites());
    EXPECT_FALSE(store.exists());
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES) << "a probe left behind";

    writeUtf16(L"[Appearance]\r\nLeft=12\r\n");
    const std::string before = rawBytes();
    const FILETIME written = lastWriteTime();
    EXPECT_FALSE(store.refusesWrites());
    EXPECT_TRUE(store.exists());
    EXPECT_EQ(rawBytes(), before);
    const FILETIME after = lastWriteTime();
    EXPECT_EQ(CompareFileTime(&written, &after), 0);
}

TEST_F(Win32ProfileStoreTest, ANewFileOfItsOwnFolderIsMadeWithTheFolder) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"meltemix-profile-test-\u015Fehir";
    const std::wstring path = folder + L"\\Options.ini";
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());

    Win32ProfileStore store(path);
    EXPECT_FALSE(store.exists());
    SettingsFile file(store);
    file.writeText("Endpoints", "Weather", "http://127.0.0.1:8642");
    file.writeText("CitiesTU", "\u00C7anakkale", "TUXX0028");
    file.writeText("Favorites", "Mu\u011Fla", "TUXX0021");
    file.flush();
    EXPECT_TRUE(store.exists());
    EXPECT_EQ(store.sectionNames(),
              (std::vector<std::string>{"Endpoints", "CitiesTU", "Favorites"}));
    EXPECT_EQ(Win32ProfileStore(path).readText("CitiesTU", "Çanakkale", ""), "TUXX0028");

    std::ifstream in(path.c_str(), std::ios::binary);
    char bom[2] = {};
    in.read(bom, 2);
    in.close();
    EXPECT_EQ(std::string(bom, 2), "\xFF\xFE");

    EXPECT_TRUE(store.discard());
    EXPECT_FALSE(store.exists());
    EXPECT_TRUE(store.discard()) << "nothing to remove is no failure";
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

TEST(Win32UserProfileStore, LivesInTheUsersApplicationData) {
    const std::unique_ptr<ProfileStore> store =
        Win32ProfileStore::InUserAppData(L"Meltemix\\Options.ini");
    ASSERT_NE(store, nullptr);
    wchar_t appData[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH), 0u);
    EXPECT_EQ(store->fileName(), Narrow(std::wstring(appData) + L"\\Meltemix\\Options.ini"));
}

} // namespace
