#include "model/fields/numeric_field_formatter.h"

#include "core/culture.h"
#include "model/fields/field_format_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <span>

namespace velmo::model {
namespace {

struct Case {
    const char* name;
    std::u16string picture;
    double value;
    std::u16string expected;
};

void expectFormats(const char* cultureName, std::span<const Case> cases)
{
    const core::Culture culture(cultureName);
    const NumericFieldFormatter formatter(culture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatter.format(c.value, c.picture), c.expected);
    }
}

TEST(NumericFieldFormatterTest, PlaceholdersAndGrouping)
{
    const Case cases[] = {
        {"grouped with two decimals", u"#,##0.00", 1234567.891, u"1,234,567.89"},
        {"an unused leftmost # is a space too", u"#,##0", 999, u" 999"},
        {"grouping at the boundary", u"#,##0", 1000, u"1,000"},
        {"# prints a space where digits run out", u"#,##0", 5, u"   5"},
        {"zero padding", u"00.00", 5, u"05.00"},
        {"padding zeros are grouped too", u"0,000,000", 5, u"0,000,005"},
        {"text around", u"$#,##0.00 'USD'", 1234.5, u"$1,234.50 USD"},
        {"the leftmost placeholder takes every digit", u"0", 123456, u"123456"},
        {"x drops the digits to its left", u"x##", 12345, u"345"},
        {"x with too few digits", u"x#", 5, u" 5"},
        {"x in the fraction writes nothing when digits run out", u"0.0x", 1.5, u"1.5"},
        {"x in the fraction rounds there", u"0.0x", 1.2345, u"1.23"},
        {"# in the fraction is a trimmed trailing space", u"0.##", 2.5, u"2.5"},
        {"the separator stays", u"0.##", 2, u"2."},
        {"integer zero", u"#.00", 0.5, u"0.50"},
        {"no placeholder at all", u"'abc'", 5, u"abc"},
        {"a second point is text", u"0.0.0", 1.25, u"1.2.5"},
        {"huge value", u"#,##0", 1e20, u"100,000,000,000,000,000,000"},
        {"very huge value", u"0", 1e300, u"1" + std::u16string(300, u'0')},
        {"tiny value", u"0.00", 1e-300, u"0.00"},
        {"carry into a new digit", u"0.0", 9.99, u"10.0"},
        {"carry through a group", u"#,##0", 999.51, u"1,000"},
    };
    expectFormats("en-US", cases);
}

TEST(NumericFieldFormatterTest, SeparatorsComeFromTheCultureOrTheMailMerge)
{
    const Case german[] = {{"de-DE", u"#,##0.00", 1234567.891, u"1.234.567,89"}};
    expectFormats("de-DE", german);
    const Case french[] = {{"fr-FR", u"#,##0.00", 1234567.891, u"1\u202F234\u202F567,89"}};
    expectFormats("fr-FR", french);
    const Case indian[] = {{"hi-IN", u"#,##0", 1234567, u"12,34,567"}};
    expectFormats("hi-IN", indian);

    const core::Culture english("en-US");
    const NumericFieldFormatter custom(english, NumberSeparators{u",", u"."});
    EXPECT_EQ(custom.format(1234.5, u"#,##0.00"), u"1.234,50");
}

TEST(NumericFieldFormatterTest, SignsAndSections)
{
    const Case cases[] = {
        {"minus before the number", u"0", -5, u"-5"},
        {"minus before the leftmost placeholder", u"##0", -5, u"-  5"},
        {"negative section", u"0;(0)", -5, u"(5)"},
        {"negative section with grouping", u"#,##0.00;(#,##0.00)", -1234.5, u"(1,234.50)"},
        {"empty negative section", u"0;;", -5, u"-5"},
        {"zero section", u"0;(0);'nil'", 0, u"nil"},
        {"zero section unused for non-zero", u"0;(0);'nil'", 3, u"3"},
        {"a fourth section is ignored", u"0;(0);'z';'w'", 0, u"z"},
        {"empty positive section", u";0", 5, u""},
        {"empty positive section, negative value", u";0", -5, u"5"},
        {"empty picture", u"", 5, u""},
        {"plus sign", u"+0", 5, u"+5"},
        {"plus sign, negative", u"+0", -5, u"-5"},
        {"minus sign, positive", u"-0", 5, u" 5"},
        {"trailing minus", u"0-", -5, u"5-"},
        {"no minus for a value that rounds to zero", u"0.00", -0.001, u"0.00"},
        {"negative section for a value that rounds to zero", u"0.00;(0.00)", -0.001, u"(0.00)"},
    };
    expectFormats("en-US", cases);
}

TEST(NumericFieldFormatterTest, RoundsExactHalvesTowardZeroOnTheWrittenDigits)
{
    const Case cases[] = {
        {"an exact half goes toward zero", u"0", 2.5, u"2"},
        {"above half", u"0", 2.51, u"3"},
        {"below half", u"0", 2.49, u"2"},
        {"a negative exact half goes toward zero", u"0", -2.5, u"-2"},
        {"0.285 is an exact half as written", u"0.00", 0.285, u"0.28"},
        {"0.2851 is above half", u"0.00", 0.2851, u"0.29"},
        {"1.005 as written", u"0.00", 1.005, u"1.00"},
        {"0.125", u"0.00", 0.125, u"0.12"},
        {"at most ten decimals", u"0.000000000000", 0.123456789012345, u"0.123456789000"},
    };
    expectFormats("en-US", cases);
}

TEST(NumericFieldFormatterTest, QuotesEscapesAndLength)
{
    const Case cases[] = {
        {"quoted text", u"0 'units'", 5, u"5 units"},
        {"semicolon inside quotes", u"0 'a;b'", 5, u"5 a;b"},
        {"escaped quote", u"\\'0", 5, u"'5"},
        {"escaped double quote", u"0\\\"", 5, u"5\""},
        {"escaped placeholder", u"0\\0", 5, u"50"},
        {"backslash at the end", u"0\\", 5, u"5"},
        {"cut to 64 characters", u"0." + std::u16string(70, u'0'), 1.5, u"1.5" + std::u16string(61, u'0')},
    };
    expectFormats("en-US", cases);

    const core::Culture culture("en-US");
    const NumericFieldFormatter formatter(culture);
    const auto expectError = [&](std::u16string_view picture, double value, const char* message) {
        try {
            (void)formatter.format(value, picture);
            ADD_FAILURE() << "no error";
        } catch (const FieldFormatError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    };
    expectError(u"0 'unclosed", 5, "Error: pattern string contains unmatched quotes.");
    expectError(u"0\"", 5, "Syntax Error, \".");
    expectError(u"0", NAN, "Error: number cannot be represented in the specified format.");
    expectError(u"0", INFINITY, "Error: number cannot be represented in the specified format.");
}

} // namespace
} // namespace velmo::model
