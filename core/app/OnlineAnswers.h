#pragma once

#include "core/xml/XmlDocument.h"

#include <optional>
#include <string>

namespace meltemix {

// The running program's own version, as the version service is compared with.
constexpr const char* ProgramVersion = "1.00";

// Whether `newest` names a later version than this program: both texts compared byte by byte
// with a..z folded to upper case, the first difference deciding and a text that is the
// beginning of the other being the lower. So "1.01", "1.1", "2", "10" and "1.00a" are newer;
// "1.00", "1.0", "0.99" and " 1.5" are not.
bool IsNewerVersion(const std::string& newest);

// The version named by a version answer ("/version/meltemix"), or nothing when the bytes are
// not such a document. A DOM that cannot be created counts as no answer.
std::optional<std::string> ReadNewestVersion(const std::string& bytes,
                                             const XmlDocumentFactory& createDocument);

// The address named by an IP answer ("/data/ip"), read from its XML declaration on, so that a
// byte-order mark or other characters before it do no harm; nothing when there is none.
std::optional<std::string> ReadPublicIp(const std::string& bytes,
                                        const XmlDocumentFactory& createDocument);

// The question asked when a newer version exists.
std::string NewVersionQuestion(const std::string& newest);

} // namespace meltemix
