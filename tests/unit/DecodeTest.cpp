#include "core/text/Decode.h"

#include <gtest/gtest.h>

using namespace meltemix;

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;
};

class Decode : public testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, GivesUtf8) { EXPECT_EQ(DecodeDocument(GetParam().bytes), GetParam().text); }

const std::string kUtf8Izmir = "<a>\xC4\xB0zmir \xC5\x9F</a>";

INSTANTIATE_TEST_SUITE_P(
    Encodings, Decode,
    testing::Values(
        DecodeCase{"Utf8Undeclared", kUtf8Izmir, kUtf8Izmir},
        DecodeCase{"Utf8Declared", "<?xml version='1.0' encoding='utf-8'?>" + kUtf8Izmir,
                   "<?xml version='1.0'?>" + kUtf8Izmir},
        DecodeCase{"Windows1254", "<?xml version=\"1.0\" encoding=\"WINDOWS-1254\"?><a>\xDDzmir \xFE</a>",
                   "<?xml version=\"1.0\"?>" + kUtf8Izmir},
        DecodeCase{"Iso88599", "<?xml version=\"1.0\" encoding=\"iso-8859-9\"?><a>\xDDzmir \xFE</a>",
                   "<?xml version=\"1.0\"?>" + kUtf8Izmir},
        DecodeCase{"Latin1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><a>\xE9\xDD</a>",
                   "<?xml version=\"1.0\" ?><a>\xC3\xA9\xC3\x9D</a>"},
        DecodeCase{"Latin1WithC1IsWindows1254", "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><a>\x80\xDD</a>",
                   "<?xml version=\"1.0\"?><a>\xE2\x82\xAC\xC4\xB0</a>"},
        DecodeCase{"AsciiWithHighBytesIsWindows1254", "<?xml version=\"1.0\" encoding=\"us-ascii\"?><a>\xDD</a>",
                   "<?xml version=\"1.0\"?><a>\xC4\xB0</a>"},
        DecodeCase{"InvalidUtf8IsWindows1254", "<a>\xDDzmir \xFE</a>", kUtf8Izmir},
        DecodeCase{"OverlongUtf8IsWindows1254", "<a>\xC0\xAF</a>", "<a>\xC3\x80\xC2\xAF</a>"},
        DecodeCase{"Utf8MarkWinsOverDeclaration",
                   "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1254\"?>" + kUtf8Izmir,
                   "<?xml version=\"1.0\"?>" + kUtf8Izmir},
        DecodeCase{"Utf16LeMark", std::string("\xFF\xFE<\0a\0>\0\x30\x01<\0/\0a\0>\0", 18),
                   "<a>\xC4\xB0</a>"},
        DecodeCase{"Utf16BeMarkAndSurrogates",
                   std::string("\xFE\xFF\0<\0a\0>\xD8\x3D\xDE\x00\xD8\x00\0<", 16),
                   "<a>\xF0\x9F\x98\x80\xEF\xBF\xBD<"},
        DecodeCase{"Utf16LeUnmarked", std::string("<\0?\0x\0m\0l\0 \0?\0>\0", 16), "<?xml ?>"},
        DecodeCase{"LeadingBlanksGo", " \r\n\t<a/>", "<a/>"},
        DecodeCase{"UndefinedWindows1254BytesKeepTheirValue", "<a>\x81\x9E</a>",
                   "<a>\xC2\x81\xC2\x9E</a>"},
        DecodeCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

} // namespace

TEST(PrepareXmlText, DropsOnlyTheEncoding) {
    EXPECT_EQ(PrepareXmlText("\xEF\xBB\xBF \n<?xml version=\"1.0\"  encoding = 'x' standalone=\"yes\"?><a encoding='y'/>"),
              "<?xml version=\"1.0\" standalone=\"yes\"?><a encoding='y'/>");
    EXPECT_EQ(PrepareXmlText("<?xml-stylesheet encoding='x'?><a/>"), "<?xml-stylesheet encoding='x'?><a/>");
    EXPECT_EQ(PrepareXmlText("<?xml version='1.0' encoding='x'"), "<?xml version='1.0' encoding='x'");
}

TEST(IsValidUtf8, RejectsWhatIsNotCharacters) {
    EXPECT_TRUE(IsValidUtf8("a\xC4\xB0\xE2\x82\xAC\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xC4"));             // cut short
}

TEST(PrepareXmlText, LeavesNoEncodingNameBehind) {
    const std::string twice = "<?xml version=\"1.0\" encoding=\"a\" encoding=\"b\"?><r/>";
    EXPECT_EQ(PrepareXmlText(twice), "<?xml version=\"1.0\"?><r/>");
}
