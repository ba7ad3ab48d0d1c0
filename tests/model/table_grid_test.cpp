#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/tables/table.h"
#include "model/tables/table_border_calculator.h"
#include "model/tables/table_grid_calculator.h"
#include "model/tables/table_style_resolution.h"
#include "model/tables/table_widths_calculator.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmo::model {
namespace {

/// Ten layout units per character: the widest word is the minimum, the whole line the maximum.
class CharacterCountMeasurer final : public ITableCellContentMeasurer {
public:
    ParagraphContentWidths measureParagraph(const PieceTable& pieceTable, ParagraphIndex paragraphIndex) const override
    {
        const Paragraph& paragraph = pieceTable.paragraph(paragraphIndex);
        std::u16string text;
        for (RunIndex run = paragraph.firstRunIndex(); run < paragraph.lastRunIndex(); ++run)
            text += pieceTable.runText(run);
        int32_t widestWord = 0;
        int32_t word = 0;
        for (const char16_t character : text) {
            word = character == u' ' ? 0 : word + 1;
            widestWord = std::max(widestWord, word);
        }
        return {widestWord * 10, static_cast<int32_t>(text.size()) * 10};
    }
};

WidthUnitInfo twips(int32_t value)
{
    return {WidthUnitType::ModelUnits, value};
}

WidthUnitInfo percent(int32_t fiftieths)
{
    return {WidthUnitType::FiftiethsOfPercent, fiftieths};
}

class TableGridTest : public ::testing::Test {
protected:
    /// A table at the start of the story with the given texts per row; no cell margins.
    Table& makeTable(const std::vector<std::vector<std::u16string>>& rows)
    {
        const auto cellCount = static_cast<int32_t>(rows.front().size());
        Table& table = story().insertTable(DocumentLogPosition(0), static_cast<int32_t>(rows.size()), cellCount);
        for (int32_t row = static_cast<int32_t>(rows.size()) - 1; row >= 0; --row) {
            for (int32_t cell = cellCount - 1; cell >= 0; --cell) {
                const std::u16string& text = rows[static_cast<size_t>(row)][static_cast<size_t>(cell)];
                if (!text.empty())
                    story().insertText(story().paragraph(table.cell(row, cell)->startParagraphIndex()).logPosition(), text);
            }
        }
        table.changeProperties([](TablePropertiesInfo& properties) {
            properties.cellMargins = {twips(0), twips(0), twips(0), twips(0)};
            properties.use(TablePropertiesOptions::UseLeftMargin);
            properties.use(TablePropertiesOptions::UseRightMargin);
        });
        return table;
    }

    std::vector<int32_t> grid(const Table& table, int32_t maxWidth, int32_t percentBase, bool extend = false) const
    {
        const TableWidthsCalculator widths(measurer_, [](int32_t value) { return value; });
        const TableGrid& result = TableGridCalculator(widths, maxWidth, extend).calculateTableGrid(table, percentBase);
        std::vector<int32_t> columns;
        for (const TableGridColumn& column : result.columns)
            columns.push_back(column.width);
        return columns;
    }

    static void setCellWidth(Table& table, int32_t row, int32_t cell, WidthUnitInfo width)
    {
        table.cell(row, cell)->changeProperties([width](TableCellPropertiesInfo& properties) {
            properties.preferredWidth = width;
            properties.use(TableCellPropertiesOptions::UsePreferredWidth);
        });
    }
    static void setTableWidth(Table& table, WidthUnitInfo width)
    {
        table.changeProperties([width](TablePropertiesInfo& properties) {
            properties.preferredWidth = width;
            properties.use(TablePropertiesOptions::UsePreferredWidth);
        });
    }

    PieceTable& story() { return document_.mainPieceTable(); }

    DocumentModel document_;
    CharacterCountMeasurer measurer_;
};

TEST_F(TableGridTest, FixedPercentAndAutoWidths)
{
    Table& fixed = makeTable({{u"a", u"b"}});
    setCellWidth(fixed, 0, 0, twips(1000));
    setCellWidth(fixed, 0, 1, twips(2000));
    EXPECT_EQ(grid(fixed, 10000, 10000), (std::vector<int32_t>{1000, 2000}));

    setTableWidth(fixed, percent(5000));
    setCellWidth(fixed, 0, 0, percent(1250));
    setCellWidth(fixed, 0, 1, percent(3750));
    EXPECT_EQ(grid(fixed, 8000, 8000), (std::vector<int32_t>{2000, 6000})) << "25 % and 75 % of 8000";

    story().removeTableStructure(fixed);
    Table& automatic = makeTable({{u"aaaa", u"bb bbbbbb"}});
    EXPECT_EQ(grid(automatic, 10000, 10000), (std::vector<int32_t>{40, 90})) << "each column as wide as its content";
}

TEST_F(TableGridTest, PercentsOverAHundredAreClippedInColumnOrder)
{
    Table& table = makeTable({{u"a", u"b"}});
    setTableWidth(table, percent(5000));
    setCellWidth(table, 0, 0, percent(3000));
    setCellWidth(table, 0, 1, percent(3000));
    EXPECT_EQ(grid(table, 10000, 10000), (std::vector<int32_t>{6000, 4000})) << "60 %, then only the 40 % left";
}

TEST_F(TableGridTest, ASpanningFixedCellSharesItsRestWithUnsetColumns)
{
    // Row 0: one cell spanning both columns, 3000 wide; row 1: a 1000-wide cell and an unset one.
    for (int32_t count = 0; count < 3; ++count)
        story().insertParagraph(DocumentLogPosition(0));
    auto built = std::make_unique<Table>(story(), nullptr);
    built->appendRow().appendCell(ParagraphIndex(0), ParagraphIndex(0));
    TableRow& second = built->appendRow();
    second.appendCell(ParagraphIndex(1), ParagraphIndex(1));
    second.appendCell(ParagraphIndex(2), ParagraphIndex(2));
    Table& table = story().tableCellsManager().insertTable(std::move(built));
    table.cell(0, 0)->changeProperties([](TableCellPropertiesInfo& properties) { properties.columnSpan = 2; });
    setCellWidth(table, 0, 0, twips(3000));
    setCellWidth(table, 1, 0, twips(1000));
    EXPECT_EQ(grid(table, 10000, 10000), (std::vector<int32_t>{1000, 2000}));
    expectSound(document_);
}

TEST_F(TableGridTest, MinimumWidthsWiderThanThePage)
{
    const std::u16string word(50, u'w'); // 500 units that cannot be broken
    Table& table = makeTable({{word, word, word}});
    EXPECT_EQ(grid(table, 900, 900), (std::vector<int32_t>{300, 300, 300})) << "in proportion to the minimums";
    table.resetCachedLayoutInfo();
    EXPECT_EQ(grid(table, 900, 900, true), (std::vector<int32_t>{500, 500, 500})) << "allowed into the margins";
}

TEST_F(TableGridTest, AutoColumnsShrinkIntoTheAvailableWidth)
{
    // Maximums 200 and 600, minimums 50 and 60: 400 of excess taken by (max - min): 150 and 540.
    Table& table = makeTable({{u"aaaaa aaaaa aaaaa aaaaa", u"bbbbbb bbbbbb bbbbbb bbbbbb bbbbbb bbbbbb bbbbbb bbbbbb bbbbb"}});
    const std::vector<int32_t> columns = grid(table, 400, 400);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0] + columns[1], 400);
    EXPECT_GE(columns[0], 50);
    EXPECT_GE(columns[1], 60);
    EXPECT_LT(columns[0], columns[1]);
}

TEST_F(TableGridTest, ANestedTableIsUnbreakableContentOfItsCell)
{
    Table& outer = makeTable({{u"", u"z"}});
    // Three paragraphs in the first cell, the middle one made a nested table of two cells.
    const DocumentLogPosition start = story().paragraph(outer.cell(0, 0)->startParagraphIndex()).logPosition();
    story().insertParagraph(start);
    story().insertParagraph(start);
    (void)story().createTable(ParagraphIndex(1), 1, 1);
    story().insertText(story().paragraph(ParagraphIndex(1)).logPosition(), u"nested text");
    const std::vector<int32_t> columns = grid(outer, 10000, 10000);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[0], 110 + 2 * 108) << "the nested table's width: 11 characters and its own default cell margins";
    EXPECT_EQ(columns[1], 10);
    expectSound(document_);
}

TEST_F(TableGridTest, DegenerateWidthsNeverDivideByZero)
{
    Table& table = makeTable({{u"", u""}, {u"", u""}});
    setTableWidth(table, percent(0));
    setCellWidth(table, 0, 0, percent(0));
    setCellWidth(table, 1, 1, twips(0));
    for (const int32_t width : grid(table, 0, 0))
        EXPECT_GE(width, 1);
    table.resetCachedLayoutInfo();
    setTableWidth(table, twips(500));
    table.changeProperties([](TablePropertiesInfo& properties) {
        properties.generalSettings.tableLayout = TableLayoutType::Fixed;
        properties.use(TablePropertiesOptions::UseTableLayout);
    });
    const std::vector<int32_t> fixed = grid(table, 0, 0);
    EXPECT_EQ(fixed[0] + fixed[1], 500) << "a fixed table takes exactly its width";
}

TEST_F(TableGridTest, TheGridIsCachedUntilTheTableChanges)
{
    Table& table = makeTable({{u"abc"}});
    EXPECT_EQ(grid(table, 1000, 1000), (std::vector<int32_t>{30}));
    story().insertText(story().paragraph(ParagraphIndex(0)).logPosition(), u"longer ");
    EXPECT_EQ(grid(table, 1000, 1000), (std::vector<int32_t>{30})) << "text edits do not reach the cached grid";
    story().insertParagraph(story().paragraph(ParagraphIndex(0)).logPosition());
    EXPECT_EQ(grid(table, 1000, 1000), (std::vector<int32_t>{100})) << "a new paragraph in the cell resets it";
}

TEST(TableBorderCalculatorTest, WidthsLinesAndWeights)
{
    using S = BorderLineStyle;
    const struct {
        BorderLineStyle style;
        int32_t lines;
        int32_t weight;
        int32_t widthOf80;
    } cases[] = {
        {S::Single, 1, 2, 80},           {S::Double, 2, 8, 240},          {S::Triple, 3, 27, 400},
        {S::ThinThickSmallGap, 2, 20, 100}, {S::ThinThickThinLargeGap, 3, 54, 200}, {S::ThreeDEmboss, 2, 46, 120},
        {S::None, 0, 0, 0},               {S::Apples, 0, 0, 0},            {S::Disabled, 0, INT32_MAX, 0},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(static_cast<int>(testCase.style));
        EXPECT_EQ(TableBorderCalculator::lineCount(testCase.style), testCase.lines);
        EXPECT_EQ(TableBorderCalculator::weight(testCase.style), testCase.weight);
        EXPECT_EQ(TableBorderCalculator::actualWidth(testCase.style, 80), testCase.widthOf80);
    }
}

TEST(TableBorderCalculatorTest, CompetingBorders)
{
    const BorderInfo none{};
    const BorderInfo single{BorderLineStyle::Single, opaqueColor(255, 0, 0), 10};
    const BorderInfo thick{BorderLineStyle::Thick, opaqueColor(255, 0, 0), 10};
    const BorderInfo doubleLine{BorderLineStyle::Double, opaqueColor(255, 0, 0), 10};
    const BorderInfo darkSingle{BorderLineStyle::Single, opaqueColor(0, 0, 0), 10};
    EXPECT_EQ(TableBorderCalculator::chooseBorder(none, single), 1) << "a missing border loses";
    EXPECT_EQ(TableBorderCalculator::chooseBorder(single, doubleLine), 1) << "the heavier wins";
    EXPECT_EQ(TableBorderCalculator::chooseBorder(thick, single), 0) << "same weight class: the higher style";
    EXPECT_EQ(TableBorderCalculator::chooseBorder(single, darkSingle), 1) << "same style: the darker";
    EXPECT_EQ(TableBorderCalculator::chooseBorder(single, single), 0) << "a full tie keeps the first";
}

} // namespace
} // namespace velmo::model
