#include "core/encoding.h"

#include "core/editor_exception.h"

#include <gtest/gtest.h>

namespace velmo::core {
namespace {

std::span<const uint8_t> bytesOf(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(EncodingTest, EncodesAndDecodesInTheCodePage)
{
    struct Case {
        const char* name;
        int codePage;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"euro sign in Western", 1252, u"\u20AC5", "\x80" "5"},
        {"Czech in Central European", 1250, u"P\u0159\u00EDli\u0161", "P\xF8\xEDli\x9A"},
        {"Japanese in Shift-JIS", 932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
        {"Cyrillic in Mac Cyrillic", 10007, u"\u0416", "\x86"},
        {"supplementary character in UTF-8", 65001, u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"UTF-16 big-endian", 1201, u"A\u0159", std::string("\0A\x01\x59", 4)},
        {"code page 0 is the default", 0, u"\u00E9", "\xE9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Encoding encoding = Encoding::fromCodePage(c.codePage);
        EXPECT_EQ(encoding.encode(c.text), c.bytes);
        EXPECT_EQ(encoding.decode(bytesOf(c.bytes)), c.text);
    }
}

TEST(EncodingTest, LossAndMalformedInputAreVisibleNotFatal)
{
    const std::u16string czech = u"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148";
    EXPECT_TRUE(Encoding::fromCodePage(1250).encodesLosslessly(czech));
    EXPECT_TRUE(Encoding::fromCodePage(65001).encodesLosslessly(czech));
    EXPECT_FALSE(Encoding::fromCodePage(1252).encodesLosslessly(czech));
    EXPECT_EQ(Encoding::fromCodePage(1252).encode(u"\u0159x"), "?x");
    EXPECT_EQ(Encoding::fromCodePage(65001).decode(bytesOf("a\xFF" "b")), u"a\uFFFDb");
    EXPECT_EQ(Encoding::fromCodePage(65001).decode(bytesOf("\xE2\x82")), u"\uFFFD") << "truncated sequence";
}

TEST(EncodingTest, PreamblesAndUnknownCodePages)
{
    EXPECT_EQ(Encoding::fromCodePage(65001).preamble(), "\xEF\xBB\xBF");
    EXPECT_EQ(Encoding::fromCodePage(1200).preamble(), "\xFF\xFE");
    EXPECT_EQ(Encoding::fromCodePage(1201).preamble(), "\xFE\xFF");
    EXPECT_EQ(Encoding::fromCodePage(1252).preamble(), "");
    EXPECT_TRUE(Encoding::fromCodePage(1252).isSingleByte());
    EXPECT_FALSE(Encoding::fromCodePage(936).isSingleByte());
    for (const int codePage : {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 874, 932, 936, 949, 950, 437, 850, 10000})
        EXPECT_TRUE(Encoding::isSupported(codePage)) << codePage;
    try {
        (void)Encoding::fromCodePage(12345);
        FAIL() << "no error";
    } catch (const EditorException& error) {
        EXPECT_STREQ(error.what(), "'12345' is not a valid value for 'CodePage'");
    }
}

} // namespace
} // namespace velmo::core
