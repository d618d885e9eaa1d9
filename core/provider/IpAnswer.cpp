#include "core/provider/IpAnswer.h"

#include "core/provider/JsonValues.h"

namespace meltemix {
namespace {

// The address ends up on the info window; anything else the service might put there
// would be shown as if it were one.
bool LooksLikeAddress(const std::string& text) {
    if (text.size() < 2 || text.size() > 45)
        return false;
    for (const char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex && c != '.' && c != ':')
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> IpToDocument(const std::string& answer) {
    const auto address = json::Text(json::Member(json::Parse(answer), "ip"));
    if (!address || !LooksLikeAddress(*address))
        return std::nullopt;
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<data><ip>" + *address + "</ip></data>\n";
}

} // namespace meltemix
