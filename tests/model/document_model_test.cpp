#include "model/document_model.h"

#include "core/editor_exception.h"
#include "model/content_type.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model_listener.h"
#include "model/piece_table.h"
#include "model/runs.h"
#include "model/section.h"
#include "model/section_headers_footers.h"
#include "model_test_support.h"
#include "support/golden.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(DocumentModelStoriesTest, StoriesAreListedInDocumentOrderAndOnlyWhileReferenced)
{
    DocumentModel document;
    PieceTable& main = document.mainPieceTable();
    main.insertText(DocumentLogPosition(0), u"body");
    document.insertSection(DocumentLogPosition(2));
    SectionFooter& footer = document.createFooter(SectionIndex(0), HeaderFooterType::Odd);
    SectionHeader& header = document.createHeader(SectionIndex(1), HeaderFooterType::First);
    SectionHeadersFooters(document, SectionIndex(1), ContentTypeKind::Footer).linkToPrevious(HeaderFooterType::Odd);
    header.pieceTable().insertText(DocumentLogPosition(0), u"head");
    InputPosition position = main.createInputPosition(DocumentLogPosition(5));
    NoteContentTypeBase& endNote = document.insertNote(position, RunKind::EndNote);
    NoteContentTypeBase& footNote = document.insertNote(position, RunKind::FootNote);
    footNote.pieceTable().insertText(DocumentLogPosition(0), u"a note");

    const std::vector<PieceTable*> expected{&main, &footer.pieceTable(), &header.pieceTable(), &footNote.pieceTable(),
                                            &endNote.pieceTable()};
    EXPECT_EQ(document.pieceTables(), expected);
    EXPECT_EQ(footNote.lookupSectionIndexByParagraphIndex(ParagraphIndex(0)), SectionIndex(1));
    EXPECT_EQ(footer.lookupSectionIndexByParagraphIndex(ParagraphIndex(0)), SectionIndex(0));
    expectSound(document);

    // Undoing the reference mark (after the note's text) leaves the note's story unreferenced.
    document.history().undo();
    EXPECT_TRUE(footNote.pieceTable().isEmpty());
    document.history().undo();
    EXPECT_FALSE(footNote.isReferenced());
    EXPECT_EQ(document.pieceTables().size(), 4u);
    EXPECT_EQ(document.pieceTables(true).size(), 5u);
    document.history().redo();
    document.history().redo();
    EXPECT_TRUE(footNote.isReferenced());
    EXPECT_EQ(footNote.pieceTable().storyText(), u"a note\r");
    EXPECT_NE(dumpDocument(document).find("    FootNoteRun note=0"), std::string::npos) << dumpDocument(document);
    expectSound(document);

    document.clearDocument();
    EXPECT_EQ(document.pieceTables(true).size(), 1u);
    expectSound(document);
}

TEST(DocumentModelBatchTest, ChangesAreReportedOnceAtTheOutermostEnd)
{
    struct Recorder final : IDocumentModelListener {
        int begins = 0;
        int ends = 0;
        int contentChanges = 0;
        int modifiedChanges = 0;
        int sectionChanges = 0;
        void onSectionInserted(SectionIndex) override { ++sectionChanges; }
        void onSectionRemoved(SectionIndex) override { ++sectionChanges; }
        void onBeginDocumentUpdate() override { ++begins; }
        void onEndDocumentUpdate(DocumentModelChangeActions) override { ++ends; }
        void onContentChanged() override { ++contentChanges; }
        void onModifiedChanged() override { ++modifiedChanges; }
    } recorder;
    DocumentModel document;
    document.addListener(recorder);
    {
        BatchUpdateScope batch(document);
        document.mainPieceTable().insertText(DocumentLogPosition(0), u"one");
        document.mainPieceTable().insertParagraph(DocumentLogPosition(3));
        document.insertSection(DocumentLogPosition(1));
        EXPECT_EQ(recorder.ends, 0);
        EXPECT_TRUE(document.isUpdateLocked());
    }
    EXPECT_EQ(recorder.begins, 1);
    EXPECT_EQ(recorder.ends, 1);
    EXPECT_EQ(recorder.contentChanges, 1);
    EXPECT_EQ(recorder.modifiedChanges, 1);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.history().count(), 1) << "one batch is one undo step";
    document.history().undo();
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(recorder.modifiedChanges, 2);
    EXPECT_EQ(recorder.sectionChanges, 2) << "inserted, then removed by undo";
    document.removeListener(recorder);
}

TEST(DocumentModelBatchTest, AFailureInsideABatchRollsItsStepsBack)
{
    DocumentModel document;
    PieceTable& story = document.mainPieceTable();
    story.insertText(DocumentLogPosition(0), u"keep");
    EXPECT_THROW(
        {
            BatchUpdateScope batch(document);
            story.insertText(DocumentLogPosition(4), u" more");
            story.insertParagraph(DocumentLogPosition(2));
            story.deleteContent(DocumentLogPosition(0), 100);
        },
        core::EditorException);
    EXPECT_EQ(story.storyText(), u"keep\r");
    EXPECT_FALSE(document.isUpdateLocked());
    expectSound(document);
}

TEST(DocumentModelSetContentTest, ReaderContentIsNotUndoableAndLeavesTheDocumentUnmodified)
{
    DocumentModel document;
    document.mainPieceTable().insertText(DocumentLogPosition(0), u"old");
    document.beginSetContent();
    PieceTable& story = document.mainPieceTable();
    EXPECT_EQ(story.storyText(), u"\r");
    story.insertPlainText(DocumentLogPosition(0), u"line 1\r\nline 2\nline 3");
    document.endSetContent(DocumentModelChangeType::LoadNewDocument);
    EXPECT_EQ(story.storyText(), u"line 1\rline 2\rline 3\r");
    EXPECT_FALSE(document.history().canUndo());
    EXPECT_FALSE(document.isModified());
    expectSound(document);
    velmo::testing::expectMatchesGolden(dumpDocument(document), "model/golden/three_lines_read_by_a_reader.txt");
}

} // namespace
} // namespace velmo::model
