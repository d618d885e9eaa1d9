#pragma once

#include <array>
#include <string>

namespace meltemix {

// Turkish names of the moon's phases by moon index 0..27.
extern const std::array<const char*, 28> MoonNames;

// Hint of the moon tile for a moon index 0..28. Index 28 is the new moon again ("Yeni Ay");
// any other index has no name.
std::string MoonName(int moonIndex);

} // namespace meltemix
