#include "core/unicode_text.h"
#include "model/fields/calculated_field_base.h"
#include "model/fields/field_calculator_service.h"
#include "model/fields/field_scanner.h"
#include "model/fields/instruction_collection.h"
#include "field_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

/// The tokens of the code of the story's last field, as "T:text", "Q:quoted", "S:\\f" or
/// "N:nested result", separated by blanks; the type first, as "kind:NAME".
std::string scan(std::u16string_view markup)
{
    DocumentModel document;
    PieceTable& story = document.mainPieceTable();
    appendFieldMarkup(story, markup);
    const Field& field = story.fields()[story.fields().count() - 1];
    FieldScanner scanner(story, field);
    const std::optional<FieldTypeToken> type = scanner.scanFirstToken();
    if (!type)
        return "none";
    std::string text = std::to_string(static_cast<int>(type->kind)) + ":" + core::utf16ToUtf8(type->name);
    while (const std::optional<FieldToken> token = scanner.scanNextToken()) {
        static constexpr const char* kPrefixes[] = {"T:", "Q:", "S:", "N:"};
        text += std::string(" ") + kPrefixes[static_cast<int>(token->kind)] + core::utf16ToUtf8(token->text);
    }
    return text;
}

TEST(FieldScannerTest, CodesBecomeTypeArgumentsAndSwitches)
{
    struct Case {
        const char* name;
        std::u16string markup;
        std::string expected;
    };
    // Kinds: 0 unrecognised, 1 formula, 2 field, 3 summary property, 7 equation.
    const Case cases[] = {
        {"picture in quotes", u"{ DATE  \\@ \"dddd, MMMM d\" |}", "2:DATE S:\\@ Q:dddd, MMMM d"},
        {"name upper-cased, switch glued", u"{mergefield Name\\b \"Dear \"|}", "2:MERGEFIELD T:Name S:\\b Q:Dear "},
        {"switch letters lower-cased, at most two", u"{SEQ fig \\F \\abc|}", "2:SEQ T:fig S:\\f S:\\ab T:c"},
        {"fixed switches", u"{PAGE \\*roman \\# 0 \\!|}", "2:PAGE S:\\* T:roman S:\\# T:0 S:\\!"},
        {"formula", u"{= 2 + 3|}", "1:= T:2 T:+ T:3"},
        {"equation", u"{EQ \\f(1,2)|}", "7:EQ S:\\f T:(1,2)"},
        {"document property", u"{AUTHOR|}", "3:AUTHOR"},
        {"unknown name still names the type", u"{FOO bar|}", "0:FOO T:bar"},
        {"nested fields give their results", u"{IF {DOCVARIABLE x|yes} = \"a{PAGE|7}b\"|}", "2:IF N:yes T:= Q:a7b"},
        {"every kind of blank separates", u"{A\u00A0B\u3000C\tD\vE|}", "0:A T:B T:C T:D T:E"},
        {"an unclosed quote runs to the end", u"{TC \"open text|}", "2:TC Q:open text"},
        {"a blank code names nothing", u"{  |}", "none"},
        {"a code that starts with a field names nothing", u"{{PAGE|1}|}", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(scan(c.markup), c.expected);
    }
}

class InstructionCollectionTest : public ::testing::Test {
protected:
    const InstructionCollection& parse(std::u16string_view markup)
    {
        appendFieldMarkup(story(), markup);
        const Field& field = story().fields()[story().fields().count() - 1];
        calculated_ = document_.fieldCalculatorService().parseField(story(), field);
        EXPECT_NE(calculated_, nullptr);
        return calculated_->instructions();
    }
    PieceTable& story() { return document_.mainPieceTable(); }

    DocumentModel document_;
    std::unique_ptr<CalculatedFieldBase> calculated_;
};

TEST_F(InstructionCollectionTest, SwitchesTakeArgumentsOnlyWhereTheTypeSaysSo)
{
    const InstructionCollection& seq = parse(u"{SEQ fig \\r 10 \\c 5 \\* roman \\* Upper \\s|}");
    ASSERT_EQ(seq.argumentCount(), 2);
    EXPECT_EQ(seq.argumentText(0), u"fig");
    EXPECT_EQ(seq.argumentText(1), u"5"); // \c takes no argument
    EXPECT_EQ(seq.argumentText(2), u"");
    EXPECT_EQ(seq.intValue(u"\\r"), 10);
    EXPECT_TRUE(seq.hasSwitch(u"\\c"));
    EXPECT_EQ(seq.stringValue(u"\\c"), u"");
    EXPECT_EQ(seq.stringValue(u"\\x"), std::nullopt);
    EXPECT_EQ(seq.stringValues(u"\\*"), (std::vector<std::u16string>{u"roman", u"Upper"}));
    EXPECT_EQ(seq.stringValue(u"\\*"), u"Upper"); // the last occurrence
    EXPECT_EQ(seq.stringValue(u"\\s"), u"");       // takes one, but none follows
    EXPECT_EQ(seq.nullableIntValue(u"\\s"), std::nullopt);
}

TEST_F(InstructionCollectionTest, ArgumentsKnowWhereTheyLie)
{
    // Positions: { 0, "MERGEFIELD x \b " 1-16, quote 17, "Dear " 18-22, quote 23.
    const InstructionCollection& merge = parse(u"{MERGEFIELD x \\b \"Dear \"|}");
    EXPECT_EQ(merge.argumentInterval(0), (DocumentLogInterval{DocumentLogPosition(12), 1}));
    EXPECT_EQ(merge.switchArgumentInterval(u"\\b"), (DocumentLogInterval{DocumentLogPosition(18), 5}));
    EXPECT_EQ(merge.switchArgumentInterval(u"\\b", true), (DocumentLogInterval{DocumentLogPosition(17), 7}));
    EXPECT_EQ(merge.switchArgumentInterval(u"\\f"), std::nullopt);
}

TEST(FieldIntegerTest, OnlyPlainWholeNumbersRead)
{
    EXPECT_EQ(parseFieldInteger(u"42"), 42);
    EXPECT_EQ(parseFieldInteger(u"+7"), 7);
    EXPECT_EQ(parseFieldInteger(u"-3"), -3);
    EXPECT_EQ(parseFieldInteger(u"4x"), std::nullopt);
    EXPECT_EQ(parseFieldInteger(u""), std::nullopt);
    EXPECT_EQ(parseFieldInteger(u"99999999999"), std::nullopt);
}

} // namespace
} // namespace velmo::model
