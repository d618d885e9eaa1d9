#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace meltemix {

// An empty element with the attributes that have a value; written escaped, in the order
// they were added.
class XmlElement {
public:
    explicit XmlElement(const char* name) : name_(name) {}

    XmlElement& attribute(const char* name, const std::optional<std::string>& value);
    bool hasAttributes() const { return !attributes_.empty(); }
    std::string text() const;

private:
    const char* name_;
    std::vector<std::pair<const char*, std::string>> attributes_;
};

// "<name>text</name>", the text escaped.
std::string TextElement(const char* name, const std::string& text);

} // namespace meltemix
