#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace meltemix {

// The few DOM operations the program reads its downloaded documents with. Every text is
// UTF-8. A node, list or attribute that is not there is a null result, never an error;
// no member throws once the document exists.
class XmlNode;
class XmlNodeList;
class XmlAttributes;
using XmlNodePtr = std::unique_ptr<XmlNode>;
using XmlNodeListPtr = std::unique_ptr<XmlNodeList>;
using XmlAttributesPtr = std::unique_ptr<XmlAttributes>;

class XmlNode {
public:
    virtual ~XmlNode() = default;

    // Paths are absolute ("/rss/channel/yweather:location"); a prefixed name matches the
    // element written with that prefix.
    virtual XmlNodePtr selectSingleNode(const std::string& path) const = 0;
    virtual XmlNodeListPtr selectNodes(const std::string& path) const = 0;
    virtual XmlAttributesPtr attributes() const = 0;
    // An element's text content, an attribute's value.
    virtual std::string text() const = 0;
};

class XmlNodeList {
public:
    virtual ~XmlNodeList() = default;
    virtual long length() const = 0;
    virtual XmlNodePtr item(long index) const = 0; // null outside 0..length-1
};

class XmlAttributes {
public:
    virtual ~XmlAttributes() = default;
    virtual XmlNodePtr getNamedItem(const std::string& name) const = 0;
};

class XmlDocument {
public:
    virtual ~XmlDocument() = default;
    // Parses the whole text as one document; false when it is not well-formed. The text
    // is already decoded, so an encoding named in its declaration plays no part.
    virtual bool loadXml(const std::string& text) = 0;
    virtual XmlNodePtr documentElement() const = 0;
};

// Raised by a factory when the DOM component cannot be created.
class XmlDomError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Creates a new, empty document; throws XmlDomError when it cannot.
using XmlDocumentFactory = std::function<std::unique_ptr<XmlDocument>()>;

// The value of the attribute `name` of `node`, or nothing when it has none.
std::optional<std::string> AttributeText(const XmlNode& node, const std::string& name);

// The text of the first node at `path` below `node`, or nothing when there is none.
std::optional<std::string> SingleNodeText(const XmlNode& node, const std::string& path);

} // namespace meltemix
