#include "core/weather/MoonNames.h"

namespace meltemix {

const std::array<const char*, 28> MoonNames = {{
    "Yeni Ay",       "Yeni Ay",       "İlk Hilâl",     "İlk Hilâl",     "İlk Hilâl",
    "İlk Hilâl",     "İlk Dördün",    "İlk Dördün",    "İlk Dördün",    "İkinci Dördün",
    "İkinci Dördün", "İkinci Dördün", "İkinci Dördün", "İkinci Dördün", "Dolunay",
    "Dolunay",       "Üçüncü Dördün", "Üçüncü Dördün", "Üçüncü Dördün", "Üçüncü Dördün",
    "Son Dördün",    "Son Dördün",    "Son Dördün",    "Son Hilâl",     "Son Hilâl",
    "Son Hilâl",     "Son Hilâl",     "Yeni Ay",
}};

std::string MoonName(int moonIndex) {
    if (moonIndex >= 0 && moonIndex < static_cast<int>(MoonNames.size()))
        return MoonNames[static_cast<std::size_t>(moonIndex)];
    // The moon index runs one past the names: 99 and 100 per cent is the new moon again.
    if (moonIndex == static_cast<int>(MoonNames.size()))
        return "Yeni Ay";
    return std::string();
}

} // namespace meltemix
