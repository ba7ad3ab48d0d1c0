#include "model/numbering/english_number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmo::model {
namespace {

TEST(EnglishNumberTextTest, CardinalAndOrdinalWords)
{
    struct Case {
        uint64_t value;
        std::u16string cardinal;
        std::u16string ordinal;
    };
    const Case cases[] = {
        {0, u"zero", u"zeroth"},
        {1, u"one", u"first"},
        {2, u"two", u"second"},
        {5, u"five", u"fifth"},
        {8, u"eight", u"eighth"},
        {9, u"nine", u"ninth"},
        {11, u"eleven", u"eleventh"},
        {12, u"twelve", u"twelfth"},
        {13, u"thirteen", u"thirteenth"},
        {20, u"twenty", u"twentieth"},
        {21, u"twenty-one", u"twenty-first"},
        {99, u"ninety-nine", u"ninety-ninth"},
        {100, u"one hundred", u"one hundredth"},
        {101, u"one hundred one", u"one hundred first"},
        {110, u"one hundred ten", u"one hundred tenth"},
        {999, u"nine hundred ninety-nine", u"nine hundred ninety-ninth"},
        {1000, u"one thousand", u"one thousandth"},
        {1234, u"one thousand two hundred thirty-four", u"one thousand two hundred thirty-fourth"},
        {100000, u"one hundred thousand", u"one hundred thousandth"},
        {999999, u"nine hundred ninety-nine thousand nine hundred ninety-nine",
         u"nine hundred ninety-nine thousand nine hundred ninety-ninth"},
        {1000000, u"one million", u"one millionth"},
        {2000040, u"two million forty", u"two million fortieth"},
        {1'000'000'000'000'000'000ULL, u"one quintillion", u"one quintillionth"},
        {std::numeric_limits<uint64_t>::max(),
         u"eighteen quintillion four hundred forty-six quadrillion seven hundred forty-four trillion seventy-three "
         u"billion seven hundred nine million five hundred fifty-one thousand six hundred fifteen",
         u"eighteen quintillion four hundred forty-six quadrillion seven hundred forty-four trillion seventy-three "
         u"billion seven hundred nine million five hundred fifty-one thousand six hundred fifteenth"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(cardinalEnglishText(c.value), c.cardinal);
        EXPECT_EQ(ordinalEnglishText(c.value), c.ordinal);
    }
}

TEST(EnglishNumberTextTest, OrdinalSuffixes)
{
    const std::pair<uint64_t, std::u16string_view> cases[] = {
        {0, u"th"},  {1, u"st"},  {2, u"nd"},   {3, u"rd"},   {4, u"th"},   {11, u"th"},   {12, u"th"},
        {13, u"th"}, {21, u"st"}, {22, u"nd"}, {101, u"st"}, {111, u"th"}, {112, u"th"}, {1003, u"rd"},
    };
    for (const auto& [value, suffix] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(englishOrdinalSuffix(value), suffix);
    }
}

TEST(EnglishNumberTextTest, DollarText)
{
    struct Case {
        double value;
        std::u16string expected;
    };
    const Case cases[] = {
        {123.45, u"one hundred twenty-three and 45/100"},
        {7.0, u"seven and 00/100"},
        {0.0, u"zero and 00/100"},
        {0.05, u"zero and 05/100"},
        {0.125, u"zero and 12/100"},
        {0.375, u"zero and 38/100"},
        {1.999, u"two and 00/100"},
        {999999.99, u"nine hundred ninety-nine thousand nine hundred ninety-nine and 99/100"},
        {-1.0, u""},
        {1e19, u""},
        {NAN, u""},
        {INFINITY, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(englishDollarText(c.value), c.expected);
    }
}

} // namespace
} // namespace velmo::model
