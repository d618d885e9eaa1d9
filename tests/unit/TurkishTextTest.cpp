#include "core/options/Places.h"
#include "core/text/TurkishText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

// Each row sorts before the next; the letters that Turkish orders differently from the
// code point order of their characters are the point.
TEST(TurkishText, AlphabeticalOrder) {
    const std::vector<std::string> ordered = {
        "Ağrı",    "Ankara",   "Ankara Merkez", "Ankaralı", "Bursa",     "Cizre",
        "Çanakkale", "Çorum",  "Düzce",         "Gaziantep", "Giresun",  "Göle",
        "Ğ",       "Hakkari",  "Iğdır",         "Isparta",   "İstanbul", "İzmir",
        "Kahta",   "Kâhta",    "Kahtaş",        "Ordu",      "Osmaniye", "Ödemiş",
        "Sivas",   "Şanlıurfa", "Şırnak",       "Tunceli",   "Uşak",     "Ünye",
        "Van",     "Zonguldak"};
    for (std::size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_LT(CompareTurkish(ordered[i], ordered[i + 1]), 0)
            << ordered[i] << " before " << ordered[i + 1];
        EXPECT_GT(CompareTurkish(ordered[i + 1], ordered[i]), 0);
    }
}

TEST(TurkishText, LetterCaseIsIgnored) {
    struct Case {
        const char* a;
        const char* b;
        bool sameName;
        bool sameOrder;
    };
    const Case cases[] = {
        {"ANKARA", "Ankara", true, true},
        {"ŞANLIURFA", "Şanlıurfa", true, true},
        {"ÇANAKKALE", "çanakkale", true, true},
        {"İZMİR", "izmir", true, true},
        {"ISPARTA", "ısparta", true, true},
        // The i's a non-Turkish spelling gives a name still make it the same favourite,
        // though the alphabet keeps them apart.
        {"Istanbul", "İstanbul", true, false},
        {"IZMIR", "İzmir", true, false},
        {"Ankara", "Ankara Merkez", false, false},
        {"Sile", "Şile", false, false},
        {"Kahta", "Kâhta", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.sameName) << c.a << " / " << c.b;
        EXPECT_EQ(CompareTurkish(c.a, c.b) == 0, c.sameOrder) << c.a << " / " << c.b;
    }
}

TEST(TurkishText, DamagedTextStillCompares) {
    // A lone continuation byte and a cut sequence stand for one character each.
    EXPECT_EQ(FoldNameCase("A\x80Z\xC4"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_LT(CompareTurkish("Ab\xFF", "Ac"), 0);
}

TEST(Favourites, KeepAlphabeticalOrderAndUniqueNames) {
    Favourites favourites({{"İzmir", "TUXX0015"},
                           {"ankara merkez", "TUXX0090"},
                           {"Çorum", "TUXX0033"},
                           {"Ankara", "TUXX0002"}});
    EXPECT_EQ(PlaceNames(favourites.places()),
              (std::vector<std::string>{"Ankara", "ankara merkez", "Çorum", "İzmir"}));

    EXPECT_EQ(favourites.add({"ANKARA", "TUXX9999"}), -1);
    EXPECT_EQ(favourites.add({"Cizre", "TUXX0201"}), 2);
    EXPECT_EQ(favourites.add({"Zonguldak", "TUXX0028"}), 5);
    EXPECT_EQ(favourites.add({"Adana", "TUXX0061"}), 0);
    EXPECT_EQ(PlaceNames(favourites.places()),
              (std::vector<std::string>{"Adana", "Ankara", "ankara merkez", "Cizre", "Çorum",
                                        "İzmir", "Zonguldak"}));
    EXPECT_EQ(favourites.places()[1].code, "TUXX0002") << "the refused duplicate changed nothing";

    favourites.removeAt(7); // past the end: nothing
    favourites.removeAt(-1);
    favourites.removeAt(0);
    EXPECT_EQ(favourites.size(), 6);
    EXPECT_EQ(favourites.places().front().name, "Ankara");
}

} // namespace
