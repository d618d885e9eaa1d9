#pragma once

#include <string>

namespace meltemix {

// A text made safe for one part of an address: every byte of its UTF-8 form other than
// letters, digits and "-._~" becomes %XX (upper-case hex). A blank, "&", "#" or "/" typed by
// the user or stored in the settings file then cannot end, split or redirect the request.
std::string PercentEncode(const std::string& utf8);

} // namespace meltemix
