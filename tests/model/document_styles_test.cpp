#include "model/document_styles.h"

#include "core/editor_exception.h"
#include "model/character_properties.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/tab_properties.h"
#include "model_test_support.h"
#include "model/document_dump.h"
#include "support/golden.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

/// A paragraph in style "Body" (parent "Base", parent "Normal") with one run in character style
/// "Strong Emphasis" (parent "Emphasis").
class StyleChainTest : public ::testing::Test {
protected:
    StyleChainTest()
    {
        DocumentStyles& styles = document_.styles();
        auto base = std::make_unique<ParagraphStyle>(document_, u"Base");
        base->setParentCore(&styles.paragraphStyles().defaultItem());
        base_ = base.get();
        styles.addParagraphStyle(std::move(base));
        {
            CharacterProperties character(*base_);
            character.setFontName(u"Georgia");
            character.setDoubleFontSize(24);
            ParagraphProperties(*base_).setSpacingAfter(120);
        }
        auto body = std::make_unique<ParagraphStyle>(document_, u"Body");
        body->setParentCore(base_);
        body_ = body.get();
        bodyIndex_ = styles.addParagraphStyle(std::move(body));
        CharacterProperties(*body_).setFontItalic(true);
        ParagraphProperties(*body_).setAlignment(ParagraphAlignment::Justify);

        auto emphasis = std::make_unique<CharacterStyle>(document_, u"Emphasis");
        emphasis_ = emphasis.get();
        styles.addCharacterStyle(std::move(emphasis));
        {
            CharacterProperties look(*emphasis_);
            look.setFontBold(true);
            look.setForeColor(opaqueColor(200, 0, 0));
        }
        auto strong = std::make_unique<CharacterStyle>(document_, u"Strong Emphasis");
        strong->setParentCore(emphasis_);
        CharacterStyle& strongStyle = *strong;
        strongIndex_ = styles.addCharacterStyle(std::move(strong));
        CharacterProperties(strongStyle).setDoubleFontSize(30);

        story().insertText(DocumentLogPosition(0), u"styled");
        story().setParagraphStyleIndex(ParagraphIndex(0), bodyIndex_);
        story().setCharacterStyleIndex(RunIndex(0), strongIndex_);
        CharacterProperties(story().run(RunIndex(0))).setFontItalic(false);
    }

    PieceTable& story() { return document_.mainPieceTable(); }
    const CharacterFormattingInfo& runLook() { return story().mergedCharacterFormatting(RunIndex(0)); }
    const ParagraphFormattingInfo& paragraphLook() { return story().mergedParagraphFormatting(story().paragraph(ParagraphIndex(0))); }

    DocumentModel document_;
    ParagraphStyle* base_ = nullptr;
    ParagraphStyle* body_ = nullptr;
    CharacterStyle* emphasis_ = nullptr;
    int32_t bodyIndex_ = 0;
    int32_t strongIndex_ = 0;
};

TEST_F(StyleChainTest, EachPropertyComesFromTheFirstLayerThatSetsIt)
{
    EXPECT_EQ(runLook().fontName(), u"Georgia");      // paragraph style's parent
    EXPECT_EQ(runLook().doubleFontSize(), 30);        // character style
    EXPECT_TRUE(runLook().fontBold());                // character style's parent
    EXPECT_FALSE(runLook().fontItalic());             // the run itself, over the paragraph style
    EXPECT_EQ(runLook().foreColor(), opaqueColor(200, 0, 0));
    EXPECT_EQ(paragraphLook().alignment(), ParagraphAlignment::Justify);
    EXPECT_EQ(paragraphLook().spacingAfter(), 120);
    EXPECT_FLOAT_EQ(paragraphLook().lineSpacing(), 1.15f); // document defaults
    expectSound(document_);
}

TEST_F(StyleChainTest, DumpShowsStylesAndEffectiveFormatting)
{
    velmo::testing::expectMatchesGolden(dumpDocument(document_), "model/golden/style_chain.txt");
}

TEST_F(StyleChainTest, ACopiedStyleLooksTheSameInADocumentWithOtherDefaults)
{
    DocumentModel target;
    ParagraphStyle& targetNormal = target.styles().paragraphStyles().defaultItem();
    CharacterProperties(targetNormal).setFontBold(true);
    ParagraphProperties(targetNormal).setSpacingBefore(400);

    const int32_t copied = target.styles().copyParagraphStyleFrom(*body_);
    const ParagraphStyle& copy = target.styles().paragraphStyles()[copied];
    EXPECT_EQ(copy.styleName(), u"Body");
    ASSERT_NE(copy.parentStyle(), nullptr);
    EXPECT_EQ(copy.parentStyle()->styleName(), u"Base");
    EXPECT_EQ(copy.parentStyle()->parentStyle(), &targetNormal) << "a style of the same name is reused";
    const CharacterFormattingInfo look = target.styles().mergedWithDefaultCharacterProperties(copy);
    EXPECT_EQ(look, document_.styles().mergedWithDefaultCharacterProperties(*body_));
    EXPECT_FALSE(look.fontBold()) << "the target's bold Normal must not show through";
    EXPECT_EQ(target.styles().mergedWithDefaultParagraphProperties(copy).spacingBefore(), 0);
    EXPECT_EQ(target.styles().copyParagraphStyleFrom(*body_), copied) << "copying again finds the copy";
}

TEST_F(StyleChainTest, TabStopsComeFromTheParagraphOverItsStyleChain)
{
    TabFormattingInfo baseTabs;
    baseTabs.add(TabInfo{720});
    baseTabs.add(TabInfo{2880});
    TabProperties(*base_).setInfo(baseTabs);
    TabFormattingInfo bodyTabs;
    bodyTabs.add(TabInfo{720, TabAlignmentType::Left, TabLeaderType::None, true}); // cancels the base's 720
    bodyTabs.add(TabInfo{1440, TabAlignmentType::Right});
    TabProperties(*body_).setInfo(bodyTabs);
    Paragraph& paragraph = story().paragraph(ParagraphIndex(0));
    TabFormattingInfo own;
    own.add(TabInfo{4320, TabAlignmentType::Decimal});
    TabProperties(paragraph).setInfo(own);

    const TabFormattingInfo effective = story().mergedTabs(paragraph);
    ASSERT_EQ(effective.count(), 3);
    EXPECT_EQ(effective[0].position, 1440);
    EXPECT_EQ(effective[0].alignment, TabAlignmentType::Right);
    EXPECT_EQ(effective[1].position, 2880);
    EXPECT_EQ(effective[2].alignment, TabAlignmentType::Decimal);

    document_.history().undo(); // the paragraph's own tab
    EXPECT_EQ(story().mergedTabs(paragraph).count(), 2);
    story().insertParagraph(DocumentLogPosition(3));
    EXPECT_EQ(story().mergedTabs(story().paragraph(ParagraphIndex(1))).count(), 2) << "a split keeps the tabs";
}

TEST_F(StyleChainTest, ChangingAStyleOrTheRunFollowsUndoAndRedo)
{
    CharacterProperties(*emphasis_).setFontBold(false);
    EXPECT_FALSE(runLook().fontBold());
    document_.history().undo();
    EXPECT_TRUE(runLook().fontBold());
    document_.history().redo();
    EXPECT_FALSE(runLook().fontBold());

    CharacterProperties(story().run(RunIndex(0))).resetAllUse();
    EXPECT_TRUE(runLook().fontItalic()) << "now from the paragraph style";
    document_.history().undo();
    EXPECT_FALSE(runLook().fontItalic());

    story().setParagraphStyleIndex(ParagraphIndex(0), 0);
    EXPECT_EQ(runLook().fontName(), u"Calibri");
    EXPECT_EQ(paragraphLook().alignment(), ParagraphAlignment::Left);
    document_.history().undo();
    EXPECT_EQ(runLook().fontName(), u"Georgia");
}

TEST_F(StyleChainTest, ACircularParentIsRefusedExceptWhileReading)
{
    try {
        base_->setParent(body_);
        FAIL() << "no error";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "Error: invalid parent style assignment caused circular reference");
    }
    EXPECT_EQ(base_->parent(), &document_.styles().paragraphStyles().defaultItem());
    document_.beginSetContent();
    ParagraphStyle& normal = document_.styles().paragraphStyles().defaultItem();
    auto child = std::make_unique<ParagraphStyle>(document_, u"Child");
    child->setParentCore(&normal);
    ParagraphStyle& childStyle = *child;
    document_.styles().paragraphStyles().append(std::move(child));
    EXPECT_NO_THROW(normal.setParent(&childStyle));
    EXPECT_EQ(normal.parent(), nullptr);
    document_.endSetContent(DocumentModelChangeType::LoadNewDocument);
}

TEST_F(StyleChainTest, DeletingAStyleKeepsItsChildrensLookAndFreesItsUsers)
{
    story().setParagraphStyleIndex(ParagraphIndex(0), document_.styles().paragraphStyles().indexOf(base_));
    story().setParagraphStyleIndex(ParagraphIndex(0), bodyIndex_);
    document_.styles().deleteParagraphStyle(*base_);
    EXPECT_TRUE(base_->deleted());
    EXPECT_EQ(body_->parent(), &document_.styles().paragraphStyles().defaultItem());
    EXPECT_EQ(runLook().fontName(), u"Georgia") << "Body took over what it inherited";
    EXPECT_EQ(paragraphLook().spacingAfter(), 120);
    document_.history().undo();
    EXPECT_FALSE(base_->deleted());
    EXPECT_EQ(body_->parent(), base_);

    story().setParagraphStyleIndex(ParagraphIndex(0), document_.styles().paragraphStyles().indexOf(base_));
    document_.styles().deleteParagraphStyle(*base_);
    EXPECT_EQ(story().paragraph(ParagraphIndex(0)).paragraphStyleIndex(), 0) << "its paragraph falls back to Normal";
    expectSound(document_);
}

TEST(DocumentStylesTest, EnterAtTheEndOfAHeadingStartsANormalParagraph)
{
    DocumentModel document;
    PieceTable& story = document.mainPieceTable();
    story.insertText(DocumentLogPosition(0), u"Title");
    story.setParagraphStyleIndex(ParagraphIndex(0), document.styles().headingParagraphStyle(1));
    ParagraphProperties(story.paragraph(ParagraphIndex(0))).setAlignment(ParagraphAlignment::Center);
    story.insertParagraph(DocumentLogPosition(5));
    EXPECT_EQ(story.paragraph(ParagraphIndex(1)).paragraphStyleIndex(), 0);
    EXPECT_EQ(story.mergedParagraphFormatting(story.paragraph(ParagraphIndex(1))).alignment(), ParagraphAlignment::Left)
        << "the direct formatting is not carried over";
    story.insertParagraph(DocumentLogPosition(2)); // in the middle: both halves stay headings
    EXPECT_EQ(story.paragraph(ParagraphIndex(1)).paragraphStyleIndex(), story.paragraph(ParagraphIndex(0)).paragraphStyleIndex());
    expectSound(document);
}

TEST(DocumentStylesTest, BuiltInAndHeadingStyles)
{
    DocumentModel document;
    DocumentStyles& styles = document.styles();
    EXPECT_EQ(styles.paragraphStyles().defaultItem().styleName(), u"Normal");
    ASSERT_EQ(styles.characterStyles().count(), 3);
    EXPECT_EQ(styles.characterStyles()[1].styleName(), u"Line Number");
    EXPECT_EQ(styles.characterStyles()[1].parent(), &styles.characterStyles().defaultItem());
    const CharacterFormattingBase& hyperlink =
        document.cache().characterFormattingCache()[styles.characterStyles()[2].characterPropertiesIndex()];
    EXPECT_EQ(hyperlink.info().foreColor(), 0xFF0000FFu);
    EXPECT_EQ(hyperlink.info().fontUnderlineType(), UnderlineType::Single);

    const int32_t heading = styles.headingParagraphStyle(1);
    EXPECT_EQ(styles.headingParagraphStyle(1), heading);
    const ParagraphStyle& style = styles.paragraphStyles()[heading];
    EXPECT_EQ(style.styleName(), u"Heading 1");
    EXPECT_EQ(style.nextParagraphStyle(), &styles.paragraphStyles().defaultItem());
    const CharacterFormattingBase& look = document.cache().characterFormattingCache()[style.characterPropertiesIndex()];
    EXPECT_EQ(look.info().doubleFontSize(), 28);
    EXPECT_TRUE(look.info().fontBold());
    EXPECT_EQ(look.info().foreColor(), opaqueColor(54, 95, 145));
    const ParagraphFormattingBase& spacing = document.cache().paragraphFormattingCache()[style.paragraphPropertiesIndex()];
    EXPECT_EQ(spacing.info().spacingBefore(), 480);
    EXPECT_EQ(spacing.info().outlineLevel(), 1);
    const CharacterStyle* linked = styles.links().linkedCharacterStyle(style);
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->styleName(), u"Heading 1 Char");

    EXPECT_EQ(styles.tocStyle(2), -1);
    const int32_t toc = styles.createTocStyle(2);
    EXPECT_EQ(styles.tocStyle(2), toc);
    EXPECT_EQ(document.cache().paragraphFormattingCache()[styles.paragraphStyles()[toc].paragraphPropertiesIndex()].info().leftIndent(), 221);

    try {
        styles.links().deleteLink(styles.paragraphStyles().defaultItem());
        FAIL() << "no error";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "'Normal' is not a valid value for 'ParagraphStyle'");
    }
    document.history().undo(); // the TOC style
    EXPECT_EQ(styles.tocStyle(2), -1);
}

} // namespace
} // namespace velmo::model
