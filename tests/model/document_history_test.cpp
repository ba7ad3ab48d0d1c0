#include "model/document_history.h"

#include "model/character_properties.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

class ModifiedFlagTest : public ::testing::Test {
protected:
    void type(const char16_t* text)
    {
        for (; *text; ++text)
            story().insertText(position_, std::u16string_view(text, 1));
    }
    PieceTable& story() { return document_.mainPieceTable(); }
    DocumentHistory& history() { return document_.history(); }

    DocumentModel document_;
    InputPosition position_ = document_.mainPieceTable().createInputPosition(DocumentLogPosition(0));
};

TEST_F(ModifiedFlagTest, TypingMarksTheDocumentAndUndoingBackClearsIt)
{
    EXPECT_FALSE(document_.isModified());
    type(u"a");
    EXPECT_TRUE(document_.isModified()) << "modified after the first character";
    type(u"bc");
    history().undo();
    EXPECT_FALSE(document_.isModified());
    EXPECT_EQ(story().storyText(), u"\r");
}

TEST_F(ModifiedFlagTest, SavedStateIsTrackedThroughUndoAndRedo)
{
    type(u"ab");
    document_.setModified(false); // saved
    type(u"c");
    EXPECT_TRUE(document_.isModified());
    EXPECT_EQ(history().count(), 2) << "text typed after a save is a step of its own";
    history().undo();
    EXPECT_FALSE(document_.isModified());
    EXPECT_EQ(story().storyText(), u"ab\r") << "undo after a save never removes text typed before it";
    history().redo();
    EXPECT_TRUE(document_.isModified());

    history().undo();
    history().undo(); // before the saved state
    EXPECT_TRUE(document_.isModified());
    position_ = story().createInputPosition(DocumentLogPosition(0));
    type(u"x"); // a new change drops the redo tail: the saved state cannot come back
    history().undo();
    EXPECT_TRUE(document_.isModified());
    expectSound(document_);
}

TEST_F(ModifiedFlagTest, FormattingOnlyStepsAndNestedTransactions)
{
    type(u"abc");
    document_.setModified(false);
    {
        HistoryTransaction outer(history());
        HistoryTransaction inner(history());
        CharacterProperties(story().run(RunIndex(0))).setFontBold(true);
        ParagraphIndex paragraph(0);
        story().setParagraphStyleIndex(paragraph, document_.styles().headingParagraphStyle(1));
    }
    EXPECT_EQ(history().count(), 2) << "nested transactions make one step";
    EXPECT_TRUE(document_.isModified());
    history().undo();
    EXPECT_FALSE(document_.isModified());
}

TEST_F(ModifiedFlagTest, DisabledHistoryRecordsNothingAndClearForgetsAll)
{
    history().disable();
    type(u"ab");
    history().enable();
    EXPECT_FALSE(history().canUndo());
    type(u"c");
    history().clear();
    EXPECT_FALSE(history().canUndo());
    EXPECT_FALSE(document_.isModified());
    EXPECT_EQ(story().storyText(), u"abc\r");
    expectSound(document_);
}

} // namespace
} // namespace velmo::model
