#include "model/paragraph_formatting_info.h"

#include "core/editor_exception.h"
#include "model/document_cache.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmo::model {
namespace {

using O = UsedParagraphFormattingOption;

TEST(ParagraphFormattingInfoTest, NegativeLengthsAreRejectedWithThePropertyName)
{
    struct Case {
        const char* name;
        std::function<void(ParagraphFormattingInfo&)> set;
        const char* message;
    };
    const Case cases[] = {
        {"spacing after", [](auto& info) { info.setSpacingAfter(-20); }, "'-20' is not a valid value for 'SpacingAfter'"},
        {"spacing before", [](auto& info) { info.setSpacingBefore(-1); }, "'-1' is not a valid value for 'SpacingBefore'"},
        {"first line", [](auto& info) { info.setFirstLineIndent(-5); }, "'-5' is not a valid value for 'FirstLineIndent'"},
        {"line spacing", [](auto& info) { info.setLineSpacing(-1.5f); }, "'-1.5' is not a valid value for 'LineSpacing'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ParagraphFormattingInfo info;
        try {
            c.set(info);
            FAIL() << "no error";
        } catch (const core::EditorException& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(info, ParagraphFormattingInfo()) << "a rejected value changes nothing";
    }
}

TEST(ParagraphFormattingInfoTest, PairedPropertiesMergeTogetherAndTheFirstLayerWins)
{
    DocumentCache caches;
    auto& cache = caches.paragraphFormattingCache();
    ParagraphFormattingBase own = cache[DocumentCache::kEmptyPropertiesIndex];
    own.set(O::UseFirstLineIndent, [](auto& info) {
        info.setFirstLineIndentType(ParagraphFirstLineIndent::Hanging);
        info.setFirstLineIndent(360);
    });
    ParagraphFormattingBase style = cache[DocumentCache::kEmptyPropertiesIndex];
    style.set(O::UseLineSpacing, [](auto& info) {
        info.setLineSpacingType(ParagraphLineSpacing::Exactly);
        info.setLineSpacing(300.0f);
    });
    style.set(O::UseFirstLineIndent, [](auto& info) {
        info.setFirstLineIndentType(ParagraphFirstLineIndent::Indented);
        info.setFirstLineIndent(720);
    });
    style.set(O::UseAlignment, [](auto& info) { info.setAlignment(ParagraphAlignment::Justify); });
    MergedParagraphProperties merged(own);
    merged.merge(style);
    merged.merge(cache[DocumentCache::kDefaultPropertiesIndex]);
    EXPECT_EQ(merged.info().firstLineIndentType(), ParagraphFirstLineIndent::Hanging);
    EXPECT_EQ(merged.info().firstLineIndent(), 360);
    EXPECT_EQ(merged.info().lineSpacingType(), ParagraphLineSpacing::Exactly);
    EXPECT_FLOAT_EQ(merged.info().lineSpacing(), 300.0f);
    EXPECT_EQ(merged.info().alignment(), ParagraphAlignment::Justify);
    EXPECT_EQ(merged.info().spacingAfter(), 200) << "from the document defaults";
    EXPECT_TRUE(merged.info().widowOrphanControl());
    EXPECT_EQ(merged.mask(), kParagraphPropertiesMaskAll);
    EXPECT_NE(cache.add(own), cache.add(style));
    EXPECT_EQ(cache.add(own), cache.add(own));
}

TEST(ParagraphFormattingInfoTest, DefaultsAndEquality)
{
    const ParagraphFormattingInfo defaults = ParagraphFormattingInfo::documentDefault();
    EXPECT_EQ(defaults.spacingAfter(), 200);
    EXPECT_EQ(defaults.lineSpacingType(), ParagraphLineSpacing::Multiple);
    EXPECT_FLOAT_EQ(defaults.lineSpacing(), 1.15f);
    ParagraphFormattingInfo bordered = defaults;
    BorderInfo border;
    border.style = BorderLineStyle::Double;
    border.width = 15;
    bordered.setTopBorder(border);
    EXPECT_NE(bordered, defaults);
    EXPECT_NE(bordered.hash(), defaults.hash());
    bordered.setTopBorder(BorderInfo{});
    EXPECT_EQ(bordered, defaults);
    EXPECT_EQ(static_cast<int>(BorderLineStyle::Inset), 26);
    EXPECT_EQ(static_cast<int>(BorderLineStyle::Apples), 27);
    EXPECT_EQ(static_cast<int>(BorderLineStyle::Disabled), 191);
}

} // namespace
} // namespace velmo::model
