#include "model/numbering/display_format.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmo::model {
namespace {

TEST(DisplayFormatTest, PlaceholdersTakeTheLevelTexts)
{
    const std::vector<std::u16string> levels = {u"1", u"ii", u"c"};
    struct Case {
        const char* name;
        std::u16string format;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {"one level", u"%0:s.", u"1."},
        {"three levels", u"%0:s.%1:s.%2:s.", u"1.ii.c."},
        {"levels in any order, repeated", u"(%2:s-%0:s-%2:s)", u"(c-1-c)"},
        {"upper-case type letter", u"%1:S", u"ii"},
        {"literal text only", u"Chapter", u"Chapter"},
        {"percent sign", u"%0:s%%", u"1%"},
        {"empty", u"", u""},
        {"level beyond the texts", u"%0:s.%3:s.", std::nullopt},
        {"lone percent sign", u"50%", std::nullopt},
        {"no level number", u"%s", std::nullopt},
        {"level 9 does not exist", u"%9:s", std::nullopt},
        {"other type letter", u"%0:d", std::nullopt},
        {"cut short", u"%0:", std::nullopt},
        {"width is not supported", u"%0:5s", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatDisplayFormat(c.format, levels), c.expected);
    }
}

TEST(DisplayFormatTest, NumberTextFallsBackAndBulletsKeepOneCharacter)
{
    const std::vector<std::u16string> levels = {u"4", u"2"};
    EXPECT_EQ(listNumberText(u"%0:s.%1:s.", levels), u"4.2.");
    EXPECT_EQ(listNumberText(u"%0:s.%5:s.", levels), u"4") << "malformed: the first level's number";
    EXPECT_EQ(listNumberText(u"%x", {}), u"") << "malformed and no levels";
    EXPECT_EQ(listNumberText(u"\u00B7", levels), u"\u00B7");
    EXPECT_EQ(listNumberText(u"o\t", levels), u"o") << "a bullet level keeps its first character";
    EXPECT_EQ(listNumberText(u"\U0001F600x", levels), u"\U0001F600") << "a surrogate pair stays whole";
    EXPECT_EQ(listNumberText(u"", levels), u"");

    EXPECT_TRUE(isBulletDisplayFormat(u"\u00B7"));
    EXPECT_TRUE(isBulletDisplayFormat(u""));
    EXPECT_FALSE(isBulletDisplayFormat(u"%0:s."));
    EXPECT_FALSE(isBulletDisplayFormat(u"%%")) << "reads as one percent sign";
    EXPECT_FALSE(isBulletDisplayFormat(u"%")) << "malformed";
}

} // namespace
} // namespace velmo::model
