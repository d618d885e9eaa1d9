#include "native/pugi/PugiXmlDocument.h"

#include "core/text/Decode.h"
#include "core/xml/DocumentType.h"
#include "core/xml/XmlNamespaces.h"

#include <pugixml.hpp>

#include <cstring>
#include <string>
#include <vector>

namespace meltemix {
namespace {

using DocumentPtr = std::shared_ptr<pugi::xml_document>;

bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next node in document order below `top`, without recursion: documents from the
// network may nest deeply.
pugi::xml_node NextBelow(pugi::xml_node node, const pugi::xml_node& top) {
    if (node.first_child())
        return node.first_child();
    while (node && node != top) {
        if (node.next_sibling())
            return node.next_sibling();
        node = node.parent();
    }
    return pugi::xml_node();
}

void AppendText(const pugi::xml_node& element, std::string& out) {
    for (pugi::xml_node n = NextBelow(element, element); n; n = NextBelow(n, element))
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            out += n.value();
}

// Nodes share the document so that a node outliving its document stays valid.
class PugiNode : public XmlNode {
public:
    PugiNode(DocumentPtr document, pugi::xml_node node)
        : document_(std::move(document)), node_(node) {}
    PugiNode(DocumentPtr document, pugi::xml_attribute attribute)
        : document_(std::move(document)), attribute_(attribute) {}

    XmlNodePtr selectSingleNode(const std::string& path) const override;
    XmlNodeListPtr selectNodes(const std::string& path) const override;
    XmlAttributesPtr attributes() const override;
    std::string text() const override {
        if (attribute_)
            return attribute_.value();
        std::string text;
        AppendText(node_, text);
        std::size_t begin = 0;
        std::size_t end = text.size();
        while (begin < end && IsXmlBlank(text[begin]))
            ++begin;
        while (end > begin && IsXmlBlank(text[end - 1]))
            --end;
        return text.substr(begin, end - begin);
    }

private:
    DocumentPtr document_;
    pugi::xml_node node_;
    pugi::xml_attribute attribute_;
};

class PugiNodeList : public XmlNodeList {
public:
    PugiNodeList(DocumentPtr document, std::vector<pugi::xml_node> nodes)
        : document_(std::move(document)), nodes_(std::move(nodes)) {}

    long length() const override { return static_cast<long>(nodes_.size()); }
    XmlNodePtr item(long index) const override {
        if (index < 0 || static_cast<std::size_t>(index) >= nodes_.size())
            return nullptr;
        return std::make_unique<PugiNode>(document_, nodes_[static_cast<std::size_t>(index)]);
    }

private:
    DocumentPtr document_;
    std::vector<pugi::xml_node> nodes_;
};

class PugiAttributes : public XmlAttributes {
public:
    PugiAttributes(DocumentPtr document, pugi::xml_node element)
        : document_(std::move(document)), element_(element) {}

    XmlNodePtr getNamedItem(const std::string& name) const override {
        const pugi::xml_attribute found = element_.attribute(name.c_str());
        if (!found || name.find('\0') != std::string::npos)
            return nullptr;
        return std::make_unique<PugiNode>(document_, found);
    }

private:
    DocumentPtr document_;
    pugi::xml_node element_;
};

// A query the evaluator cannot compile selects nothing.
pugi::xpath_node_set Select(const pugi::xml_node& node, const std::string& path) {
    if (!node || path.find('\0') != std::string::npos)
        return pugi::xpath_node_set();
    try {
        const pugi::xpath_query query(path.c_str());
        if (!query || query.return_type() != pugi::xpath_type_node_set)
            return pugi::xpath_node_set();
        return query.evaluate_node_set(node);
    } catch (...) {
        return pugi::xpath_node_set();
    }
}

XmlNodePtr PugiNode::selectSingleNode(const std::string& path) const {
    const pugi::xpath_node_set found = Select(node_, path);
    for (const pugi::xpath_node& hit : found)
        if (hit.node())
            return std::make_unique<PugiNode>(document_, hit.node());
    return nullptr;
}

XmlNodeListPtr PugiNode::selectNodes(const std::string& path) const {
    std::vector<pugi::xml_node> nodes;
    for (const pugi::xpath_node& hit : Select(node_, path))
        if (hit.node())
            nodes.push_back(hit.node());
    return std::make_unique<PugiNodeList>(document_, std::move(nodes));
}

XmlAttributesPtr PugiNode::attributes() const {
    if (!node_ || node_.type() != pugi::node_element)
        return nullptr;
    return std::make_unique<PugiAttributes>(document_, node_);
}

bool HasRepeatedAttribute(const pugi::xml_document& document) {
    for (pugi::xml_node n = NextBelow(document, document); n; n = NextBelow(n, document))
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute())
            for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute())
                if (std::strcmp(a.name(), b.name()) == 0)
                    return true;
    return false;
}

class PugiXmlDocument : public XmlDocument {
public:
    bool loadXml(const std::string& text) override {
        document_.reset();
        auto document = std::make_shared<pugi::xml_document>();
        const std::string prepared = PrepareXmlText(text);
        if (DeclaresDocumentType(prepared))
            return false;
        const pugi::xml_parse_result result = document->load_buffer(
            prepared.data(), prepared.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!result)
            return false;
        int elements = 0;
        for (pugi::xml_node child = document->first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element)
                ++elements;
            else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
                return false; // text outside the root element
        }
        if (elements != 1 || HasRepeatedAttribute(*document) ||
            !DeclaresEveryPrefix(prepared))
            return false;
        document_ = std::move(document);
        return true;
    }

    XmlNodePtr documentElement() const override {
        if (!document_)
            return nullptr;
        const pugi::xml_node root = document_->document_element();
        if (!root)
            return nullptr;
        return std::make_unique<PugiNode>(document_, root);
    }

private:
    DocumentPtr document_;
};

} // namespace

std::unique_ptr<XmlDocument> CreatePugiXmlDocument() { return std::make_unique<PugiXmlDocument>(); }

} // namespace meltemix
