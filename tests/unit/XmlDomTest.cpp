#include "XmlTestSupport.h"

#include <gtest/gtest.h>

using namespace meltemix;
using meltemix::test::DomFactory;

namespace {

std::unique_ptr<XmlDocument> Load(const std::string& text) {
    auto document = DomFactory()();
    if (!document->loadXml(text))
        return nullptr;
    return document;
}

const char* const kDoc =
    "<?xml version=\"1.0\" encoding=\"windows-1254\"?>\n"
    "<rss xmlns:y=\"urn:y\"><channel>"
    "<t xml:lang=\"tr\">  Mon, 07 <b>Dec</b> \n</t>"
    "<y:e a=\"1\" b=' x\ty '/><y:e a=\"2\"/><e a=\"\xC4\xB0\"/>"
    "<n xmlns:z=\"urn:z\"><z:i v=\"in scope\"/></n>"
    "</channel></rss>";

} // namespace

TEST(XmlDom, SelectsByPrefixedPathsInDocumentOrder) {
    auto document = Load(kDoc);
    ASSERT_TRUE(document);
    auto root = document->documentElement();
    ASSERT_TRUE(root);
    auto list = root->selectNodes("/rss/channel/y:e");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->length(), 2);
    EXPECT_EQ(*AttributeText(*list->item(1), "a"), "2");
    EXPECT_FALSE(list->item(2));
    EXPECT_EQ(*AttributeText(*root->selectSingleNode("/rss/channel/y:e"), "a"), "1");
    EXPECT_EQ(*AttributeText(*root->selectSingleNode("/rss/channel/n/z:i"), "v"), "in scope");
    EXPECT_EQ(*AttributeText(*root->selectSingleNode("/rss/channel/e"), "a"), "\xC4\xB0");
}

TEST(XmlDom, MissingThingsAreNull) {
    auto document = Load(kDoc);
    ASSERT_TRUE(document);
    auto root = document->documentElement();
    EXPECT_FALSE(root->selectSingleNode("/rss/channel/nothing"));
    EXPECT_FALSE(root->selectSingleNode("/rss/channel/q:e")); // a prefix the document lacks
    auto list = root->selectNodes("/rss/channel/nothing");
    EXPECT_TRUE(!list || list->length() == 0);
    auto element = root->selectSingleNode("/rss/channel/y:e");
    EXPECT_FALSE(AttributeText(*element, "c"));
    EXPECT_FALSE(SingleNodeText(*root, "/rss/x"));
}

TEST(XmlDom, TextOfElementsAndAttributes) {
    auto document = Load(kDoc);
    ASSERT_TRUE(document);
    auto root = document->documentElement();
    EXPECT_EQ(*SingleNodeText(*root, "/rss/channel/t"), "Mon, 07 Dec");
    // Attribute values keep their blanks; a tab inside becomes a blank.
    EXPECT_EQ(*AttributeText(*root->selectSingleNode("/rss/channel/y:e"), "b"), " x y ");
}

TEST(XmlDom, NodesOutliveTheirDocument) {
    XmlNodePtr node;
    {
        auto document = Load(kDoc);
        ASSERT_TRUE(document);
        node = document->documentElement()->selectSingleNode("/rss/channel/t");
    }
    ASSERT_TRUE(node);
    EXPECT_EQ(node->text(), "Mon, 07 Dec");
}

TEST(XmlDom, RefusesWhatIsNotOneNamespaceWellFormedDocument) {
    const char* cases[] = {
        "",
        "just text",
        "<a><b></a>",
        "<a/><b/>",
        "<a x='1' x='2'/>",
        "<p:a/>",
        "<a><n xmlns:p='urn:p'/><p:b/></a>",
        "<a p:x='1'/>",
        "<html><body><p>Not found<br></body></html>",
    };
    for (const char* text : cases) {
        auto document = DomFactory()();
        EXPECT_FALSE(document->loadXml(text)) << text;
        EXPECT_FALSE(document->documentElement()) << text;
    }
}

TEST(XmlDom, AFailedLoadForgetsThePreviousDocument) {
    auto document = DomFactory()();
    ASSERT_TRUE(document->loadXml("<a/>"));
    EXPECT_FALSE(document->loadXml("<p:a/>"));
    EXPECT_FALSE(document->documentElement());
}

TEST(XmlDom, TakesTextWithAMarkOrBlanksBeforeTheDeclaration) {
    for (const char* text : {"\xEF\xBB\xBF<?xml version='1.0'?><a/>", " \r\n<?xml version='1.0'?><a/>"}) {
        auto document = DomFactory()();
        EXPECT_TRUE(document->loadXml(text)) << text;
    }
}

// A document type is what lets a document fetch addresses, read files or nest entities
// until the parser stalls; the program needs none, so a document with one is no answer.
TEST(XmlDom, RefusesEveryDocumentWithADocumentType) {
    const char* cases[] = {
        "<!DOCTYPE a><a/>",
        "<?xml version='1.0'?>\n<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>",
        "<?xml version='1.0'?><!-- c --><?pi x?> <!DOCTYPE a SYSTEM 'http://127.0.0.1:9/a.dtd'><a/>",
        "<!DOCTYPE a [<!ENTITY e SYSTEM 'file:///c:/windows/win.ini'>]><a>&e;</a>",
        "<!DOCTYPE a [<!ENTITY a '1234567890'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;'>"
        "<!ENTITY c '&b;&b;&b;&b;&b;&b;&b;&b;'><!ENTITY d '&c;&c;&c;&c;&c;&c;&c;&c;'>]><a>&d;</a>",
        "\xEF\xBB\xBF <!DOCTYPE a><a/>",
    };
    for (const char* text : cases) {
        auto document = DomFactory()();
        EXPECT_FALSE(document->loadXml(text)) << text;
        EXPECT_FALSE(document->documentElement()) << text;
    }
    // Comments and instructions before the root are no document type.
    auto document = DomFactory()();
    EXPECT_TRUE(document->loadXml("<?xml version='1.0'?><!-- <!DOCTYPE --><?p <!x?><a/>"));
}
