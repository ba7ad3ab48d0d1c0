#include "model/character_properties.h"

#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

/// One run "text" in an otherwise empty document.
class PropertiesHolderTest : public ::testing::Test {
protected:
    PropertiesHolderTest() { story().insertText(DocumentLogPosition(0), u"text"); }
    PieceTable& story() { return document_.mainPieceTable(); }
    TextRunBase& run() { return story().run(RunIndex(0)); }
    int32_t historyCount() { return document_.history().count(); }

    DocumentModel document_;
};

TEST_F(PropertiesHolderTest, AChangeIsOneUndoableIndexChange)
{
    const int32_t before = historyCount();
    CharacterProperties properties(run());
    properties.setFontBold(true);
    EXPECT_EQ(historyCount(), before + 1);
    EXPECT_TRUE(story().mergedCharacterFormatting(RunIndex(0)).fontBold());
    const int32_t boldIndex = run().characterPropertiesIndex();

    properties.setFontBold(true); // same value, bit already set
    EXPECT_EQ(historyCount(), before + 1);
    EXPECT_EQ(run().characterPropertiesIndex(), boldIndex);

    document_.history().undo();
    EXPECT_EQ(run().characterPropertiesIndex(), DocumentCache::kEmptyPropertiesIndex);
    EXPECT_FALSE(story().mergedCharacterFormatting(RunIndex(0)).fontBold()) << "the effective value follows undo";
    document_.history().redo();
    EXPECT_EQ(run().characterPropertiesIndex(), boldIndex);
    expectSound(document_);
}

TEST_F(PropertiesHolderTest, SettingADefaultValueStillMarksItAsSet)
{
    CharacterProperties properties(run());
    properties.setFontBold(false);
    EXPECT_NE(run().characterPropertiesIndex(), DocumentCache::kEmptyPropertiesIndex);
    EXPECT_TRUE(properties.uses(UsedCharacterFormattingOption::UseFontBold));
    properties.resetAllUse();
    EXPECT_FALSE(properties.uses(UsedCharacterFormattingOption::UseFontBold));
    properties.reset();
    EXPECT_EQ(run().characterPropertiesIndex(), DocumentCache::kEmptyPropertiesIndex);
}

TEST_F(PropertiesHolderTest, ABatchMakesOneChangeAndInitMakesNoHistory)
{
    const int32_t before = historyCount();
    {
        CharacterProperties properties(run());
        properties.beginUpdate();
        properties.setFontName(u"Georgia");
        properties.setDoubleFontSize(28);
        properties.setForeColor(opaqueColor(200, 0, 0));
        EXPECT_EQ(run().characterPropertiesIndex(), DocumentCache::kEmptyPropertiesIndex) << "nothing lands before the end";
        properties.endUpdate();
    }
    EXPECT_EQ(historyCount(), before + 1);
    const CharacterFormattingInfo& effective = story().mergedCharacterFormatting(RunIndex(0));
    EXPECT_EQ(effective.fontName(), u"Georgia");
    EXPECT_EQ(effective.doubleFontSize(), 28);
    EXPECT_EQ(effective.foreColor(), opaqueColor(200, 0, 0));

    CharacterProperties reader(run());
    reader.beginInit();
    reader.setFontItalic(true);
    reader.endInit();
    EXPECT_EQ(historyCount(), before + 1);
    EXPECT_TRUE(story().mergedCharacterFormatting(RunIndex(0)).fontItalic());

    reader.beginUpdate();
    reader.setHidden(true);
    reader.cancelUpdate();
    EXPECT_FALSE(story().mergedCharacterFormatting(RunIndex(0)).hidden());
}

TEST_F(PropertiesHolderTest, FormattingTheHostForbidsIsIgnored)
{
    document_.capabilities().characterFormatting = DocumentCapability::Disabled;
    const int32_t before = historyCount();
    CharacterProperties(run()).setFontBold(true);
    EXPECT_EQ(historyCount(), before);
    EXPECT_FALSE(story().mergedCharacterFormatting(RunIndex(0)).fontBold());
    ParagraphProperties(story().paragraph(ParagraphIndex(0))).setAlignment(ParagraphAlignment::Right);
    EXPECT_EQ(historyCount(), before + 1) << "paragraph formatting is still allowed";
}

TEST_F(PropertiesHolderTest, ParagraphPropertiesRejectBadValuesWithoutAChange)
{
    Paragraph& paragraph = story().paragraph(ParagraphIndex(0));
    ParagraphProperties properties(paragraph);
    const int32_t before = historyCount();
    try {
        properties.setSpacingAfter(-20);
        FAIL() << "no error";
    } catch (const core::EditorException& error) {
        EXPECT_STREQ(error.what(), "'-20' is not a valid value for 'SpacingAfter'");
    }
    EXPECT_EQ(historyCount(), before);
    EXPECT_EQ(paragraph.paragraphPropertiesIndex(), DocumentCache::kEmptyPropertiesIndex);

    properties.setAlignment(ParagraphAlignment::Center);
    properties.setLeftIndent(720);
    EXPECT_EQ(historyCount(), before + 2);
    const ParagraphFormattingInfo& effective = story().mergedParagraphFormatting(paragraph);
    EXPECT_EQ(effective.alignment(), ParagraphAlignment::Center);
    EXPECT_EQ(effective.leftIndent(), 720);
    EXPECT_EQ(effective.spacingAfter(), 200);
    document_.history().undo();
    document_.history().undo();
    EXPECT_EQ(story().mergedParagraphFormatting(paragraph).alignment(), ParagraphAlignment::Left);
    expectSound(document_);
}

} // namespace
} // namespace velmo::model
