#include "model/numbering/ordinal_based_number_converter.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmo::model {
namespace {

TEST(OrdinalBasedNumberConverterTest, EveryOwnFormat)
{
    struct Case {
        NumberingFormat format;
        int64_t value;
        std::u16string expected;
    };
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    const Case cases[] = {
        {NumberingFormat::Decimal, 42, u"42"},
        {NumberingFormat::Decimal, 0, u"0"},
        {NumberingFormat::Decimal, -7, u"-7"},
        {NumberingFormat::Decimal, kMax, u"9223372036854775807"},
        {NumberingFormat::Decimal, kMin, u"-9223372036854775808"},
        {NumberingFormat::Bullet, 3, u"\u2022"},
        {NumberingFormat::DecimalEnclosedParentheses, 12, u"(12)"},
        {NumberingFormat::DecimalZero, 7, u"07"},
        {NumberingFormat::DecimalZero, 0, u"00"},
        {NumberingFormat::DecimalZero, 10, u"10"},
        {NumberingFormat::DecimalZero, -5, u"-5"},
        {NumberingFormat::NumberInDash, 3, u"- 3 -"},
        {NumberingFormat::UpperRoman, 1994, u"MCMXCIV"},
        {NumberingFormat::UpperRoman, 3999, u"MMMCMXCIX"},
        {NumberingFormat::UpperRoman, 4, u"IV"},
        {NumberingFormat::LowerRoman, 49, u"xlix"},
        {NumberingFormat::LowerRoman, 1, u"i"},
        {NumberingFormat::UpperRoman, 0, u""},
        {NumberingFormat::UpperRoman, -3, u""},
        {NumberingFormat::UpperRoman, 32767, u"MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMDCCLXVII"},
        {NumberingFormat::UpperRoman, 32768, u""},
        {NumberingFormat::LowerRoman, kMax, u""},
        {NumberingFormat::UpperLetter, 1, u"A"},
        {NumberingFormat::UpperLetter, 26, u"Z"},
        {NumberingFormat::UpperLetter, 27, u"AA"},
        {NumberingFormat::UpperLetter, 53, u"AAA"},
        {NumberingFormat::LowerLetter, 27, u"aa"},
        {NumberingFormat::LowerLetter, 52, u"zz"},
        {NumberingFormat::LowerLetter, 780, std::u16string(30, u'z')},
        {NumberingFormat::LowerLetter, 781, u""},
        {NumberingFormat::LowerLetter, 0, u""},
        {NumberingFormat::UpperLetter, -1, u""},
        {NumberingFormat::RussianUpper, 1, u"\u0410"},
        {NumberingFormat::RussianUpper, 10, u"\u041A"},
        {NumberingFormat::RussianUpper, 29, u"\u042F"},
        {NumberingFormat::RussianUpper, 30, u"\u0410\u0410"},
        {NumberingFormat::RussianLower, 26, u"\u044B"},
        {NumberingFormat::RussianLower, 781, u""},
        {NumberingFormat::Chicago, 1, u"*"},
        {NumberingFormat::Chicago, 4, u"\u00A7"},
        {NumberingFormat::Chicago, 6, u"\u2020\u2020"},
        {NumberingFormat::Chicago, 0, u""},
        {NumberingFormat::Hex, 255, u"FF"},
        {NumberingFormat::Hex, 0, u"0"},
        {NumberingFormat::Hex, -255, u"-FF"},
        {NumberingFormat::Hex, kMin, u"-8000000000000000"},
        {NumberingFormat::None, 5, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("format " + std::to_string(static_cast<int>(c.format)) + ", value " + std::to_string(c.value));
        EXPECT_EQ(OrdinalBasedNumberConverter::createConverter(c.format).convertNumber(c.value), c.expected);
    }
}

TEST(OrdinalBasedNumberConverterTest, FormatsWithoutAConverterOfTheirOwnWriteDecimalDigits)
{
    // Words and ordinals included: a list shows "21." for them, not "Twenty-one".
    for (const NumberingFormat format :
         {NumberingFormat::AIUEOHiragana, NumberingFormat::DecimalEnclosedCircle, NumberingFormat::Hebrew1,
          NumberingFormat::IdeographDigital, NumberingFormat::JapaneseCounting, NumberingFormat::ThaiNumbers,
          NumberingFormat::VietnameseDescriptive, NumberingFormat::CardinalText, NumberingFormat::Ordinal,
          NumberingFormat::OrdinalText}) {
        SCOPED_TRACE(static_cast<int>(format));
        EXPECT_EQ(OrdinalBasedNumberConverter::createConverter(format).convertNumber(15), u"15");
    }
}

} // namespace
} // namespace velmo::model
