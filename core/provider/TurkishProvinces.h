#pragma once

#include <cstddef>
#include <string>

namespace meltemix {

// One row of data/turkish-provinces.tsv, compiled in at build time.
struct TurkishProvince {
    const char* Plate; // "01" .. "81"
    const char* Name;  // "İstanbul"
    const char* Code;  // the location code, "TUXX0014"
    double Latitude;
    double Longitude;
};

extern const TurkishProvince TurkishProvinces[];
extern const std::size_t TurkishProvinceCount;

// The province with this location code, compared exactly; null when there is none.
const TurkishProvince* FindProvince(const std::string& code);

} // namespace meltemix
