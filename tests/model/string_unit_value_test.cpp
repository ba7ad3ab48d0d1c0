#include "model/string_unit_value.h"

#include "core/editor_exception.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(StringUnitValueParserTest, NumbersAndSuffixes)
{
    struct Case {
        const char* name;
        std::u16string text;
        Unit expected;
    };
    const Case cases[] = {
        {"points with a fraction", u"12.5pt", {12.5f, UnitType::Point}},
        {"a bare number is pixels", u"10", {10.0f, UnitType::Pixel}},
        {"pixels are whole", u"10.7px", {10.0f, UnitType::Pixel}},
        {"em", u"3em", {3.0f, UnitType::Em}},
        {"upper-case suffix", u"2IN", {2.0f, UnitType::Inch}},
        {"percentage", u"50%", {50.0f, UnitType::Percentage}},
        {"negative centimetres", u"-1.5cm", {-1.5f, UnitType::Centimeter}},
        {"a number that does not parse is 0 pixels", u"1.2.3mm", {0.0f, UnitType::Pixel}},
        {"empty text", u"", {0.0f, UnitType::Pixel}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StringUnitValueParser::parseUnit(c.text), c.expected);
    }
    EXPECT_EQ(StringUnitValueParser::parseVmlUnit(u"635"), (Unit{635.0f, UnitType::Emu}));
    EXPECT_EQ(StringUnitValueParser::parseVmlUnit(u"pt"), (Unit{0.0f, UnitType::Emu})) << "no number: EMU 0";
    EXPECT_EQ(StringUnitValueParser::parseRotationUnit(u"90"), (Unit{90.0f, UnitType::Degree}));
    EXPECT_EQ(StringUnitValueParser::parseRotationUnit(u"16384FD"), (Unit{16384.0f, UnitType::FixedDegree}));
    EXPECT_EQ(formatVmlUnit(Unit{12.0f, UnitType::Pixel}), u"12px");
    EXPECT_EQ(formatVmlUnit(Unit{1.5f, UnitType::Point}), u"1.5pt");
    EXPECT_EQ(formatVmlUnit(Unit{9525.0f, UnitType::Emu}), u"9525");
}

TEST(StringUnitValueParserTest, UnknownSuffixesAndValuesOutOfBoundsAreErrors)
{
    try {
        (void)StringUnitValueParser::parseUnit(u"5q");
        FAIL() << "no error";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "'5q' is not a valid value for 'UnitType'");
    }
    EXPECT_THROW((void)StringUnitValueParser::parseVmlUnit(u"3em"), core::EditorException) << "em is no drawing unit";
    EXPECT_THROW((void)StringUnitValueParser::parseUnit(u"40000pt"), core::EditorException);
    EXPECT_EQ(StringUnitValueParser::parseUnit(u"40000pt", -1e6f, 1e6f).value, 40000.0f) << "callers may widen the bounds";
}

} // namespace
} // namespace velmo::model
