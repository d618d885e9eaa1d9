// Where the settings go when the program's folder refuses them.
#include "core/settings/FallbackProfileStore.h"
#include "core/settings/SettingsFile.h"
#include "native/fakes/MemoryProfileStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

constexpr const char* PerUserName = "C:\\Users\\Ayşe\\AppData\\Roaming\\Meltemix\\Options.ini";

// Takes `room` more writes, then no more: a disk that fills up.
class FillingStore : public MemoryProfileStore {
public:
    explicit FillingStore(int room) : MemoryProfileStore(PerUserName), room(room) {}
    int room;
    bool writeText(const std::string& section, const std::string& key,
                   const std::string& value) override {
        if (room == 0)
            return false;
        --room;
        return MemoryProfileStore::writeText(section, key, value);
    }
};

// The folder's file as shipped and used: the place lists, the services, a position.
class FallbackProfileStoreTest : public testing::Test {
protected:
    void SetUp() override {
        folder.writeText("Endpoints", "Weather", "http://127.0.0.1:8642");
        folder.writeText("CitiesTU", "Adana", "TUXX0001");
        folder.writeText("CitiesTU", "Çanakkale", "TUXX0028");
        folder.writeText("Favorites", "Muğla", "TUXX0021");
        folder.writeText("Appearance", "Left", "350");
        folder.writeText("Appearance", "Top", "200");
    }

    // A new start; `user` is the user's store, handed over when it is asked for.
    FallbackProfileStore open(std::unique_ptr<MemoryProfileStore> user = nullptr) {
        pending_ = user ? std::move(user) : std::make_unique<MemoryProfileStore>(PerUserName);
        perUser = pending_.get();
        return FallbackProfileStore(folder, [this] {
            ++opened;
            return std::unique_ptr<ProfileStore>(std::move(pending_));
        });
    }

    static std::unique_ptr<MemoryProfileStore> keptBefore() {
        auto store = std::make_unique<MemoryProfileStore>(PerUserName);
        store->writeText("Appearance", "Left", "610");
        store->writeText("Favorites", "Van", "TUXX0030");
        return store;
    }

    MemoryProfileStore folder;
    MemoryProfileStore* perUser = nullptr; // owned by the last store opened, once it asked
    int opened = 0;

private:
    std::unique_ptr<MemoryProfileStore> pending_;
};

TEST_F(FallbackProfileStoreTest, AWritableFolderKeepsEverythingBesideTheProgram) {
    FallbackProfileStore store = open(keptBefore());
    SettingsFile file(store);
    EXPECT_EQ(file.readInteger(keys::Left), 350); // not the user's older 610
    file.writeInteger(keys::Left, 420);
    file.eraseSection(sections::Favorites);
    file.flush();

    EXPECT_EQ(folder.readText("Appearance", "Left", ""), "420");
    EXPECT_EQ(file.fileName(), ".\\Options.ini");
    EXPECT_FALSE(store.usesPerUserFile());
    EXPECT_EQ(opened, 0) << "the user's folder is not even looked up";
}

TEST_F(FallbackProfileStoreTest, ARefusedWriteMovesTheSettingsWithTheirListsToTheUser) {
    folder.refused = true;
    FallbackProfileStore store = open();
    SettingsFile file(store);
    EXPECT_EQ(file.readInteger(keys::Left), 350); // read where they are until a write
    EXPECT_FALSE(store.usesPerUserFile());

    file.writeInteger(keys::Left, 777);
    EXPECT_TRUE(store.usesPerUserFile());
    EXPECT_EQ(file.fileName(), PerUserName);
    EXPECT_EQ(perUser->sectionNames(),
              (std::vector<std::string>{"Endpoints", "CitiesTU", "Favorites", "Appearance"}));
    EXPECT_EQ(file.readSectionValues(sections::CitiesTU),
              (std::vector<std::string>{"Adana=TUXX0001", "Çanakkale=TUXX0028"}));
    EXPECT_EQ(perUser->readText("Endpoints", "Weather", ""), "http://127.0.0.1:8642");
    EXPECT_EQ(perUser->readText("Appearance", "Left", ""), "777");
    EXPECT_EQ(perUser->readText("Appearance", "Top", ""), "200");

    // From then on the user's file alone: the list rewrite of the options dialog too.
    file.eraseSection(sections::Favorites);
    file.writeText(sections::Favorites, "Van", "TUXX0030");
    EXPECT_EQ(file.readSectionValues(sections::Favorites),
              (std::vector<std::string>{"Van=TUXX0030"}));
    EXPECT_EQ(folder.readText("Favorites", "Muğla", ""), "TUXX0021");
    EXPECT_EQ(folder.readText("Appearance", "Left", ""), "350");
    EXPECT_EQ(opened, 1);
}

TEST_F(FallbackProfileStoreTest, TheUsersFileIsReadAtStartOnlyWhileTheFolderRefuses) {
    folder.refused = true;
    {
        FallbackProfileStore store = open(keptBefore());
        SettingsFile file(store);
        EXPECT_TRUE(store.usesPerUserFile());
        EXPECT_EQ(file.readInteger(keys::Left), 610);
        file.writeInteger(keys::Top, 90);
        // What the user kept is never replaced by the folder's copy.
        EXPECT_EQ(file.readSectionKeys(sections::Favorites), (std::vector<std::string>{"Van"}));
        EXPECT_EQ(perUser->readText("Appearance", "Top", ""), "90");
        EXPECT_TRUE(perUser->keyNames("CitiesTU").empty());
    }

    folder.refused = false; // the stick is writable again
    FallbackProfileStore store = open(keptBefore());
    EXPECT_FALSE(store.usesPerUserFile());
    EXPECT_EQ(SettingsFile(store).readInteger(keys::Left), 350);

    // Refused, but nothing kept for the user yet: the folder's file is read.
    folder.refused = true;
    FallbackProfileStore fresh = open();
    EXPECT_FALSE(fresh.usesPerUserFile());
    EXPECT_EQ(SettingsFile(fresh).readInteger(keys::Left), 350);
}

TEST_F(FallbackProfileStoreTest, AFolderRefusingInTheMiddleOfARunTakesOverAKeptFileAsItIs) {
    FallbackProfileStore store = open(keptBefore());
    SettingsFile file(store);
    file.writeInteger(keys::Top, 10);
    folder.refused = true;
    file.writeInteger(keys::Top, 20);

    EXPECT_TRUE(store.usesPerUserFile());
    EXPECT_EQ(perUser->readText("Appearance", "Top", ""), "20");
    EXPECT_EQ(perUser->readText("Appearance", "Left", ""), "610");
    EXPECT_EQ(perUser->keyNames("Favorites"), (std::vector<std::string>{"Van"}));
}

TEST_F(FallbackProfileStoreTest, AWriteNeitherFileTakesIsReportedAndLeavesNoHalfCopy) {
    folder.refused = true;
    auto filling = std::make_unique<FillingStore>(3);
    FillingStore* disk = filling.get();
    FallbackProfileStore store = open(std::move(filling));
    SettingsFile file(store);
    try {
        file.writeInteger(keys::Left, 5);
        FAIL() << "a write neither file takes must raise";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + PerUserName);
    }
    EXPECT_FALSE(perUser->exists()) << "half a copy would be preferred at the next start";
    EXPECT_FALSE(store.usesPerUserFile());
    EXPECT_EQ(file.readInteger(keys::Left), 350);

    // The next write tries the move again, and makes it once the user's folder takes it.
    disk->room = 100;
    file.writeInteger(keys::Left, 6);
    EXPECT_TRUE(store.usesPerUserFile());
    EXPECT_EQ(perUser->keyNames("CitiesTU").size(), 2u);
    EXPECT_EQ(perUser->readText("Appearance", "Left", ""), "6");
}

TEST_F(FallbackProfileStoreTest, AFailureThatIsNoRefusalMovesNothing) {
    folder.failWrites = true; // say, another program holds the file
    FallbackProfileStore store = open();
    SettingsFile file(store);
    EXPECT_THROW(file.writeInteger(keys::Left, 5), SettingsWriteError);
    EXPECT_EQ(file.fileName(), ".\\Options.ini");
    EXPECT_EQ(opened, 0);

    // With no place for the user's file, a refusal is reported against the folder's.
    folder.failWrites = false;
    folder.refused = true;
    FallbackProfileStore nowhere(folder, [] { return std::unique_ptr<ProfileStore>(); });
    SettingsFile orphan(nowhere);
    try {
        orphan.writeInteger(keys::Left, 5);
        FAIL() << "a refused write with nowhere to go must raise";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to .\\Options.ini");
    }
}

} // namespace
