#include "core/app/OnlineAnswers.h"

#include "core/text/Decode.h"

namespace meltemix {
namespace {

unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

std::optional<std::string> readSingleNode(const std::string& text, const std::string& path,
                                          const XmlDocumentFactory& createDocument) {
    if (text.empty())
        return std::nullopt;
    std::unique_ptr<XmlDocument> document;
    try {
        document = createDocument();
    } catch (const XmlDomError&) {
        return std::nullopt; // without a DOM there is no answer; nothing to tell the user
    }
    if (!document || !document->loadXml(text))
        return std::nullopt;
    const XmlNodePtr root = document->documentElement();
    if (!root)
        return std::nullopt;
    return SingleNodeText(*root, path);
}

std::string fromDeclaration(const std::string& text) {
    const auto at = text.find("<?xml");
    return at == std::string::npos ? text : text.substr(at);
}

} // namespace

bool IsNewerVersion(const std::string& newest) {
    const std::string own = ProgramVersion;
    const std::size_t common = std::min(own.size(), newest.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (folded(own[i]) != folded(newest[i]))
            return folded(own[i]) < folded(newest[i]);
    }
    return own.size() < newest.size();
}

std::optional<std::string> ReadNewestVersion(const std::string& bytes,
                                             const XmlDocumentFactory& createDocument) {
    return readSingleNode(DecodeDocument(bytes), "/version/meltemix", createDocument);
}

std::optional<std::string> ReadPublicIp(const std::string& bytes,
                                        const XmlDocumentFactory& createDocument) {
    // Cut before decoding too: what precedes the declaration must not decide the encoding.
    const std::string text = fromDeclaration(DecodeDocument(fromDeclaration(bytes)));
    return readSingleNode(text, "/data/ip", createDocument);
}

std::string NewVersionQuestion(const std::string& newest) {
    return "Meltemix! nın " + newest + " sürümü çıkmış! İndirmek ister misiniz?";
}

} // namespace meltemix
