#include "core/provider/TurkishProvinces.h"

namespace meltemix {

const TurkishProvince* FindProvince(const std::string& code) {
    for (std::size_t i = 0; i < TurkishProvinceCount; ++i)
        if (code == TurkishProvinces[i].Code)
            return &TurkishProvinces[i];
    return nullptr;
}

} // namespace meltemix
