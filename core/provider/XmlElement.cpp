#include "core/provider/XmlElement.h"

#include "core/provider/XmlText.h"

namespace meltemix {

XmlElement& XmlElement::attribute(const char* name, const std::optional<std::string>& value) {
    if (value)
        attributes_.emplace_back(name, *value);
    return *this;
}

std::string XmlElement::text() const {
    std::string out = std::string("<") + name_;
    for (const auto& a : attributes_)
        out += std::string(" ") + a.first + "=\"" + XmlEscaped(a.second) + '"';
    return out + "/>";
}

std::string TextElement(const char* name, const std::string& text) {
    return std::string("<") + name + '>' + XmlEscaped(text) + "</" + name + '>';
}

} // namespace meltemix
