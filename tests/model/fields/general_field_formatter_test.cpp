#include "model/fields/general_field_formatter.h"

#include "core/culture.h"
#include "model/fields/field_format_error.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmo::model {
namespace {

using Format = GeneralFieldFormat;

TEST(GeneralFieldFormatterTest, KeywordLookup)
{
    const std::pair<std::u16string_view, std::optional<Format>> cases[] = {
        {u"roman", Format::LowerRoman},
        {u"ROMAN", Format::UpperRoman},
        {u"Roman", Format::UpperRoman},
        {u"rOMAN", Format::LowerRoman},
        {u"ALPHABETIC", Format::UpperAlphabetic},
        {u"Alphabetic", Format::UpperAlphabetic},
        {u"alphabetic", Format::LowerAlphabetic},
        {u"Caps", Format::Caps},
        {u"CAPS", Format::Caps},
        {u"Arabic", Format::Arabic},
        {u"CardText", Format::CardText},
        {u"kanjinum1", Format::DbNum1},
        {u"DBNUM1", Format::DbNum1},
        {u"Upper", Format::Upper},
        {u"MERGEFORMAT", std::nullopt},
        {u"bogus", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& [keyword, expected] : cases) {
        SCOPED_TRACE(std::string(keyword.begin(), keyword.end()));
        EXPECT_EQ(GeneralFieldFormatter::findFormat(keyword), expected);
    }
    EXPECT_TRUE(GeneralFieldFormatter::isNumberFormat(Format::Hex));
    EXPECT_FALSE(GeneralFieldFormatter::isNumberFormat(Format::FirstCap));
}

TEST(GeneralFieldFormatterTest, NumberFormats)
{
    struct Case {
        double value;
        Format format;
        std::u16string expected;
    };
    const Case cases[] = {
        {27, Format::LowerAlphabetic, u"aa"},
        {27, Format::UpperAlphabetic, u"AA"},
        {780, Format::UpperAlphabetic, std::u16string(30, u'Z')},
        {0, Format::UpperAlphabetic, u""},
        {26.5, Format::UpperAlphabetic, u"Z"},
        {1234.5, Format::Arabic, u"1234"},
        {1235.5, Format::Arabic, u"1236"},
        {-7, Format::Arabic, u"-7"},
        {5, Format::ArabicDash, u"- 5 -"},
        {-5, Format::ArabicDash, u"- -5 -"},
        {21, Format::CardText, u"twenty-one"},
        {999999, Format::CardText, u"nine hundred ninety-nine thousand nine hundred ninety-nine"},
        {0, Format::CardText, u"zero"},
        {21, Format::OrdText, u"twenty-first"},
        {22, Format::Ordinal, u"22nd"},
        {111, Format::Ordinal, u"111th"},
        {1, Format::Ordinal, u"1st"},
        {-3, Format::Ordinal, u"-3rd"},
        {123.45, Format::DollarText, u"one hundred twenty-three and 45/100"},
        {0.5, Format::DollarText, u"zero and 50/100"},
        {255, Format::Hex, u"FF"},
        {1994, Format::UpperRoman, u"MCMXCIV"},
        {1994, Format::LowerRoman, u"mcmxciv"},
        {0, Format::LowerRoman, u""},
        {1, Format::CircleNum, u"\u2460"},
        {20, Format::CircleNum, u"\u2473"},
        {21, Format::CircleNum, u"21"},
        {0, Format::CircleNum, u"0"},
        {1, Format::Gb1, u"\u2488"},
        {21, Format::Gb1, u"21"},
        {-1, Format::Gb1, u"-1"},
        {20, Format::Gb2, u"\u2487"},
        {10, Format::Gb3, u"\u2469"},
        {11, Format::Gb3, u"11"},
        {1, Format::Gb4, u"\u3220"},
        {11, Format::Gb4, u"11"},
        {1, Format::Zodiac1, u"\u7532"},
        {11, Format::Zodiac1, u"11"},
        {12, Format::Zodiac2, u"\u4EA5"},
        {1, Format::Zodiac3, u"\u7532\u5B50"},
        {60, Format::Zodiac3, u"\u7678\u4EA5"},
        {61, Format::Zodiac3, u"\u7532\u5B50"},
        {0, Format::Zodiac3, u"0"},
        {12.5, Format::DbChar, u"\uFF11\uFF12\uFF0E\uFF15"},
        {-3, Format::DbChar, u"\uFF0D\uFF13"},
        {2024, Format::DbNum1, u"\u4E8C\u3007\u4E8C\u56DB"},
        {1.25, Format::SbChar, u"1.25"},
        {1.5, Format::Upper, u"1.5"},
    };
    const core::Culture culture("en-US");
    const GeneralFieldFormatter formatter(culture);
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        EXPECT_EQ(formatter.formatNumber(c.value, c.format), c.expected);
    }
    const core::Culture german("de-DE");
    EXPECT_EQ(GeneralFieldFormatter(german).formatNumber(12.5, Format::DbChar), u"\uFF11\uFF12\uFF0C\uFF15");
}

TEST(GeneralFieldFormatterTest, ValuesOutsideAFormatAreErrors)
{
    struct Case {
        double value;
        Format format;
        const char* message;
    };
    const char* const notRepresentable = "Error: number cannot be represented in the specified format.";
    const Case cases[] = {
        {781, Format::UpperAlphabetic, notRepresentable},
        {-1, Format::LowerAlphabetic, notRepresentable},
        {1000000, Format::CardText, notRepresentable},
        {999999.5, Format::OrdText, notRepresentable},
        {-1, Format::CardText, notRepresentable},
        {1000000, Format::DollarText, notRepresentable},
        {-0.01, Format::DollarText, notRepresentable},
        {-1, Format::CircleNum, notRepresentable},
        {-1, Format::Gb3, notRepresentable},
        {-1, Format::Zodiac3, notRepresentable},
        {1e300, Format::Arabic, notRepresentable},
        {NAN, Format::Hex, notRepresentable},
        {INFINITY, Format::DollarText, notRepresentable},
        {-5, Format::DbNum1, "'-' is not a valid value for 'digit'"},
    };
    const core::Culture culture("en-US");
    const GeneralFieldFormatter formatter(culture);
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        try {
            (void)formatter.formatNumber(c.value, c.format);
            ADD_FAILURE() << "no error";
        } catch (const FieldFormatError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(GeneralFieldFormatterTest, TextFormats)
{
    struct Case {
        const char* culture;
        std::u16string text;
        Format format;
        std::u16string expected;
    };
    const Case cases[] = {
        {"en-US", u"hello wORLD, it's 2nd-rate", Format::Caps, u"Hello World, It's 2nd-Rate"},
        {"en-US", u"  \u00BBhello world", Format::FirstCap, u"  \u00BBHello world"},
        {"en-US", u"hello World", Format::FirstCap, u"Hello World"},
        {"en-US", u"...", Format::FirstCap, u"..."},
        {"en-US", u"", Format::Caps, u""},
        {"en-US", u"MiXeD", Format::Lower, u"mixed"},
        {"de-DE", u"stra\u00DFe", Format::Upper, u"STRASSE"},
        {"tr-TR", u"istanbul", Format::Upper, u"\u0130STANBUL"},
        {"tr-TR", u"istanbul", Format::FirstCap, u"\u0130stanbul"},
        {"en-US", u"27", Format::LowerAlphabetic, u"aa"},
        {"de-DE", u"1.234,5", Format::Arabic, u"1234"},
        {"en-US", u"abc", Format::UpperRoman, u"abc"},
        {"en-US", u"", Format::Hex, u""},
        // Text that is no number is worked out as a sum first.
        {"en-US", u"2+3", Format::UpperRoman, u"V"},
        {"en-US", u"(1+1)*3", Format::CardText, u"six"},
        {"en-US", u"1/0", Format::Arabic, u"1/0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.culture) + " case " + std::to_string(&c - cases));
        const core::Culture culture(c.culture);
        EXPECT_EQ(GeneralFieldFormatter(culture).formatText(c.text, c.format), c.expected);
    }
}

} // namespace
} // namespace velmo::model
