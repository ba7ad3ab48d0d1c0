#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/paragraph_style.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/paragraph_frames.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

using O = UseParagraphFrameOption;

ParagraphFrameFormatting frameWith(int32_t x, int32_t width, int32_t height = 0,
                                   ParagraphFrameHorizontalRule rule = ParagraphFrameHorizontalRule::Auto)
{
    ParagraphFrameFormatting frame;
    frame.set(&ParagraphFrameFormattingInfo::x, x, O::UseX);
    frame.set(&ParagraphFrameFormattingInfo::width, width, O::UseWidth);
    frame.set(&ParagraphFrameFormattingInfo::height, height, O::UseHeight);
    frame.set(&ParagraphFrameFormattingInfo::horizontalRule, rule, O::UseHorizontalRule);
    return frame;
}

class ParagraphFramesTest : public ::testing::Test {
protected:
    ParagraphFramesTest()
    {
        story().insertPlainText(DocumentLogPosition(0), u"one\rtwo");
        auto framed = std::make_unique<ParagraphStyle>(document_, u"Framed");
        framedStyle_ = document_.styles().addParagraphStyle(std::move(framed));
        setFrameProperties(style(), frameWith(100, 2000));
    }
    PieceTable& story() { return document_.mainPieceTable(); }
    Paragraph& paragraph(int32_t index) { return story().paragraph(ParagraphIndex(index)); }
    ParagraphStyle& style() { return document_.styles().paragraphStyles()[framedStyle_]; }

    DocumentModel document_;
    int32_t framedStyle_ = 0;
};

TEST_F(ParagraphFramesTest, AParagraphTakesItsStylesFrameUnlessMarkedFrameless)
{
    story().setParagraphStyleIndex(ParagraphIndex(0), framedStyle_);
    ASSERT_TRUE(hasParagraphFrame(paragraph(0)));
    EXPECT_EQ(mergedFrameProperties(paragraph(0))->info().width, 2000);
    EXPECT_FALSE(hasFrameProperties(paragraph(0)));

    setDefaultFrameProperties(paragraph(0));
    EXPECT_FALSE(hasMergedFrameProperties(paragraph(0)));
    EXPECT_FALSE(hasParagraphFrame(paragraph(0)));
    document_.history().undo();
    EXPECT_TRUE(hasParagraphFrame(paragraph(0)));
}

TEST_F(ParagraphFramesTest, OwnSettingsWinOverTheStylesAndTheParents)
{
    auto child = std::make_unique<ParagraphStyle>(document_, u"Framed child");
    const int32_t childIndex = document_.styles().addParagraphStyle(std::move(child));
    ParagraphStyle& childStyle = document_.styles().paragraphStyles()[childIndex];
    childStyle.setParent(&style());
    ParagraphFrameFormatting childFrame;
    childFrame.set(&ParagraphFrameFormattingInfo::x, 500, O::UseX);
    setFrameProperties(childStyle, childFrame);
    const std::optional<ParagraphFrameFormatting> merged = mergedFrameProperties(childStyle);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->info().x, 500);
    EXPECT_EQ(merged->info().width, 2000);

    story().setParagraphStyleIndex(ParagraphIndex(1), childIndex);
    ParagraphFrameFormatting own;
    own.set(&ParagraphFrameFormattingInfo::width, 3000, O::UseWidth);
    setFrameProperties(paragraph(1), own);
    EXPECT_EQ(mergedFrameProperties(paragraph(1))->info().width, 3000);
    EXPECT_EQ(mergedFrameProperties(paragraph(1))->info().x, 500);

    document_.styles().deleteParagraphStyle(childStyle);
    try {
        (void)mergedFrameProperties(childStyle);
        FAIL();
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "Error: using deleted style");
    }
}

TEST_F(ParagraphFramesTest, SplittingAFramedParagraphKeepsTheFrameOnBothParts)
{
    setFrameProperties(paragraph(0), frameWith(0, 1500));
    story().insertParagraph(DocumentLogPosition(1));
    EXPECT_TRUE(hasFrameProperties(paragraph(0)));
    EXPECT_TRUE(hasFrameProperties(paragraph(1)));
    EXPECT_FALSE(hasFrameProperties(paragraph(2)));
    expectSound(document_);
}

TEST_F(ParagraphFramesTest, NoFrameInATextBox)
{
    FloatingObjectAnchorRun& anchor = insertTextBox(story(), DocumentLogPosition(0));
    PieceTable& box = static_cast<const TextBoxFloatingObjectContent&>(anchor.content()).textBox().pieceTable();
    Paragraph& inside = box.paragraph(ParagraphIndex(0));
    setFrameProperties(inside, frameWith(100, 1000));
    EXPECT_TRUE(hasMergedFrameProperties(inside));
    EXPECT_FALSE(actualFrameProperties(inside).has_value());
}

TEST(ParagraphFrameFormattingTest, WhatMakesARealFrame)
{
    struct Case {
        const char* name;
        ParagraphFrameFormatting frame;
        bool isFrame;
    };
    ParagraphFrameFormatting paragraphPositioned;
    paragraphPositioned.set(&ParagraphFrameFormattingInfo::verticalPositionType, ParagraphFrameVerticalPositionType::Paragraph,
                            O::UseVerticalPositionType);
    ParagraphFrameFormatting centred;
    centred.set(&ParagraphFrameFormattingInfo::horizontalPositionAlignment, ParagraphFrameHorizontalPositionAlignment::Center,
                O::UseHorizontalPositionAlignment);
    const Case cases[] = {
        {"nothing set", ParagraphFrameFormatting{}, false},
        {"a height with the automatic rule", frameWith(0, 0, 500), false},
        {"an exact height", frameWith(0, 0, 500, ParagraphFrameHorizontalRule::Exact), true},
        {"a width", frameWith(0, 100), true},
        {"a horizontal place", frameWith(10, 0), true},
        {"placed from the paragraph", paragraphPositioned, true},
        {"centred", centred, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isParagraphFrame(c.frame), c.isFrame);
    }
}

TEST(ParagraphFrameFormattingTest, ConsecutiveFramesShareOneWhenTheirSettingsAgree)
{
    using R = ParagraphFrameHorizontalRule;
    EXPECT_TRUE(canMergeFrames(frameWith(10, 100, 200, R::Auto), frameWith(10, 100, 900, R::Auto)));
    EXPECT_FALSE(canMergeFrames(frameWith(10, 100, 200, R::Exact), frameWith(10, 100, 900, R::Exact)));
    EXPECT_TRUE(canMergeFrames(frameWith(10, 100, 200, R::Exact), frameWith(10, 100, 200, R::Exact)));
    EXPECT_FALSE(canMergeFrames(frameWith(10, 100, 200, R::Auto), frameWith(10, 100, 200, R::AtLeast)));
    EXPECT_FALSE(canMergeFrames(frameWith(10, 100), frameWith(20, 100)));
}

} // namespace
} // namespace velmo::model
