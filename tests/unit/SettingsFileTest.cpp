#include "core/settings/Endpoints.h"
#include "core/settings/MainSettings.h"
#include "core/settings/SettingsFile.h"
#include "native/fakes/MemoryProfileStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

// Remembers which keys were read and written, in order, and can fail from a given write on.
class RecordingStore : public MemoryProfileStore {
public:
    mutable std::vector<std::string> reads;
    std::vector<std::string> writes;
    int failFromWrite = -1;

    std::string readText(const std::string& section, const std::string& key,
                         const std::string& fallback) const override {
        reads.push_back(key);
        return MemoryProfileStore::readText(section, key, fallback);
    }
    bool writeText(const std::string& section, const std::string& key,
                   const std::string& value) override {
        if (failFromWrite >= 0 && static_cast<int>(writes.size()) >= failFromWrite)
            return false;
        writes.push_back(key + "=" + value);
        return MemoryProfileStore::writeText(section, key, value);
    }
    bool flush() override {
        writes.push_back("<flush>");
        return true;
    }
};

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};

class SettingIntegerForms : public testing::TestWithParam<IntegerCase> {};

TEST_P(SettingIntegerForms, ReadsDecimalAndHexadecimal) {
    EXPECT_EQ(ParseSettingInteger(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingIntegerForms,
    testing::Values(IntegerCase{"12", 12}, IntegerCase{"-5", -5}, IntegerCase{"+3", 3},
                    IntegerCase{"  7", 7}, IntegerCase{"0x1F", 31}, IntegerCase{"0XfF", 255},
                    IntegerCase{"$ff", 255}, IntegerCase{"$FFFFFFFF", -1},
                    IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"-2147483648", -2147483647 - 1},
                    IntegerCase{"-$80000000", -2147483647 - 1}, IntegerCase{"-0x10", -16},
                    IntegerCase{"-$FFFFFFFF", std::nullopt}, IntegerCase{"-0x80000001", std::nullopt},
                    // Not numbers: the caller's default applies.
                    IntegerCase{"", std::nullopt}, IntegerCase{"yes", std::nullopt},
                    IntegerCase{"7 ", std::nullopt}, IntegerCase{"12abc", std::nullopt},
                    IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt},
                    IntegerCase{"-", std::nullopt}, IntegerCase{"2147483648", std::nullopt},
                    IntegerCase{"$100000000", std::nullopt},
                    IntegerCase{"99999999999999999999", std::nullopt}));

TEST(SettingsFile, EmptyFileGivesEachReadersDefault) {
    MemoryProfileStore store;
    SettingsFile file(store);
    EXPECT_EQ(file.readInteger(keys::UpdatePeriod, Reader::Main), 2);
    EXPECT_EQ(file.readInteger(keys::UpdatePeriod, Reader::Dialog), 0);
    EXPECT_EQ(file.readInteger(keys::GlassOpacity, Reader::Main), 150);
    EXPECT_EQ(file.readInteger(keys::GlassOpacity, Reader::Dialog), 240);
    EXPECT_EQ(file.readInteger(keys::BackColor), 8421504);
    EXPECT_TRUE(file.readFlag(keys::QuickLunch));
    EXPECT_FALSE(file.readFlag(keys::AlwaysTop));
    EXPECT_EQ(file.readText(keys::CityID), "TUXX0014");
    EXPECT_TRUE(file.readSectionKeys(sections::CitiesTU).empty());

    for (const SettingKey* key : AllSettingKeys()) {
        if (key->type == SettingType::Text)
            EXPECT_NE(key->textDefault, nullptr) << key->name;
        else
            EXPECT_EQ(key->textDefault, nullptr) << key->name;
    }
}

TEST(SettingsFile, ValueFormsRoundTrip) {
    MemoryProfileStore store;
    SettingsFile file(store);
    file.writeFlag(keys::FadeEffect, false);
    file.writeInteger(keys::Left, -120);
    file.writeText(keys::CityName, "Şanlıurfa");
    EXPECT_EQ(store.readText("General", "FadeEffect", ""), "0");
    EXPECT_EQ(store.readText("Appearance", "Left", ""), "-120");
    EXPECT_FALSE(file.readFlag(keys::FadeEffect));
    EXPECT_EQ(file.readInteger(keys::Left), -120);
    EXPECT_EQ(file.readText(keys::CityName), "Şanlıurfa");

    store.writeText("General", "AutoUpdate", "yes");
    store.writeText("General", "ShowTrayIcon", "0x10");
    EXPECT_TRUE(file.readFlag(keys::AutoUpdate)); // not a number: the default
    EXPECT_TRUE(file.readFlag(keys::ShowTrayIcon));
}

TEST(SettingsFile, TextsAreCutAt2047Utf16Units) {
    MemoryProfileStore store;
    SettingsFile file(store);
    std::string longName;
    for (int i = 0; i < 3000; ++i)
        longName += "ş";
    store.writeText("Location", "CityName", longName + "\xF0\x9F\x8C\xA7");
    const std::string read = file.readText(keys::CityName);
    EXPECT_EQ(read.size(), 2047u * 2); // two bytes per "ş", nothing split

    std::string nearEnd(2046, 'a');
    store.writeText("Location", "CityName", nearEnd + "\xF0\x9F\x8C\xA7"); // a surrogate pair
    EXPECT_EQ(file.readText(keys::CityName), nearEnd);
}

TEST(SettingsFile, ListSectionsKeepFileOrder) {
    MemoryProfileStore store;
    SettingsFile file(store);
    file.writeText(sections::Favorites, "Van", "TUXX0030");
    file.writeText(sections::Favorites, "Ankara", "TUXX0002");
    file.writeText(sections::Favorites, "İzmir", "TUXX0015");
    EXPECT_EQ(file.readSectionKeys(sections::Favorites),
              (std::vector<std::string>{"Van", "Ankara", "İzmir"}));
    EXPECT_EQ(file.readSectionValues(sections::Favorites),
              (std::vector<std::string>{"Van=TUXX0030", "Ankara=TUXX0002", "İzmir=TUXX0015"}));
    file.eraseSection(sections::Favorites);
    EXPECT_TRUE(file.readSectionValues(sections::Favorites).empty());
}

TEST(SettingsFile, FailedWriteNamesTheFile) {
    MemoryProfileStore store(".\\Options.ini");
    store.failWrites = true;
    SettingsFile file(store);
    try {
        file.writeFlag(keys::ShowInfoText, true);
        FAIL() << "a failed write must raise";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), "Unable to write to .\\Options.ini");
    }
    EXPECT_THROW(file.eraseSection(sections::Favorites), SettingsWriteError);
}

TEST(MainSettingsLoad, ReadsEveryKeyInApplyOrder) {
    RecordingStore store;
    SettingsFile file(store);
    MainSettings settings;
    LoadSettings(file, settings);
    EXPECT_EQ(store.reads,
              (std::vector<std::string>{
                  "Left", "Top", "CityName", "CityID", "Background", "AutoUpdate", "FadeEffect",
                  "UpdatePeriod", "ShowTrayIcon", "GlassEffect", "GlassOpacity", "BackColor",
                  "ShowIP", "ShowSunInfo", "ShowSituation", "ShowDate", "ShowHijri", "ShowWind",
                  "ShowVisibility", "ShowHumidity", "ShowChill", "ShowWeatherText",
                  "ShowInfoText", "FirstUsage", "TempFontName", "CityFontName", "AlwaysTop"}));
}

TEST(MainSettingsLoad, NoFileGivesTheFirstRunState) {
    MemoryProfileStore store;
    SettingsFile file(store);
    MainSettings settings;
    settings.Left = 1;
    settings.CityName.clear();
    LoadSettings(file, settings);
    EXPECT_EQ(settings.Left, 300);
    EXPECT_EQ(settings.Top, 300);
    EXPECT_EQ(settings.CityName, "Istanbul");
    EXPECT_EQ(settings.UpdatePeriod, 900000u);
    EXPECT_TRUE(settings.ShowTrayIcon && settings.FadeEffect && settings.FirstUsage);
    EXPECT_TRUE(settings.ShowIP && settings.ShowWeatherText && settings.ShowInfoText);
    EXPECT_FALSE(settings.ShowWind || settings.ShowDate || settings.AlwaysTop);
    EXPECT_EQ(settings.GlassOpacity, 150);
    EXPECT_EQ(ReadInfoPosition(file).x, 331);
    EXPECT_EQ(ReadInfoPosition(file).y, 331);
}

TEST(MainSettingsLoad, StoredValuesAreTakenAsTheMainWindowHoldsThem) {
    MemoryProfileStore store;
    store.writeText("General", "UpdatePeriod", "9");
    store.writeText("Appearance", "BackColor", "0xFF");
    store.writeText("Appearance", "GlassOpacity", "300");
    store.writeText("Appearance", "Background", "$103");
    store.writeText("Appearance", "Left", "-40");
    store.writeText("Appearance", "Top", "abc");
    SettingsFile file(store);
    MainSettings settings;
    LoadSettings(file, settings);
    EXPECT_EQ(settings.UpdatePeriod, 300000u);
    EXPECT_EQ(settings.BackColor, 255u);
    EXPECT_EQ(settings.GlassOpacity, 44); // low 8 bits of 300
    EXPECT_EQ(settings.Background, 3);
    EXPECT_EQ(settings.Left, -40);
    EXPECT_EQ(settings.Top, 300);

    for (int index = -1; index <= 6; ++index) {
        static const std::uint32_t expected[] = {300000, 300000, 600000, 900000,
                                                 1800000, 3600000, 7200000, 300000};
        EXPECT_EQ(RefreshPeriodMs(index), expected[index + 1]) << index;
    }
}

TEST(MainSettingsSave, WritesPlaceAndPositionsThenFlushes) {
    RecordingStore store;
    SettingsFile file(store);
    MainSettings settings;
    settings.Left = 10;
    settings.Top = 20;
    settings.CityName = "İzmir";
    settings.CityID = "TUXX0015";
    settings.ShowInfoText = false;
    SaveSettings(file, settings, {41, 51});
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"Left=10", "Top=20", "CityName=İzmir", "CityID=TUXX0015",
                                        "InfoTextLeft=41", "InfoTextTop=51", "ShowInfoText=0",
                                        "FirstUsage=0", "<flush>"}));

    store.writes.clear();
    settings.FirstUsage = false;
    SaveSettings(file, settings, {41, 51});
    EXPECT_EQ(store.writes.size(), 8u);
    EXPECT_EQ(store.writes[6], "ShowInfoText=0");
}

TEST(MainSettingsSave, StopsAtTheFirstFailedWrite) {
    RecordingStore store;
    store.failFromWrite = 2;
    SettingsFile file(store);
    EXPECT_THROW(SaveSettings(file, MainSettings(), {0, 0}), SettingsWriteError);
    EXPECT_EQ(store.writes, (std::vector<std::string>{"Left=300", "Top=300"}));
}

TEST(EndpointsSection, OverridesTheCompiledDefaults) {
    MemoryProfileStore store;
    SettingsFile file(store);
    EXPECT_EQ(ReadEndpoints(file).Weather, "http://127.0.0.1:8642");
    store.writeText("Endpoints", "Weather", "http://weather.example:81/");
    store.writeText("Endpoints", "IP", "");
    const Endpoints endpoints = ReadEndpoints(file);
    EXPECT_EQ(endpoints.Weather, "http://weather.example:81");
    EXPECT_EQ(endpoints.IP, "http://127.0.0.1:8642");
    EXPECT_EQ(endpoints.Search, "http://127.0.0.1:8642");
}

} // namespace
