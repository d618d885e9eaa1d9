#include "core/xml/XmlNamespaces.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace meltemix {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class PrefixScanner {
public:
    explicit PrefixScanner(const std::string& text) : text_(text) {}

    bool run() {
        while (pos_ < text_.size()) {
            const std::size_t open = text_.find('<', pos_);
            if (open == std::string::npos)
                break;
            pos_ = open;
            if (startsWith("<!--")) {
                skipPast("-->");
            } else if (startsWith("<![CDATA[")) {
                skipPast("]]>");
            } else if (startsWith("<?")) {
                skipPast("?>");
            } else if (startsWith("<!")) {
                skipDeclaration();
            } else if (startsWith("</")) {
                if (!scopes_.empty())
                    scopes_.pop_back();
                skipPast(">");
            } else if (!startTag()) {
                return false;
            }
        }
        return true;
    }

private:
    bool startsWith(const char* s) const { return text_.compare(pos_, std::char_traits<char>::length(s), s) == 0; }

    void skipPast(const char* end) {
        const std::size_t found = text_.find(end, pos_ + 1);
        pos_ = found == std::string::npos ? text_.size() : found + std::char_traits<char>::length(end);
    }

    // <!DOCTYPE ...> with an internal subset that may hold quoted '>' and nested '<...>'.
    void skipDeclaration() {
        int depth = 0;
        char quote = 0;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[' || c == '<') {
                ++depth;
            } else if (c == ']' || (c == '>' && depth > 0)) {
                --depth;
            } else if (c == '>') {
                ++pos_;
                return;
            }
        }
    }

    std::string readName() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !IsBlank(text_[pos_]) && text_[pos_] != '/' &&
               text_[pos_] != '>' && text_[pos_] != '=')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    void skipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    bool declared(const std::string& prefix) const {
        if (prefix == "xml" || prefix == "xmlns")
            return true;
        for (const auto& scope : scopes_)
            if (std::find(scope.begin(), scope.end(), prefix) != scope.end())
                return true;
        return false;
    }

    // A name is fine when it has no colon, or a non-empty declared prefix and local part.
    bool nameIsBound(const std::string& name) const {
        const std::size_t colon = name.find(':');
        if (colon == std::string::npos)
            return true;
        if (colon == 0 || colon + 1 == name.size())
            return false;
        return declared(name.substr(0, colon));
    }

    bool startTag() {
        ++pos_;
        const std::string element = readName();
        std::vector<std::string> attributes;
        std::vector<std::string> declarations;
        bool selfClosing = false;
        while (pos_ < text_.size()) {
            skipBlanks();
            if (pos_ >= text_.size())
                break;
            const char c = text_[pos_];
            if (c == '>') {
                ++pos_;
                break;
            }
            if (c == '/') {
                selfClosing = true;
                ++pos_;
                continue;
            }
            const std::string name = readName();
            skipBlanks();
            if (pos_ < text_.size() && text_[pos_] == '=') {
                ++pos_;
                skipBlanks();
            }
            if (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == '\'')) {
                const std::size_t close = text_.find(text_[pos_], pos_ + 1);
                pos_ = close == std::string::npos ? text_.size() : close + 1;
            } else if (name.empty()) {
                ++pos_; // not well-formed; keep moving
            }
            if (name.compare(0, 6, "xmlns:") == 0)
                declarations.push_back(name.substr(6));
            else if (!name.empty())
                attributes.push_back(name);
        }
        scopes_.push_back(std::move(declarations));
        if (!nameIsBound(element))
            return false;
        for (const std::string& attribute : attributes)
            if (!nameIsBound(attribute))
                return false;
        if (selfClosing)
            scopes_.pop_back();
        return true;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    std::vector<std::vector<std::string>> scopes_;
};

} // namespace

bool DeclaresEveryPrefix(const std::string& text) { return PrefixScanner(text).run(); }

} // namespace meltemix
