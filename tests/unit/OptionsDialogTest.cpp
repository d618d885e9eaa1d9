#include "OptionsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace meltemix;
using namespace meltemix::test;

namespace {

const std::vector<std::string> AllKeysWithDialogDefaults = {
    "General/Startup=1",          "General/Desktop=1",         "General/QuickLunch=1",
    "General/AutoUpdate=1",       "General/UpdatePeriod=0",    "Appearance/Background=2",
    "General/ShowTrayIcon=1",     "General/AlwaysTop=0",       "General/CheckNewVersion=1",
    "General/FadeEffect=1",       "Appearance/BackColor=8421504", "Appearance/GlassEffect=0",
    "Appearance/GlassOpacity=240", "Appearance/ShowIP=1",      "Appearance/ShowSunInfo=0",
    "Appearance/ShowSituation=0", "Appearance/ShowDate=0",     "Appearance/ShowHijri=0",
    "Appearance/ShowWind=0",      "Appearance/ShowVisibility=0", "Appearance/ShowHumidity=0",
    "Appearance/ShowChill=0",     "Appearance/ShowWeatherText=1", "Appearance/ShowInfoText=1",
    "Appearance/LastTabSheet=0",  "Appearance/TempFontName=Arial",
    "Appearance/CityFontName=Arial", "<flush>"};

TEST_F(OptionsDialogTest, EmptyFileShowsTheDialogsDefaultsAndOkWritesEveryKey) {
    open();
    for (C box : {C::CheckBox1, C::CheckBox18, C::CheckBox19, C::CheckBox3, C::CheckBox2,
                  C::CheckBox17, C::CheckBox16, C::CheckBox20, C::CheckBox15, C::CheckBox6,
                  C::RadioButton1})
        EXPECT_TRUE(view[box].checked) << static_cast<int>(box);
    for (C box : {C::CheckBox4, C::CheckBox5, C::CheckBox7, C::CheckBox8, C::CheckBox9,
                  C::CheckBox10, C::CheckBox11, C::CheckBox12, C::CheckBox13, C::CheckBox14,
                  C::RadioButton2, C::RadioButton3})
        EXPECT_FALSE(view[box].checked) << static_cast<int>(box);
    EXPECT_EQ(view[C::ComboBox3].items[static_cast<std::size_t>(view[C::ComboBox3].selection)],
              "5 dk.");
    EXPECT_EQ(view[C::ComboBox2].items[static_cast<std::size_t>(view[C::ComboBox2].selection)],
              "Kalın cam");
    EXPECT_EQ(view[C::Edit1].text, "240");
    EXPECT_EQ(view.swatchColour, 8421504u);
    EXPECT_EQ(view.page, 0);
    EXPECT_TRUE(view[C::ComboBox1].items.empty());
    EXPECT_FALSE(enabled(C::Button3));
    EXPECT_EQ(view[C::Label10].text, "");

    EXPECT_TRUE(ok());
    EXPECT_EQ(store.log, AllKeysWithDialogDefaults);
    EXPECT_EQ(host.links.actions.size(), 3u) << "all three ticks are on by default";
    EXPECT_FALSE(dialog->locationChosen());
}

TEST_F(OptionsDialogTest, StoredValuesAreShownAsTheControlsCanHoldThem) {
    put("General", "UpdatePeriod", "4");
    put("General", "AlwaysTop", "1");
    put("General", "Desktop", "0");
    put("Appearance", "Background", "4");
    put("Appearance", "BackColor", "0xFF");
    put("Appearance", "GlassEffect", "1");
    put("Appearance", "GlassOpacity", "300");
    put("Appearance", "TempFontName", "Verdana");
    open();
    EXPECT_EQ(view[C::ComboBox3].selection, 4);
    EXPECT_TRUE(view[C::CheckBox4].checked);
    EXPECT_FALSE(view[C::CheckBox18].checked);
    EXPECT_EQ(view[C::ComboBox2].selection, 4);
    EXPECT_EQ(view.swatchColour, 255u);
    EXPECT_EQ(view[C::Edit1].text, "255") << "the spin box keeps to 0..255";

    EXPECT_TRUE(ok());
    const std::vector<std::string> expected = {"Appearance/BackColor=255",
                                               "Appearance/GlassOpacity=255",
                                               "Appearance/TempFontName=Verdana",
                                               "General/UpdatePeriod=4"};
    for (const std::string& line : expected)
        EXPECT_NE(std::find(store.log.begin(), store.log.end(), line), store.log.end()) << line;
}

TEST_F(OptionsDialogTest, IndexesOutsideTheListsLeaveNoSelectionAndSaveMinusOne) {
    put("General", "UpdatePeriod", "-2");
    put("Appearance", "Background", "7");
    open();
    EXPECT_EQ(view[C::ComboBox3].selection, -1);
    EXPECT_EQ(view[C::ComboBox2].selection, -1);
    EXPECT_FALSE(enabled(C::Shape1));
    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("General", "UpdatePeriod", ""), "-1");
    EXPECT_EQ(store.readText("Appearance", "Background", ""), "-1");
}

TEST_F(OptionsDialogTest, BackgroundPresetAndGlassTickEnableTheirControls) {
    open();
    const C colourGroup[] = {C::Panel1, C::Label1, C::Bevel1, C::Shape1, C::CheckBox5};
    const C opacityGroup[] = {C::Label2, C::Edit1, C::UpDown1, C::Label6};
    for (int preset = 0; preset < 5; ++preset) {
        for (bool glass : {false, true}) {
            dialog->checkClicked(C::CheckBox5, glass);
            dialog->selectionChanged(C::ComboBox2, preset);
            for (C control : colourGroup)
                EXPECT_EQ(enabled(control), preset == 4) << preset << glass;
            for (C control : opacityGroup)
                EXPECT_EQ(enabled(control), preset == 4 && glass) << preset << glass;
        }
    }

    // Greyed controls keep their values, and those are saved.
    dialog->selectionChanged(C::ComboBox2, 4);
    dialog->checkClicked(C::CheckBox5, true);
    dialog->textChanged(C::Edit1, "77");
    dialog->selectionChanged(C::ComboBox2, 1);
    EXPECT_FALSE(enabled(C::Edit1));
    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("Appearance", "Background", ""), "1");
    EXPECT_EQ(store.readText("Appearance", "GlassEffect", ""), "1");
    EXPECT_EQ(store.readText("Appearance", "GlassOpacity", ""), "77");
}

TEST_F(OptionsDialogTest, AutomaticRefreshAndInfoWindowTicksEnableTheirControls) {
    put("Appearance", "ShowHijri", "1");
    open();
    dialog->checkClicked(C::CheckBox2, false);
    EXPECT_FALSE(enabled(C::Label3));
    EXPECT_FALSE(enabled(C::ComboBox3));
    dialog->checkClicked(C::CheckBox2, true);
    EXPECT_TRUE(enabled(C::ComboBox3));

    const C lines[] = {C::CheckBox6,  C::CheckBox7,  C::CheckBox8,  C::CheckBox9,
                       C::CheckBox10, C::CheckBox11, C::CheckBox12, C::CheckBox13,
                       C::CheckBox14, C::CheckBox15};
    dialog->checkClicked(C::CheckBox20, false);
    for (C box : lines)
        EXPECT_FALSE(enabled(box));
    EXPECT_TRUE(view[C::CheckBox10].checked) << "greying keeps the ticks";

    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("Appearance", "ShowInfoText", ""), "0");
    EXPECT_EQ(store.readText("Appearance", "ShowHijri", ""), "1");
    EXPECT_EQ(store.readText("Appearance", "ShowIP", ""), "1");
}

TEST_F(OptionsDialogTest, OpacityOutsideTheRangeIsRefused) {
    for (const char* typed : {"abc", "-1", "256", "", "12abc", "0x10", "99999999999"}) {
        store.log.clear();
        view.errors.clear();
        put("Appearance", "GlassOpacity", "150");
        open();
        dialog->textChanged(C::Edit1, typed);
        EXPECT_FALSE(ok()) << typed;
        EXPECT_EQ(view.errors, std::vector<std::string>{"Saydamlık 0-255 arasında olmalıdır"});
        EXPECT_EQ(view[C::Edit1].text, "150") << typed;
        EXPECT_TRUE(view[C::Edit1].allTextSelected);
        EXPECT_TRUE(store.log.empty()) << typed;
        EXPECT_TRUE(host.links.actions.empty());
    }
    // The value put back passes the next time.
    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("Appearance", "GlassOpacity", ""), "150");
}

TEST_F(OptionsDialogTest, OpacityAtTheEdgesIsAccepted) {
    for (const char* typed : {"0", "255", " 42 "}) {
        open();
        dialog->textChanged(C::Edit1, typed);
        EXPECT_TRUE(ok()) << typed;
        EXPECT_EQ(store.readText("Appearance", "GlassOpacity", ""), std::to_string(std::stoi(typed)));
    }
    EXPECT_TRUE(view.errors.empty());
}

TEST_F(OptionsDialogTest, PageShownAndSaved) {
    struct Case {
        const char* stored;
        int asked;
        int shown;
    };
    const Case cases[] = {{nullptr, -1, 0}, {"1", -1, 1}, {"1", 2, 2}, {"0", 2, 2},
                          {"2", 3, 2},      {"9", -1, 0}, {"-1", -5, 0}};
    for (const Case& c : cases) {
        if (c.stored)
            put("Appearance", "LastTabSheet", c.stored);
        open(c.asked);
        EXPECT_EQ(view.page, c.shown) << (c.stored ? c.stored : "absent") << ", " << c.asked;
        EXPECT_TRUE(ok());
        EXPECT_EQ(store.readText("Appearance", "LastTabSheet", ""), std::to_string(c.shown));
    }
    dialog->pageShown(1);
    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("Appearance", "LastTabSheet", ""), "1");
}

TEST_F(OptionsDialogTest, CancelWritesNothing) {
    put("CitiesTU", "Adana", "TUXX0061");
    open();
    dialog->checkClicked(C::CheckBox1, false);
    dialog->textChanged(C::Edit1, "abc");
    dialog->selectionChanged(C::ComboBox1, 0);
    dialog->buttonClicked(C::Button3);
    EXPECT_TRUE(dialog->closeQuery(false));
    EXPECT_TRUE(store.log.empty());
    EXPECT_TRUE(view.errors.empty());
    EXPECT_TRUE(host.links.actions.empty());
}

TEST_F(OptionsDialogTest, AFailedWriteKeepsTheDialogOpenAndWhatWasWritten) {
    open();
    store.failFromWrite = 5;
    EXPECT_THROW(ok(), SettingsWriteError);
    EXPECT_EQ(store.log, std::vector<std::string>(AllKeysWithDialogDefaults.begin(),
                                                  AllKeysWithDialogDefaults.begin() + 5));
    EXPECT_TRUE(host.links.actions.empty()) << "shortcuts come after every key";

    store.failFromWrite = -1;
    EXPECT_TRUE(ok());
}

TEST_F(OptionsDialogTest, ALinkObjectThatCannotBeMadeIsAnErrorOfTheSave) {
    open();
    host.links.refuseLinkObject = true;
    EXPECT_THROW(ok(), std::runtime_error);
    EXPECT_EQ(store.log.back(), "Appearance/CityFontName=Arial") << "no flush after the error";
}

TEST_F(OptionsDialogTest, ColourPicker) {
    put("Appearance", "BackColor", "1234");
    open();
    dialog->swatchPressed();
    EXPECT_EQ(view.pickerPresets, std::vector<std::uint32_t>{1234});
    EXPECT_EQ(view.swatchColour, 1234u) << "Cancel changes nothing";

    view.pickedColour = 0x0080FF00u;
    dialog->swatchPressed();
    EXPECT_EQ(view.swatchColour, 0x0080FF00u);
    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("Appearance", "BackColor", ""), std::to_string(0x0080FF00));
}

TEST_F(OptionsDialogTest, ShortcutsFollowTheTicksAsSaved) {
    const std::string desktop = "C:\\Users\\ali\\Desktop\\Meltemix!.lnk";
    const std::string startup = "C:\\Users\\ali\\Start Menu\\Programs\\Startup\\Meltemix!.lnk";
    const std::string quickLaunch =
        "C:\\Users\\ali\\AppData\\Microsoft\\Internet Explorer\\Quick Launch\\Meltemix!.lnk";
    host.links.files = {desktop, startup};
    open();
    dialog->checkClicked(C::CheckBox1, false);  // start with Windows
    dialog->checkClicked(C::CheckBox19, false); // Quick Launch, which has none
    EXPECT_TRUE(ok());
    EXPECT_EQ(host.links.actions, std::vector<std::string>{"delete " + startup});
}

} // namespace
