#pragma once

#include <string>

namespace meltemix {

// True when every prefix the document's element and attribute names use ("yweather:",
// "geo:") is declared by an xmlns attribute in scope ("xml" and "xmlns" need none).
// A namespace-aware DOM refuses a document that breaks this, so the adapters refuse it
// alike instead of each reading it differently. Meant for text that a parser has already
// found well-formed; on other text the answer is merely some answer.
bool DeclaresEveryPrefix(const std::string& text);

} // namespace meltemix
