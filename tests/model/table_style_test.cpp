#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/tables/table.h"
#include "model/tables/table_normalization.h"
#include "model/tables/table_style.h"
#include "model/tables/table_style_resolution.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace velmo::model {
namespace {

using Part = ConditionalTableStyleFormattingType;

class TableStyleTest : public ::testing::Test {
protected:
    Table& makeTable(int32_t rows, int32_t cells) { return document_.mainPieceTable().insertTable(DocumentLogPosition(0), rows, cells); }

    /// A new table style with the given conditional parts, each setting the character formatting `configure` gives.
    int32_t addStyle(const std::vector<Part>& parts)
    {
        auto style = std::make_unique<TableStyle>(document_, u"Test Style " + std::u16string(1, static_cast<char16_t>(u'A' + styleCount_++)));
        for (const Part part : parts)
            (void)style->formattingCore(part);
        return document_.styles().tableStyles().append(std::move(style));
    }

    static void setLook(Table& table, TableLookType look, int32_t rowBandSize = 1)
    {
        table.changeProperties([&](TablePropertiesInfo& properties) {
            properties.generalSettings.tableLook = look;
            properties.generalSettings.tableStyleRowBandSize = rowBandSize;
            properties.use(TablePropertiesOptions::UseTableLook);
            properties.use(TablePropertiesOptions::UseTableStyleRowBandSize);
        });
    }

    DocumentModel document_;
    int styleCount_ = 0;
};

TEST_F(TableStyleTest, RowTypes)
{
    using R = ConditionalRowType;
    using L = TableLookType;
    const struct {
        const char* name;
        std::vector<Part> parts;
        TableLookType look;
        int32_t bandSize;
        std::vector<ConditionalRowType> expected;
    } cases[] = {
        {"first row asked but the style has none: banding starts at row 0", {}, L::ApplyFirstRow, 1,
         {R::OddRowBand, R::EvenRowBand, R::OddRowBand, R::EvenRowBand, R::OddRowBand}},
        {"first row, bands of two", {Part::FirstRow}, L::ApplyFirstRow, 2,
         {R::FirstRow, R::OddRowBand, R::OddRowBand, R::EvenRowBand, R::EvenRowBand}},
        {"first and last row", {Part::FirstRow, Part::LastRow}, L::ApplyFirstRow | L::ApplyLastRow, 1,
         {R::FirstRow, R::OddRowBand, R::EvenRowBand, R::OddRowBand, R::LastRow}},
        {"no banding", {Part::FirstRow}, L::ApplyFirstRow | L::DoNotApplyRowBanding, 1,
         {R::FirstRow, R::Normal, R::Normal, R::Normal, R::Normal}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        Table& table = makeTable(5, 2);
        table.setStyleIndex(addStyle(testCase.parts));
        setLook(table, testCase.look, testCase.bandSize);
        std::vector<ConditionalRowType> types;
        table.forEachRow([&](const TableRow& row) { types.push_back(conditionalRowType(row)); });
        EXPECT_EQ(types, testCase.expected);
    }
}

TEST_F(TableStyleTest, TheCornerComesBeforeTheFirstRow)
{
    Table& table = makeTable(2, 2);
    const int32_t styleIndex = addStyle({Part::TopLeftCell, Part::FirstRow, Part::FirstColumn});
    TableStyle& style = document_.styles().tableStyles()[styleIndex];
    auto& characters = document_.cache().characterFormattingCache();
    CharacterFormattingBase corner = characters[0];
    corner.setFontBold(true);
    CharacterFormattingBase firstRow = characters[0];
    firstRow.setFontBold(false);
    firstRow.setFontItalic(true);
    style.formattingCore(Part::TopLeftCell).characterPropertiesIndex = characters.add(corner);
    style.formattingCore(Part::FirstRow).characterPropertiesIndex = characters.add(firstRow);
    table.setStyleIndex(styleIndex);
    setLook(table, TableLookType::ApplyFirstRow | TableLookType::ApplyFirstColumn);

    PieceTable& story = document_.mainPieceTable();
    for (const auto& [row, cell] : {std::pair{1, 1}, std::pair{0, 1}, std::pair{0, 0}})
        story.insertText(story.paragraph(table.cell(row, cell)->startParagraphIndex()).logPosition(), u"x");
    document_.resetFormattingCaches();
    auto formattingOf = [&](int32_t row, int32_t cell) {
        return story.mergedCharacterFormatting(story.paragraph(table.cell(row, cell)->startParagraphIndex()).firstRunIndex());
    };
    EXPECT_TRUE(formattingOf(0, 0).fontBold()) << "the corner's bold";
    EXPECT_TRUE(formattingOf(0, 0).fontItalic()) << "the first row's italic, which the corner does not set";
    EXPECT_FALSE(formattingOf(0, 1).fontBold());
    EXPECT_TRUE(formattingOf(0, 1).fontItalic());
    EXPECT_FALSE(formattingOf(1, 1).fontItalic());
}

TEST_F(TableStyleTest, CellBordersComeFromTheTableStyle)
{
    Table& table = makeTable(2, 2);
    table.setStyleIndex(document_.styles().tableStyles().styleIndexByName(u"Table Simple 1"));
    for (const TableBorderEdge edge : {TableBorderEdge::Left, TableBorderEdge::Right, TableBorderEdge::Top, TableBorderEdge::Bottom}) {
        EXPECT_EQ(actualCellBorder(*table.cell(0, 0), edge).style, BorderLineStyle::Single);
        EXPECT_EQ(actualCellBorder(*table.cell(0, 0), edge).width, 10);
    }
    EXPECT_EQ(actualCellMargin(*table.cell(1, 1), TableBorderEdge::Left).value, 108);
    table.cell(1, 1)->changeProperties([](TableCellPropertiesInfo& properties) {
        properties.borders[static_cast<size_t>(TableBorderEdge::Top)] = {BorderLineStyle::Double, 0, 30};
        properties.use(TableCellPropertiesOptions::UseTopBorder);
    });
    EXPECT_EQ(actualCellBorder(*table.cell(1, 1), TableBorderEdge::Top).style, BorderLineStyle::Double) << "the cell's own first";
}

TEST_F(TableStyleTest, InvalidVerticalMergesAreRepaired)
{
    using M = MergingState;
    const struct {
        const char* name;
        std::vector<MergingState> column; // top to bottom
        std::vector<MergingState> expected;
    } cases[] = {
        {"a restart nothing continues", {M::Restart, M::None, M::None}, {M::None, M::None, M::None}},
        {"a continue in the first row", {M::Continue, M::Continue, M::None}, {M::None, M::None, M::None}},
        {"a continue under a plain cell starts a merge", {M::None, M::Continue, M::Continue}, {M::None, M::Restart, M::Continue}},
        {"a continue under a plain cell", {M::None, M::Continue, M::None}, {M::None, M::None, M::None}},
        {"a restart in the last row", {M::None, M::None, M::Restart}, {M::None, M::None, M::None}},
        {"a sound merge stays", {M::Restart, M::Continue, M::Continue}, {M::Restart, M::Continue, M::Continue}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        Table& table = makeTable(3, 1);
        for (int32_t row = 0; row < 3; ++row) {
            const MergingState state = testCase.column[static_cast<size_t>(row)];
            table.cell(row, 0)->changeProperties([state](TableCellPropertiesInfo& properties) { properties.verticalMerging = state; });
        }
        removeInvalidVerticalSpans(table);
        for (int32_t row = 0; row < 3; ++row)
            EXPECT_EQ(table.cell(row, 0)->verticalMerging(), testCase.expected[static_cast<size_t>(row)]) << "row " << row;
    }
}

TEST_F(TableStyleTest, RaggedRowsArePaddedToOneGrid)
{
    PieceTable& story = document_.mainPieceTable();
    for (int32_t count = 0; count < 3; ++count)
        story.insertParagraph(DocumentLogPosition(0));
    auto built = std::make_unique<Table>(story, nullptr);
    TableRow& first = built->appendRow();
    first.appendCell(ParagraphIndex(0), ParagraphIndex(0));
    first.appendCell(ParagraphIndex(1), ParagraphIndex(1));
    built->appendRow().appendCell(ParagraphIndex(2), ParagraphIndex(2));
    Table& table = story.tableCellsManager().insertTable(std::move(built));
    normalizeCellColumnSpans(table);
    EXPECT_EQ(table.row(0).gridAfter(), 0);
    EXPECT_EQ(table.row(1).gridAfter(), 1);
    expectSound(document_);
}

} // namespace
} // namespace velmo::model
