#include "model/fields/date_time_field_formatter.h"

#include "core/culture.h"
#include "core/date_time.h"
#include "core/editor_exception.h"
#include "model/fields/field_format_error.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

constexpr core::DateTime kThursdayAfternoon{2024, 3, 7, 14, 5, 9};
constexpr core::DateTime kMidnight{2024, 1, 1, 0, 0, 0};
constexpr core::DateTime kNoon{2005, 12, 25, 12, 30, 0};

TEST(DateTimeFieldFormatterTest, PictureItems)
{
    struct Case {
        const char* culture;
        std::u16string picture;
        core::DateTime value;
        std::u16string expected;
    };
    const Case cases[] = {
        {"en-US", u"dddd, MMMM d, yyyy", kThursdayAfternoon, u"Thursday, March 7, 2024"},
        {"en-US", u"ddd MMM dd", kThursdayAfternoon, u"Thu Mar 07"},
        {"en-US", u"M/d/yy", kThursdayAfternoon, u"3/7/24"},
        {"en-US", u"MM-dd-yyyy", kThursdayAfternoon, u"03-07-2024"},
        {"en-US", u"y", kNoon, u"05"},
        {"en-US", u"yyy", kThursdayAfternoon, u"2024"},
        {"en-US", u"yyyyy", kThursdayAfternoon, u"202424"},
        {"en-US", u"MMMMM", kThursdayAfternoon, u"March3"},
        {"en-US", u"ddddd", kThursdayAfternoon, u"Thursday7"},
        {"en-US", u"DD.YY", kThursdayAfternoon, u"07.24"},
        {"en-US", u"HH:mm:SS", kThursdayAfternoon, u"14:05:09"},
        {"en-US", u"H:m:s", kMidnight, u"0:0:0"},
        {"en-US", u"h:mm am/pm", kThursdayAfternoon, u"2:05 PM"},
        {"en-US", u"hh:mm AM/PM", kThursdayAfternoon, u"02:05 PM"},
        {"en-US", u"h:mm Am/pM", kMidnight, u"12:00 AM"},
        {"en-US", u"h am/pm", kNoon, u"12 PM"},
        {"en-US", u"hhh", kThursdayAfternoon, u"022"},
        {"en-US", u"'Today is' dddd", kThursdayAfternoon, u"Today is Thursday"},
        {"en-US", u"'d''M'", kThursdayAfternoon, u"dM"},
        {"en-US", u"yyyy'", kThursdayAfternoon, u"2024"},
        {"en-US", u"yyyy'x", kThursdayAfternoon, u"2024x"},
        {"en-US", u"at: d", kThursdayAfternoon, u"at: 7"},
        {"en-US", u"", kThursdayAfternoon, u""},
        {"en-US", u"yyyy", {800, 1, 1}, u"0800"},
        {"de-DE", u"dddd, d. MMMM yyyy", kThursdayAfternoon, u"Donnerstag, 7. M\u00E4rz 2024"},
        {"de-DE", u"ddd", kThursdayAfternoon, u"Do."},
        {"fr-FR", u"dddd d MMMM yyyy", kThursdayAfternoon, u"jeudi 7 mars 2024"},
        {"cs-CZ", u"d. MMMM yyyy", kMidnight, u"1. ledna 2024"},
        {"cs-CZ", u"MMMM yyyy", kMidnight, u"leden 2024"},
        {"cs-CZ", u"dddd MMMM", kMidnight, u"pond\u011Bl\u00ED leden"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.culture) + " case " + std::to_string(&c - cases));
        const core::Culture culture(c.culture);
        EXPECT_EQ(DateTimeFieldFormatter(culture).format(c.value, c.picture), c.expected);
    }
}

TEST(DateTimeFieldFormatterTest, UnclosedQuotesAndInvalidMomentsAreErrors)
{
    const core::Culture culture("en-US");
    const DateTimeFieldFormatter formatter(culture);
    for (const std::u16string picture : {u"'dd", u"dd 'unclosed text"}) {
        try {
            (void)formatter.format(kThursdayAfternoon, picture);
            ADD_FAILURE() << "no error";
        } catch (const FieldFormatError& error) {
            EXPECT_STREQ(error.what(), "Error: pattern string contains unmatched quotes.");
        }
    }
    EXPECT_THROW((void)formatter.format(core::DateTime{2023, 2, 29}, u"d"), core::EditorException);
    EXPECT_THROW((void)formatter.formatDefaultDate(core::DateTime{2024, 13, 1}), core::EditorException);
}

TEST(DateTimeFieldFormatterTest, DefaultDateAndTime)
{
    const core::Culture english("en-US");
    const core::Culture german("de-DE");
    EXPECT_EQ(DateTimeFieldFormatter(english).formatDefaultDate(kThursdayAfternoon), u"3/7/2024");
    EXPECT_EQ(DateTimeFieldFormatter(german).formatDefaultDate(kThursdayAfternoon), u"3.7.2024");
    EXPECT_EQ(DateTimeFieldFormatter(english).formatDefaultTime(kThursdayAfternoon), u"2:05 PM");
    EXPECT_EQ(DateTimeFieldFormatter(english).formatDefaultTime(kMidnight), u"12:00 AM");
    EXPECT_EQ(DateTimeFieldFormatter(german).formatDefaultTime(core::DateTime{2024, 1, 1, 13, 5}), u"1:05 PM");
}

TEST(DateTimeFieldFormatterTest, TheCulturesOwnPatternsAreValidPictures)
{
    for (const char* name : {"en-US", "de-DE", "fr-FR", "cs-CZ", "ja-JP", "pt-BR", "hi-IN", "ar-SA", "ko-KR"}) {
        SCOPED_TRACE(name);
        const core::Culture culture(name);
        const DateTimeFieldFormatter formatter(culture);
        for (const std::u16string_view pattern : {culture.shortDatePattern(), culture.longDatePattern(),
                                                  culture.shortTimePattern(), culture.longTimePattern()}) {
            EXPECT_FALSE(formatter.format(kThursdayAfternoon, pattern).empty());
        }
    }
    const core::Culture portuguese("pt-BR");
    EXPECT_EQ(DateTimeFieldFormatter(portuguese).format(kThursdayAfternoon, portuguese.longDatePattern()),
              u"quinta-feira, 7 de mar\u00E7o de 2024")
        << "quoted literal letters stay literal";
    const core::Culture english("en-US");
    EXPECT_EQ(DateTimeFieldFormatter(english).format(kThursdayAfternoon, english.longTimePattern()), u"2:05:09 PM");
}

} // namespace
} // namespace velmo::model
