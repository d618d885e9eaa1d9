#include "core/app/OpenErrorBoxes.h"

#include <algorithm>

namespace meltemix {

bool OpenErrorBoxes::Open(const std::string& text) {
    if (std::find(open_.begin(), open_.end(), text) != open_.end())
        return false;
    open_.push_back(text);
    return true;
}

void OpenErrorBoxes::Closed(const std::string& text) {
    const auto found = std::find(open_.begin(), open_.end(), text);
    if (found != open_.end())
        open_.erase(found);
}

} // namespace meltemix
