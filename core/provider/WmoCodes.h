#pragma once

#include <cstdint>
#include <optional>

namespace meltemix {

// The feed's condition code for a WMO weather code of the forecast service. `day` picks the
// day or the night form of the codes that have both (clear, mainly clear, partly cloudy);
// forecast days always use the day form. A missing code, or one the service does not
// document, is 3200, the feed's "not available".
int ConditionCodeForWmo(std::optional<std::int64_t> wmo, bool day);

} // namespace meltemix
