#include "core/culture.h"
#include "model/fields/field_format_error.h"
#include "model/fields/mathematical_calculator.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(MathematicalCalculatorTest, ExpressionsFollowPriorityAndAssociation)
{
    struct Case {
        const char* culture;
        std::u16string expression;
        double expected;
    };
    const Case cases[] = {
        {"en-US", u"1+2*3", 7},       {"en-US", u"(1+2)*3", 9},    {"en-US", u"2^3^2", 512},
        {"en-US", u"-2^2", 4},        {"en-US", u"2^-1", 0.5},     {"en-US", u"10%", 0.1},
        {"en-US", u"50%*4", 2},       {"en-US", u"7/2", 3.5},      {"en-US", u"1 - -1", 2},
        {"en-US", u" 4\u2003", 4},    {"en-US", u"8-2-1", 5},      {"en-US", u"1.5+1.5", 3},
        {"de-DE", u"1,5+1", 2.5},     {"en-US", u"((2))", 2},      {"en-US", u"12/4/3", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.culture) + " case " + std::to_string(&c - cases));
        const core::Culture culture(c.culture);
        EXPECT_DOUBLE_EQ(MathematicalCalculator(culture).calculate(c.expression), c.expected);
    }
}

TEST(MathematicalCalculatorTest, BrokenExpressionsFailWithTheirMessages)
{
    struct Case {
        std::u16string expression;
        const char* message;
    };
    const Case cases[] = {
        {u"1 2", "!Missing operator."},          {u"2(3)", "!Missing operator."},
        {u"1+", "!Unexpected end of formula."},  {u"(1+2", "!Unexpected end of formula."},
        {u"1+2)", "!Unexpected end of formula."}, {u"", "!Unexpected end of formula."},
        {u"()", "!Unexpected end of formula."},  {u"1/0", "!Zero divide."},
        {u"1/(2-2)", "!Zero divide."},           {u"1 & 2", "Syntax Error, &."},
        {u"5%%", "Syntax Error, %."},            {u"*2", "Syntax Error, *."},
        {u"1.2.3", "Syntax Error, 1.2.3."},      {u"abc", "Syntax Error, a."},
    };
    const core::Culture culture("en-US");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message + std::string(" case ") + std::to_string(&c - cases));
        try {
            (void)MathematicalCalculator(culture).calculate(c.expression);
            ADD_FAILURE() << "no error";
        } catch (const FieldFormatError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

} // namespace
} // namespace velmo::model
