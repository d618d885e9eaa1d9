#include "core/xml/XmlDocument.h"

namespace meltemix {

std::optional<std::string> AttributeText(const XmlNode& node, const std::string& name) {
    const XmlAttributesPtr attributes = node.attributes();
    if (!attributes)
        return std::nullopt;
    const XmlNodePtr item = attributes->getNamedItem(name);
    if (!item)
        return std::nullopt;
    return item->text();
}

std::optional<std::string> SingleNodeText(const XmlNode& node, const std::string& path) {
    const XmlNodePtr found = node.selectSingleNode(path);
    if (!found)
        return std::nullopt;
    return found->text();
}

} // namespace meltemix
