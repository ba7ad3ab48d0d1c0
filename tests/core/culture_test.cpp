#include "core/culture.h"

#include "core/editor_exception.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmo::core {
namespace {

using Width = Culture::NameWidth;

TEST(CultureTest, SeparatorsAndPatterns)
{
    struct Case {
        const char* name;
        std::u16string decimal;
        std::u16string group;
        std::u16string list;
        std::u16string dateSeparator;
        std::u16string timeSeparator;
        std::u16string shortDate;
        std::u16string longDate;
        std::u16string shortTime;
        std::u16string longTime;
    };
    const Case cases[] = {
        {"en-US", u".", u",", u",", u"/", u":", u"M/d/yyyy", u"dddd, MMMM d, yyyy", u"h:mm am/pm", u"h:mm:ss am/pm"},
        {"de-DE", u",", u".", u";", u".", u":", u"dd.MM.yyyy", u"dddd, d. MMMM yyyy", u"HH:mm", u"HH:mm:ss"},
        {"fr-FR", u",", u"\u202F", u";", u"/", u":", u"dd/MM/yyyy", u"dddd d MMMM yyyy", u"HH:mm", u"HH:mm:ss"},
        {"cs-CZ", u",", u"\u00A0", u";", u".", u":", u"dd.MM.yyyy", u"dddd d. MMMM yyyy", u"H:mm", u"H:mm:ss"},
        {"ja-JP", u".", u",", u",", u"/", u":", u"yyyy/MM/dd", u"yyyy\u5E74M\u6708d\u65E5dddd", u"H:mm", u"H:mm:ss"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Culture culture(c.name);
        EXPECT_EQ(culture.name(), c.name);
        EXPECT_EQ(culture.decimalSeparator(), c.decimal);
        EXPECT_EQ(culture.groupSeparator(), c.group);
        EXPECT_EQ(culture.groupSize(), 3);
        EXPECT_EQ(culture.listSeparator(), c.list);
        EXPECT_EQ(culture.dateSeparator(), c.dateSeparator);
        EXPECT_EQ(culture.timeSeparator(), c.timeSeparator);
        EXPECT_EQ(culture.shortDatePattern(), c.shortDate);
        EXPECT_EQ(culture.longDatePattern(), c.longDate);
        EXPECT_EQ(culture.shortTimePattern(), c.shortTime);
        EXPECT_EQ(culture.longTimePattern(), c.longTime);
    }
}

TEST(CultureTest, IndianGroupingHasASecondaryGroupSize)
{
    const Culture culture("hi-IN");
    EXPECT_EQ(culture.groupSize(), 3);
    EXPECT_EQ(culture.secondaryGroupSize(), 2);
    EXPECT_EQ(Culture("en-US").secondaryGroupSize(), 3);
}

TEST(CultureTest, DayAndMonthNames)
{
    const Culture english("en-US");
    EXPECT_EQ(english.dayName(0, Width::Full), u"Sunday");
    EXPECT_EQ(english.dayName(6, Width::Abbreviated), u"Sat");
    EXPECT_EQ(english.monthName(1, Width::Full), u"January");
    EXPECT_EQ(english.monthName(12, Width::Abbreviated), u"Dec");
    EXPECT_EQ(english.genitiveMonthName(5, Width::Full), u"May");
    EXPECT_EQ(english.amDesignator(), u"AM");
    EXPECT_EQ(english.pmDesignator(), u"PM");

    const Culture german("de-DE");
    EXPECT_EQ(german.dayName(1, Width::Full), u"Montag");
    EXPECT_EQ(german.monthName(3, Width::Full), u"M\u00E4rz");

    const Culture french("fr-FR");
    EXPECT_EQ(french.dayName(0, Width::Full), u"dimanche");
    EXPECT_EQ(french.dayName(0, Width::Abbreviated), u"dim.");
    EXPECT_EQ(french.monthName(2, Width::Full), u"f\u00E9vrier");
    EXPECT_EQ(french.monthName(2, Width::Abbreviated), u"f\u00E9vr.");

    const Culture czech("cs-CZ");
    EXPECT_EQ(czech.monthName(1, Width::Full), u"leden") << "nominative";
    EXPECT_EQ(czech.genitiveMonthName(1, Width::Full), u"ledna") << "as in \"5. ledna\"";
    EXPECT_EQ(czech.amDesignator(), u"dop.");

    EXPECT_EQ(english.dayName(7, Width::Full), u"") << "out of range";
    EXPECT_EQ(english.dayName(-1, Width::Full), u"");
    EXPECT_EQ(english.monthName(0, Width::Full), u"");
    EXPECT_EQ(english.genitiveMonthName(13, Width::Abbreviated), u"");
}

TEST(CultureTest, ParsesNumbersAsTheCultureWritesThem)
{
    struct Case {
        const char* culture;
        std::u16string text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"en-US", u"1234.5", 1234.5},
        {"en-US", u"1,234,567.25", 1234567.25},
        {"en-US", u"  -12  ", -12.0},
        {"en-US", u"+7", 7.0},
        {"en-US", u"\u22123", -3.0},
        {"en-US", u".5", 0.5},
        {"en-US", u"5.", 5.0},
        {"en-US", u"1.5e3", 1500.0},
        {"en-US", u"2E-2", 0.02},
        {"en-US", u"1,2", 12.0},
        {"en-US", u"", std::nullopt},
        {"en-US", u"   ", std::nullopt},
        {"en-US", u"-", std::nullopt},
        {"en-US", u".", std::nullopt},
        {"en-US", u"abc", std::nullopt},
        {"en-US", u"12abc", std::nullopt},
        {"en-US", u"1.2.3", std::nullopt},
        {"en-US", u"12,", std::nullopt},
        {"en-US", u",12", std::nullopt},
        {"en-US", u"1e", std::nullopt},
        {"en-US", u"1e400", std::nullopt},
        {"en-US", u"1,5", 15.0},
        {"de-DE", u"1,5", 1.5},
        {"de-DE", u"1.234,5", 1234.5},
        {"de-DE", u"1.5", 15.0},
        {"de-DE", u"-0,25", -0.25},
        {"fr-FR", u"1\u202F234,5", 1234.5},
        {"fr-FR", u"1\u00A0234,5", 1234.5},
        {"fr-FR", u"1 234,5", 1234.5},
        {"fr-FR", u"1.5", std::nullopt},
        {"sv-SE", u"\u22124,5", -4.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.culture) + " case " + std::to_string(&c - cases));
        EXPECT_EQ(Culture(c.culture).parseNumber(c.text), c.expected);
    }
}

TEST(CultureTest, FormatsNumbersWithFifteenSignificantDigits)
{
    struct Case {
        const char* culture;
        double value;
        std::u16string expected;
    };
    const Case cases[] = {
        {"en-US", 1234.5, u"1234.5"},
        {"en-US", 0.1 + 0.2, u"0.3"},
        {"en-US", -2.0, u"-2"},
        {"en-US", -0.0, u"0"},
        {"en-US", 123456789012345.0, u"123456789012345"},
        {"en-US", 1e15, u"1E+15"},
        {"en-US", 0.00001, u"1E-05"},
        {"en-US", -1.5e-7, u"-1.5E-07"},
        {"en-US", 0.0001, u"0.0001"},
        {"de-DE", -2.5, u"-2,5"},
        {"fr-FR", 1234567.5, u"1234567,5"},
        {"sv-SE", -1.5, u"\u22121,5"},
        {"en-US", INFINITY, u"\u221E"},
        {"en-US", -INFINITY, u"-\u221E"},
        {"en-US", NAN, u"NaN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.culture) + " case " + std::to_string(&c - cases));
        EXPECT_EQ(Culture(c.culture).formatNumber(c.value), c.expected);
    }
    const Culture german("de-DE");
    EXPECT_EQ(german.parseNumber(german.formatNumber(-1234.125)), -1234.125) << "round trip";
}

TEST(CultureTest, CaseMappingFollowsTheCulture)
{
    const Culture english("en-US");
    const Culture german("de-DE");
    const Culture turkish("tr-TR");
    EXPECT_EQ(german.toUpper(u"stra\u00DFe"), u"STRASSE") << "a full mapping may grow the text";
    EXPECT_EQ(english.toUpper(u"i"), u"I");
    EXPECT_EQ(turkish.toUpper(u"i"), u"\u0130");
    EXPECT_EQ(turkish.toLower(u"I"), u"\u0131");
    EXPECT_EQ(english.toLower(u"\u0130STANBUL"), u"i\u0307stanbul");
    EXPECT_EQ(english.toLower(u"\u039F\u0394\u039F\u03A3"), u"\u03BF\u03B4\u03BF\u03C2") << "final sigma";
    EXPECT_EQ(english.toTitle(u"hello wORLD, it's 2nd-rate"), u"Hello World, It's 2nd-Rate");
    EXPECT_EQ(english.toUpper(u""), u"");
    EXPECT_EQ(english.toUpper(u"\U00010428"), u"\U00010400") << "supplementary letters";
}

TEST(CultureTest, NamesAreCanonicalAndUnknownOnesAreRejected)
{
    EXPECT_EQ(Culture("de_DE").name(), "de-DE");
    EXPECT_EQ(Culture("de-XX").decimalSeparator(), u",") << "an unknown region falls back to its language";
    for (const char* name : {"xx-YY", "", "!!", "en US"}) {
        SCOPED_TRACE(name);
        try {
            (void)Culture(name);
            ADD_FAILURE() << "accepted";
        } catch (const EditorException& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(name) + "' is not a valid value for 'Culture'");
        }
    }
}

} // namespace
} // namespace velmo::core
