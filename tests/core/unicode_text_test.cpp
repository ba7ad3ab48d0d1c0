#include "core/unicode_text.h"

#include <gtest/gtest.h>

namespace velmo::core {
namespace {

TEST(UnicodeTextTest, RoundTripsAndReplacesMalformedInput)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"empty", "", u""},
        {"ascii", "abc", u"abc"},
        {"czech", "P\xC5\x99\xC3\xADli\xC5\xA1", u"P\u0159\u00EDli\u0161"},
        {"supplementary", "\xF0\x9F\x98\x80", u"\U0001F600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToUtf16(c.utf8), c.utf16);
        EXPECT_EQ(utf16ToUtf8(c.utf16), c.utf8);
    }
    EXPECT_EQ(utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
} // namespace velmo::core
