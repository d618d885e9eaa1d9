#include "OptionsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace meltemix;
using namespace meltemix::test;

namespace {

const char* const ThreePlaces =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><search ver=\"3.0\">"
    "<loc id=\"USNY0996\" type=\"1\">New York, NY</loc>"
    "<loc id=\"USNY0998\" type=\"1\">New York Mills, NY</loc>"
    "<loc id=\"\" type=\"1\">New Yorkshire</loc></search>";

class LocationsPageTest : public OptionsDialogTest {
protected:
    void SetUp() override {
        put("CitiesTU", "Adana", "TUXX0061");
        put("CitiesTU", "Çorum", "TUXX0033");
        put("CitiesTU", "Ankara", "TUXX0002");
        put("CitiesTU", "Boş", "");
        put("Favorites", "Ankara Merkez", "TUXX0090");
        put("Favorites", "izmir", "TUXX0015");
        put("Favorites", "ANKARA", "TUXX0002");
    }

    void searchFor(const std::string& text, const char* answer) {
        dialog->modeChosen(1);
        dialog->textChanged(C::Edit2, text);
        if (answer)
            host.answer = answer;
        else
            host.answer.reset();
        dialog->buttonClicked(C::Button5);
    }

    std::set<C> enabledOnPage() const {
        std::set<C> on;
        for (C control : {C::Label4, C::ComboBox1, C::Button3, C::Label8, C::Edit2, C::Label9,
                          C::Label10, C::Label12, C::ListBox1, C::Button4, C::Button5,
                          C::ListBox2, C::Button6, C::Button7})
            if (enabled(control))
                on.insert(control);
        return on;
    }
    std::vector<std::string> favouritesShown() const { return view[C::ListBox2].items; }
};

TEST_F(LocationsPageTest, ListsAreFilledTurkishInFileOrderFavouritesSorted) {
    open();
    EXPECT_EQ(view[C::ComboBox1].items,
              (std::vector<std::string>{"Adana", "Çorum", "Ankara", "Boş"}));
    EXPECT_EQ(view[C::ComboBox1].selection, -1);
    EXPECT_EQ(favouritesShown(), (std::vector<std::string>{"ANKARA", "Ankara Merkez", "izmir"}));
    EXPECT_EQ(view[C::ListBox2].selection, -1);
    EXPECT_TRUE(view[C::RadioButton1].checked);
}

TEST_F(LocationsPageTest, ModeRules) {
    open();
    EXPECT_EQ(enabledOnPage(), (std::set<C>{C::Label4, C::ComboBox1}));
    dialog->selectionChanged(C::ComboBox1, 1);
    EXPECT_EQ(enabledOnPage(), (std::set<C>{C::Label4, C::ComboBox1, C::Button3}));

    dialog->modeChosen(1);
    EXPECT_EQ(view.focus, C::Edit2);
    EXPECT_TRUE(view[C::RadioButton2].checked);
    EXPECT_FALSE(view[C::RadioButton1].checked);
    const std::set<C> searchControls = {C::Label8, C::Edit2, C::Label9, C::Label10, C::Label12,
                                        C::ListBox1};
    EXPECT_EQ(enabledOnPage(), searchControls);
    dialog->textChanged(C::Edit2, "x");
    std::set<C> expected = searchControls;
    expected.insert(C::Button5);
    EXPECT_EQ(enabledOnPage(), expected);

    dialog->modeChosen(2);
    EXPECT_EQ(enabledOnPage(), (std::set<C>{C::ListBox2}));
    dialog->selectionChanged(C::ListBox2, 0);
    EXPECT_EQ(enabledOnPage(), (std::set<C>{C::ListBox2, C::Button6, C::Button7}));

    // Selections survive a change of mode.
    dialog->modeChosen(0);
    EXPECT_EQ(view.focus, C::ComboBox1);
    EXPECT_EQ(enabledOnPage(), (std::set<C>{C::Label4, C::ComboBox1, C::Button3}));
}

TEST_F(LocationsPageTest, SearchWithResults) {
    put("Endpoints", "Search", "http://127.0.0.1:8642");
    open();
    dialog->focusChanged(C::Edit2, true);
    EXPECT_EQ(view.defaultButton, C::Button5);
    EXPECT_TRUE(dialog->enterSearches());

    bool busyWhileDownloading = false;
    bool searchButtonWhileDownloading = true;
    host.whileDownloading = [&] {
        busyWhileDownloading = view.busy;
        searchButtonWhileDownloading = enabled(C::Button5);
    };
    searchFor("New York", ThreePlaces);
    EXPECT_EQ(host.addresses,
              std::vector<std::string>{"http://127.0.0.1:8642/search/search?where=New%20York"});
    EXPECT_TRUE(busyWhileDownloading);
    EXPECT_FALSE(searchButtonWhileDownloading);
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(enabled(C::Button5));

    EXPECT_EQ(view[C::Label10].text, "3 yer bulundu.");
    EXPECT_EQ(view[C::ListBox1].items, (std::vector<std::string>{"New York, NY",
                                                                 "New York Mills, NY",
                                                                 "New Yorkshire"}));
    EXPECT_EQ(view[C::ListBox1].selection, -1);
    EXPECT_FALSE(enabled(C::Button4));
    EXPECT_FALSE(dialog->locationChosen()) << "searching chooses nothing";

    dialog->selectionChanged(C::ListBox1, 1);
    EXPECT_TRUE(dialog->locationChosen());
    EXPECT_TRUE(enabled(C::Button4));
    // Tabbed on from the box to "&Araştır", Enter still searches; further on, it saves.
    dialog->focusChanged(C::Edit2, false);
    dialog->focusChanged(C::Button5, true);
    EXPECT_EQ(view.defaultButton, C::Button5);
    EXPECT_TRUE(dialog->enterSearches());
    dialog->focusChanged(C::Button5, false);
    EXPECT_EQ(view.defaultButton, C::Button1);
    EXPECT_FALSE(dialog->enterSearches());
    EXPECT_TRUE(ok());
    EXPECT_EQ(store.readText("Location", "CityName", ""), "New York Mills, NY");
    EXPECT_EQ(store.readText("Location", "CityID", ""), "USNY0998");
}

TEST_F(LocationsPageTest, SearchWithoutResultsAndWithoutAnswer) {
    open();
    searchFor("Atlantis", "<search ver=\"3.0\"></search>");
    EXPECT_EQ(view[C::Label10].text, "Herhangi bir yer bulunamadı.");
    EXPECT_TRUE(view[C::ListBox1].items.empty());

    searchFor("New York", ThreePlaces);
    dialog->selectionChanged(C::ListBox1, 0);
    // No network: the old count stays, the list is emptied, nobody is told.
    searchFor("Paris", nullptr);
    EXPECT_EQ(view[C::Label10].text, "3 yer bulundu.");
    EXPECT_TRUE(view[C::ListBox1].items.empty());
    EXPECT_FALSE(enabled(C::Button4));
    EXPECT_TRUE(view.errors.empty());
    EXPECT_FALSE(view.busy);

    // Enter with an empty search box does nothing.
    dialog->textChanged(C::Edit2, "");
    dialog->buttonClicked(C::Button5);
    EXPECT_EQ(host.addresses.size(), 3u);
}

TEST_F(LocationsPageTest, AddingFavourites) {
    open();
    dialog->modeChosen(2);
    dialog->selectionChanged(C::ListBox2, 2); // izmir
    dialog->modeChosen(0);
    dialog->selectionChanged(C::ComboBox1, 0);
    dialog->buttonClicked(C::Button3); // Adana
    EXPECT_EQ(favouritesShown(),
              (std::vector<std::string>{"Adana", "ANKARA", "Ankara Merkez", "izmir"}));
    EXPECT_EQ(view[C::ListBox2].selection, 3) << "izmir is still the one selected";
    EXPECT_TRUE(dialog->favouritesChanged());

    dialog->selectionChanged(C::ComboBox1, 2);
    dialog->buttonClicked(C::Button3); // Ankara, as ANKARA is one already
    EXPECT_EQ(view.errors,
              std::vector<std::string>{"\"Ankara\" favorilerim listesine zaten eklenmiş."});
    EXPECT_EQ(favouritesShown().size(), 4u);

    searchFor("New York", ThreePlaces);
    dialog->selectionChanged(C::ListBox1, 2);
    dialog->buttonClicked(C::Button4);
    EXPECT_EQ(favouritesShown().back(), "New Yorkshire");

    EXPECT_TRUE(ok());
    // A search result without a code may be a favourite but not the place.
    EXPECT_EQ(store.readText("Location", "CityID", "none"), "none");
    EXPECT_EQ(store.keyNames("Favorites"),
              (std::vector<std::string>{"Adana", "ANKARA", "Ankara Merkez", "izmir",
                                        "New Yorkshire"}));
    EXPECT_EQ(store.readText("Favorites", "Adana", ""), "TUXX0061");
}

TEST_F(LocationsPageTest, DeletingFavourites) {
    open();
    dialog->modeChosen(2);
    dialog->selectionChanged(C::ListBox2, 2);
    dialog->buttonClicked(C::Button6);
    EXPECT_EQ(favouritesShown(), (std::vector<std::string>{"ANKARA", "Ankara Merkez"}));
    EXPECT_EQ(view[C::ListBox2].selection, 1) << "the new last row";

    dialog->selectionChanged(C::ListBox2, 0);
    dialog->buttonClicked(C::Button6);
    EXPECT_EQ(view[C::ListBox2].selection, 0) << "the row that took the deleted one's place";
    dialog->buttonClicked(C::Button6);
    EXPECT_TRUE(favouritesShown().empty());
    EXPECT_EQ(view[C::ListBox2].selection, -1);
    EXPECT_FALSE(enabled(C::Button6));
    EXPECT_FALSE(enabled(C::Button7));

    EXPECT_TRUE(ok());
    EXPECT_TRUE(store.keyNames("Favorites").empty());
    EXPECT_NE(std::find(store.log.begin(), store.log.end(), "erase Favorites"), store.log.end());
}

TEST_F(LocationsPageTest, UnchangedFavouritesAreNotRewritten) {
    open();
    EXPECT_TRUE(ok());
    EXPECT_EQ(std::find(store.log.begin(), store.log.end(), "erase Favorites"), store.log.end());
    EXPECT_EQ(store.keyNames("Favorites"),
              (std::vector<std::string>{"Ankara Merkez", "izmir", "ANKARA"}));
}

TEST_F(LocationsPageTest, LocationIsTheSelectionOfTheCurrentMode) {
    struct Case {
        const char* what;
        std::function<void(OptionsDialog&)> choose;
        const char* code; // nullptr: not written
    };
    const Case cases[] = {
        {"a Turkish place",
         [](OptionsDialog& d) { d.selectionChanged(C::ComboBox1, 1); }, "TUXX0033"},
        {"the first of two similar favourites",
         [](OptionsDialog& d) {
             d.modeChosen(2);
             d.selectionChanged(C::ListBox2, 0);
         },
         "TUXX0002"},
        {"a favourite, then the Turkish mode without a choice",
         [](OptionsDialog& d) {
             d.modeChosen(2);
             d.selectionChanged(C::ListBox2, 1);
             d.modeChosen(0);
         },
         nullptr},
        {"a Turkish place without a code",
         [](OptionsDialog& d) { d.selectionChanged(C::ComboBox1, 3); }, nullptr},
        {"nothing", [](OptionsDialog&) {}, nullptr},
    };
    for (const Case& c : cases) {
        store.MemoryProfileStore::eraseSection("Location");
        store.log.clear();
        open();
        c.choose(*dialog);
        EXPECT_TRUE(ok()) << c.what;
        EXPECT_EQ(store.readText("Location", "CityID", "-"), c.code ? c.code : "-") << c.what;
        // The caller downloads again whenever a place was picked, written or not.
        EXPECT_EQ(dialog->locationChosen(), std::string(c.what) != "nothing") << c.what;
        if (c.code) {
            const auto background =
                std::find(store.log.begin(), store.log.end(), "Appearance/Background=2");
            ASSERT_NE(background, store.log.end());
            EXPECT_EQ(background[1].rfind("Location/CityName=", 0), 0u) << c.what;
            EXPECT_EQ(background[2], std::string("Location/CityID=") + c.code) << c.what;
        }
    }
}

} // namespace
