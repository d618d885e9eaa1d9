// The Turkish places shipped in Options.ini are the provinces of the data file, in the
// order a Turkish reader expects.
#include "XmlTestSupport.h"
#include "core/text/TurkishText.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace meltemix;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Section(const std::string& ini, const std::string& name) {
    std::vector<std::string> entries;
    bool inside = false;
    for (const std::string& line : Lines(ini)) {
        if (!line.empty() && line[0] == '[')
            inside = line == "[" + name + "]";
        else if (inside && !line.empty() && line[0] != ';')
            entries.push_back(line);
    }
    return entries;
}

TEST(ShippedCities, AreTheProvincesInTurkishOrder) {
    const std::string ini = test::ReadTestData("../../../data/Options.ini");
    const std::vector<std::string> cities = Section(ini, "CitiesTU");

    std::set<std::string> provinces;
    const std::vector<std::string> rows = Lines(test::ReadTestData("../../../data/turkish-provinces.tsv"));
    for (std::size_t i = 1; i < rows.size(); ++i) {
        std::istringstream fields(rows[i]);
        std::string plate, name, code;
        std::getline(fields, plate, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, code, '\t');
        provinces.insert(name + "=" + code);
    }
    ASSERT_EQ(provinces.size(), 81u);
    EXPECT_EQ(std::set<std::string>(cities.begin(), cities.end()), provinces);
    ASSERT_EQ(cities.size(), 81u);

    for (std::size_t i = 0; i + 1 < cities.size(); ++i) {
        const std::string name = cities[i].substr(0, cities[i].find('='));
        const std::string next = cities[i + 1].substr(0, cities[i + 1].find('='));
        EXPECT_LT(CompareTurkish(name, next), 0) << name << " before " << next;
    }
    EXPECT_EQ(cities.front(), "Adana=TUXX0061");
    EXPECT_EQ(cities.back(), "Zonguldak=TUXX0028");
}

} // namespace
