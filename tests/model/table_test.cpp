#include "core/editor_exception.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/tables/table.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

class TableStructureTest : public ::testing::Test {
protected:
    /// A story of `count` paragraphs "p0", "p1", ...
    void writeParagraphs(int32_t count)
    {
        for (int32_t index = 0; index < count; ++index) {
            if (index > 0)
                story().insertParagraph(story().documentEndLogPosition());
            story().insertText(story().documentEndLogPosition(), u"p" + std::u16string(1, static_cast<char16_t>(u'0' + index % 10)));
        }
    }
    PieceTable& story() { return document_.mainPieceTable(); }
    TableCellsManager& cells() { return story().tableCellsManager(); }
    static std::pair<int32_t, int32_t> range(const TableCell& cell)
    {
        return {cell.startParagraphIndex().value(), cell.endParagraphIndex().value()};
    }

    DocumentModel document_;
};

TEST_F(TableStructureTest, CellsFollowParagraphsInsertedAndRemoved)
{
    writeParagraphs(20);
    Table& table = story().createTable(ParagraphIndex(10), 2, 3);
    EXPECT_EQ(table.startParagraphIndex(), ParagraphIndex(10));
    EXPECT_EQ(table.endParagraphIndex(), ParagraphIndex(15));
    EXPECT_EQ(cells().cell(ParagraphIndex(13)), table.cell(1, 0));
    EXPECT_EQ(cells().cell(ParagraphIndex(9)), nullptr);
    EXPECT_EQ(cells().cell(ParagraphIndex(16)), nullptr);

    // Enter in the first cell: it grows to two paragraphs and every later cell moves down.
    story().insertParagraph(story().paragraph(ParagraphIndex(10)).logPosition() + 1);
    EXPECT_EQ(range(*table.cell(0, 0)), std::make_pair(10, 11));
    EXPECT_EQ(range(*table.cell(0, 1)), std::make_pair(12, 12));
    EXPECT_EQ(range(*table.cell(1, 2)), std::make_pair(16, 16));
    expectSound(document_);

    document_.history().undo();
    EXPECT_EQ(range(*table.cell(0, 0)), std::make_pair(10, 10));
    EXPECT_EQ(range(*table.cell(1, 2)), std::make_pair(15, 15));
    document_.history().undo(); // the table itself
    EXPECT_EQ(cells().tableCount(), 0);
    EXPECT_EQ(cells().cell(ParagraphIndex(12)), nullptr);
    document_.history().redo();
    EXPECT_EQ(cells().tableCount(), 1);
    expectSound(document_);
}

TEST_F(TableStructureTest, InsertTableSplitsTheParagraphAndAddsEmptyCells)
{
    writeParagraphs(2); // "p0", "p1"
    Table& table = story().insertTable(DocumentLogPosition(4), 2, 2); // inside "p1", after "p"
    EXPECT_EQ(story().storyText(), u"p0\rp\r\r\r\r\r1\r");
    EXPECT_EQ(table.startParagraphIndex(), ParagraphIndex(2));
    EXPECT_EQ(table.endParagraphIndex(), ParagraphIndex(5));
    expectSound(document_);
    EXPECT_THROW(story().insertTable(DocumentLogPosition(0), 0, 2), core::EditorException);
}

TEST_F(TableStructureTest, DeletingAcrossCellsKeepsTheCellsAndDeletingTheWholeTableRemovesIt)
{
    writeParagraphs(2);
    Table& table = story().insertTable(DocumentLogPosition(3), 1, 2); // before "p1"
    story().insertText(DocumentLogPosition(3), u"left");
    story().insertText(DocumentLogPosition(8), u"right");
    ASSERT_EQ(story().storyText(), u"p0\rleft\rright\rp1\r");
    const std::string before = dumpDocument(document_);

    story().deleteContent(DocumentLogPosition(5), 5); // "ft\rri"
    EXPECT_EQ(story().storyText(), u"p0\rle\rght\rp1\r") << "the mark between the cells stays";
    EXPECT_EQ(cells().tableCount(), 1);
    expectSound(document_);
    document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), before);

    story().deleteContent(DocumentLogPosition(1), 13); // from inside "p0" to the start of "p1"
    EXPECT_EQ(story().storyText(), u"pp1\r");
    EXPECT_EQ(cells().tableCount(), 0);
    expectSound(document_);
    document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
    EXPECT_EQ(&table, cells().tables().front().get()) << "undo brings back the same table";
}

TEST_F(TableStructureTest, NestedTablesAndTheirLimit)
{
    writeParagraphs(4);
    Table& outer = story().createTable(ParagraphIndex(0), 1, 1);
    // Make the outer cell hold paragraphs 0..2, then lay a table over paragraph 1.
    story().insertParagraph(DocumentLogPosition(1));
    story().insertParagraph(DocumentLogPosition(1));
    ASSERT_EQ(range(outer.firstRow().firstCell()), std::make_pair(0, 2));
    Table& inner = story().createTable(ParagraphIndex(1), 1, 1);
    EXPECT_EQ(inner.nestedLevel(), 1);
    EXPECT_EQ(inner.parentCell(), &outer.firstRow().firstCell());
    EXPECT_EQ(cells().cell(ParagraphIndex(1)), &inner.firstRow().firstCell());
    EXPECT_EQ(cells().cellByNestingLevel(ParagraphIndex(1), 0), &outer.firstRow().firstCell());
    expectSound(document_);

    // Undoing the outer table's creation while the inner one stays lifts the inner one up.
    story().removeTableStructure(outer);
    EXPECT_EQ(inner.nestedLevel(), 0);
    document_.history().undo();
    EXPECT_EQ(inner.nestedLevel(), 1);
    expectSound(document_);

    // Every level needs its own paragraph; the deepest allowed level is 63.
    DocumentModel deep;
    PieceTable& story = deep.mainPieceTable();
    for (int32_t index = 0; index < kMaxTableNestingLevel; ++index)
        story.insertParagraph(DocumentLogPosition(0));
    for (int32_t level = 0; level < kMaxTableNestingLevel; ++level)
        story.tableCellsManager().insertTable(story.tableCellsManager().createTableCore(ParagraphIndex(0), 1, 1));
    EXPECT_EQ(story.tableCellsManager().cell(ParagraphIndex(0))->table().nestedLevel(), kMaxTableNestingLevel - 1);
    EXPECT_THROW((void)story.tableCellsManager().createTableCore(ParagraphIndex(0), 1, 1), core::EditorException);
}

TEST_F(TableStructureTest, AnOuterTableReadAfterItsInnerOneEnclosesIt)
{
    writeParagraphs(5);
    Table& inner = cells().insertTable(cells().createTableCore(ParagraphIndex(1), 1, 2));
    // A reader builds the outer table last: one cell over paragraphs 0..3.
    auto outer = cells().createTableCore(ParagraphIndex(0), 1, 1);
    outer->firstRow().firstCell().setEndParagraphIndex(ParagraphIndex(3));
    Table& added = cells().insertTable(std::move(outer));
    EXPECT_EQ(inner.parentCell(), &added.firstRow().firstCell());
    EXPECT_EQ(inner.nestedLevel(), 1);
    EXPECT_EQ(cells().cell(ParagraphIndex(2)), inner.cell(0, 1));
    EXPECT_EQ(cells().cell(ParagraphIndex(3)), &added.firstRow().firstCell());
    expectSound(document_);
}

} // namespace
} // namespace velmo::model
