#include "core/editor_exception.h"
#include "model/document_model_copy_manager.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_integrity.h"
#include "field_test_support.h"
#include "model/model_test_support.h"
#include "model/selection.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

class FieldCollectionTest : public ::testing::Test {
protected:
    PieceTable& story() { return document_.mainPieceTable(); }
    FieldCollection& fields() { return story().fields(); }
    /// Each field as "codeStart/codeEnd/resultEnd" with its parent's index, in collection order.
    std::string layout()
    {
        std::string text;
        for (int32_t index = 0; index < fields().count(); ++index) {
            const Field& field = fields()[index];
            text += std::to_string(field.firstRunIndex().value()) + "/" + std::to_string(field.code().end.value()) + "/" +
                    std::to_string(field.lastRunIndex().value());
            text += field.parent() ? "^" + std::to_string(field.parent()->index()) + " " : " ";
        }
        return text;
    }

    DocumentModel document_;
};

TEST_F(FieldCollectionTest, MarksInsertedInOrderMakeFieldsOrderedByTheirEndsWithInnermostParents)
{
    // Runs: 0 "a", 1 {, 2 "IF ", 3 {, 4 "PAGE", 5 |, 6 "1", 7 }, 8 |, 9 "x", 10 {, 11 "SEQ", 12 |, 13 }, 14 }, 15 "b"
    appendFieldMarkup(story(), u"a{IF {PAGE|1}|x{SEQ|}}b{DATE|today}");
    EXPECT_EQ(layout(), "3/5/7^2 10/12/13^2 1/8/14 16/18/20 ");
    EXPECT_EQ(fields().findFieldByRunIndex(RunIndex(4))->index(), 0);
    EXPECT_EQ(fields().findFieldByRunIndex(RunIndex(9))->index(), 2);
    EXPECT_EQ(fields().findFieldByRunIndex(RunIndex(15)), nullptr);
    EXPECT_EQ(fields().findFieldByCodeStart(RunIndex(10))->index(), 1);
    EXPECT_EQ(fields().findFieldByCodeStart(RunIndex(11)), nullptr);
    EXPECT_EQ(fields().childrenOf(nullptr).size(), 2u);
    EXPECT_EQ(fields().childrenOf(&fields()[2]).size(), 2u);
    EXPECT_EQ(shownText(story()), u"axbtoday");
    expectSound(document_);
}

TEST_F(FieldCollectionTest, TypingAndDeletingAroundAndInsideFieldsMovesTheirMarks)
{
    appendFieldMarkup(story(), u"ab{DATE|x}cd");
    // Runs: "ab", {, "DATE", |, "x", }, "cd"; positions: { at 2, | at 7, } at 9.
    const std::vector<std::function<void()>> script = {
        [&] { story().insertText(at(0), u"12"); },                    // before the field
        [&] { story().insertText(at(10), u"yz"); },                   // at the result start: into the result
        [&] { story().insertText(at(13), u"!"); },                    // before the result end mark: into the result
        [&] { story().insertText(at(6), u"Q"); },                     // inside the code: splits a run
        [&] { story().deleteContent(at(3), 3); },                     // across the code start: the mark stays
        [&] { story().insertParagraph(at(10)); },                     // a paragraph mark inside the result
    };
    expectScriptRetracesDumps(document_, script);
    ASSERT_EQ(fields().count(), 1);
    EXPECT_EQ(fieldResultText(story(), fields()[0]), u"y\rzx!");
    EXPECT_EQ(fieldCodeText(story(), fields()[0]), u"QATE");
}

TEST_F(FieldCollectionTest, DeletingAWholeFieldRemovesItAndUndoBringsTheSameFieldBack)
{
    appendFieldMarkup(story(), u"a{IF {PAGE|1}|x}b{SEQ|}");
    Field* outer = &fields()[1];
    story().setFieldLocked(*outer, true);
    const std::string before = dumpDocument(document_);
    story().deleteContent(at(1), 15); // from the IF's code start to its result end
    EXPECT_EQ(layout(), "2/4/5 ");
    expectSound(document_);
    document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
    EXPECT_EQ(&fields()[1], outer);
    EXPECT_TRUE(outer->isLocked());
    expectSound(document_);
}

TEST_F(FieldCollectionTest, DeletingPartOfAFieldKeepsItsMarks)
{
    appendFieldMarkup(story(), u"ab{DATE|old}cd{SEQ|1}");
    // From inside the first code to inside the second result: both fields keep their marks.
    story().deleteContent(at(4), 14);
    EXPECT_EQ(story().storyText(), u"ab{D}\u203A{}1\u203A\r");
    EXPECT_EQ(fields().count(), 2);
    EXPECT_EQ(fieldCodeText(story(), fields()[0]), u"D");
    expectSound(document_);
}

TEST_F(FieldCollectionTest, CreateFieldWrapsTextAsCodeAndRejectsRangesThatCutFields)
{
    appendFieldMarkup(story(), u"xx PAGE yy{DATE|d}");
    const std::string before = dumpDocument(document_);
    Field& created = story().createField(at(3), 4);
    EXPECT_EQ(fieldCodeText(story(), created), u"PAGE");
    EXPECT_EQ(created.resultLength(), 0);
    EXPECT_EQ(fields().count(), 2);
    expectSound(document_);
    document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
    // A code may hold whole fields, never a part of one.
    EXPECT_THROW((void)story().createField(at(9), 4), core::EditorException);
    Field& wrapping = story().createField(at(8), 10);
    EXPECT_EQ(wrapping.parent(), nullptr);
    EXPECT_EQ(fields()[0].parent(), &wrapping);
    expectSound(document_);
}

TEST_F(FieldCollectionTest, RemoveFieldAndFlagsAreUndoableSteps)
{
    appendFieldMarkup(story(), u"a{DATE|d}b{SEQ|1}");
    const std::vector<std::function<void()>> script = {
        [&] { story().toggleFieldCodes(fields()[0]); },
        [&] { story().setFieldLocked(fields()[1], true); },
        [&] { story().setFieldDisableUpdate(fields()[1], true); },
        [&] { story().removeField(fields()[0]); },
    };
    expectScriptRetracesDumps(document_, script);
    ASSERT_EQ(fields().count(), 1);
    EXPECT_TRUE(fields()[0].isLocked());
    EXPECT_TRUE(fields()[0].disableUpdate());
    EXPECT_EQ(shownText(story()), u"ab1");
}

TEST_F(FieldCollectionTest, CopiedContentBringsWholeFieldsAndOnlyTheTextOfCutOnes)
{
    appendFieldMarkup(story(), u"a{DATE|d}b{SEQ|1}c");
    DocumentModel target;
    DocumentModelCopyManager copier(story(), target.mainPieceTable(), at(0), InsertOptions::MatchDestinationFormatting);
    // From inside the first field's code to the end: the second field comes whole, the first as text.
    copier.copyRange(at(3), story().documentEndLogPosition() - at(3));
    EXPECT_EQ(target.mainPieceTable().fields().count(), 1);
    EXPECT_EQ(target.mainPieceTable().storyText(), u"ATEdb{SEQ}1\u203Ac\r");
    expectSound(target);
}

TEST_F(FieldCollectionTest, IntegrityCheckFindsStrayMarksAndRecordsThatDoNotMatch)
{
    InputPosition position = story().createInputPosition(at(0));
    story().insertObjectRun(position, RunKind::FieldCodeEnd);
    EXPECT_THAT(findFieldProblems(story()), ::testing::Contains("field mark run 0 belongs to no field"));
    (void)story().hyperlinkInfos().exchange(4, std::make_unique<HyperlinkInfo>());
    EXPECT_THAT(findFieldProblems(story()), ::testing::Contains("hyperlink record of field 4, which the story lacks"));
}

TEST_F(FieldCollectionTest, ReadersFillingAStoryGetTheirFieldsAsTheMarksArrive)
{
    document_.beginSetContent();
    appendFieldMarkup(story(), u"{IF {DOCVARIABLE a|}|x}\n{PAGE|}");
    document_.endSetContent(DocumentModelChangeType::LoadNewDocument, false); // results as read
    EXPECT_EQ(layout(), "2/4/5^1 0/6/8 10/12/13 ");
    EXPECT_FALSE(document_.history().canUndo());
    expectSound(document_);
}

} // namespace
} // namespace velmo::model
