#include "model/character_formatting_info.h"

#include "model/document_cache.h"
#include "model/merged_character_properties.h"
#include "model/unique_items_cache.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(CharacterFormattingInfoTest, PackedPropertiesDoNotDisturbEachOther)
{
    CharacterFormattingInfo info;
    info.setDoubleFontSize(72);
    info.setFontUnderlineType(UnderlineType::DashSmallGap);
    info.setFontStrikeoutType(StrikeoutType::Double);
    info.setScript(CharacterFormattingScript::Superscript);
    info.setFontBold(true);
    info.setHidden(true);
    info.setNoProof(true);
    EXPECT_EQ(info.doubleFontSize(), 72);
    EXPECT_EQ(info.fontUnderlineType(), UnderlineType::DashSmallGap);
    EXPECT_EQ(info.fontStrikeoutType(), StrikeoutType::Double);
    EXPECT_EQ(info.script(), CharacterFormattingScript::Superscript);
    EXPECT_TRUE(info.fontBold());
    EXPECT_FALSE(info.fontItalic());
    EXPECT_FALSE(info.allCaps());
    info.setFontBold(false);
    info.setDoubleFontSize(70000); // beyond 16 bits: kept at the largest size
    EXPECT_EQ(info.doubleFontSize(), 0xFFFF);
    EXPECT_FALSE(info.fontBold());
    EXPECT_TRUE(info.hidden());
    EXPECT_EQ(info.backColor(), kTransparentColor);
    EXPECT_EQ(info.foreColor(), kEmptyColor);
}

TEST(CharacterFormattingInfoTest, FontNamesCompareIgnoringCaseAndTheFirstSpellingStays)
{
    UniqueItemsCache<CharacterFormattingInfo> cache(CharacterFormattingInfo::documentDefault());
    CharacterFormattingInfo arial;
    arial.setFontName(u"Arial");
    CharacterFormattingInfo shouting = arial;
    shouting.setFontName(u"ARIAL");
    const int32_t first = cache.add(arial);
    EXPECT_EQ(cache.add(shouting), first);
    EXPECT_EQ(cache[first].fontName(), u"Arial");
    shouting.setForeColor(opaqueColor(255, 0, 0));
    EXPECT_NE(cache.add(shouting), first);
    EXPECT_EQ(cache.add(CharacterFormattingInfo::documentDefault()), 0);
}

TEST(CharacterFormattingInfoTest, MasksRecordWhatALayerSetsAndMergingTakesTheFirst)
{
    DocumentCache caches;
    auto& cache = caches.characterFormattingCache();
    EXPECT_EQ(cache[DocumentCache::kEmptyPropertiesIndex].mask(), 0);
    EXPECT_EQ(cache[DocumentCache::kDefaultPropertiesIndex].mask(), kCharacterPropertiesMaskAll);

    CharacterFormattingBase run = cache[DocumentCache::kEmptyPropertiesIndex];
    run.setFontBold(false); // set to the default value: still a layer that says "not bold"
    EXPECT_TRUE(run.uses(UsedCharacterFormattingOption::UseFontBold));
    EXPECT_NE(cache.add(run), DocumentCache::kEmptyPropertiesIndex);

    CharacterFormattingBase style = cache[DocumentCache::kEmptyPropertiesIndex];
    style.setFontBold(true);
    style.setFontItalic(true);
    style.setFontName(u"Georgia");
    MergedCharacterProperties merged(run);
    merged.merge(style);
    merged.merge(cache[DocumentCache::kDefaultPropertiesIndex]);
    EXPECT_FALSE(merged.info().fontBold()) << "the run's own setting wins";
    EXPECT_TRUE(merged.info().fontItalic());
    EXPECT_EQ(merged.info().fontName(), u"Georgia");
    EXPECT_EQ(merged.info().doubleFontSize(), 22);
    EXPECT_EQ(merged.mask(), kCharacterPropertiesMaskAll);

    style.resetUse(UsedCharacterFormattingOption::UseFontItalic | UsedCharacterFormattingOption::UseFontName);
    EXPECT_TRUE(style.info().fontItalic()) << "the value stays";
    EXPECT_FALSE(style.uses(UsedCharacterFormattingOption::UseFontItalic));
    EXPECT_TRUE(style.usesAll(static_cast<CharacterPropertiesMask>(UsedCharacterFormattingOption::UseFontBold)));
}

TEST(UniqueItemsCacheTest, ManyDistinctItemsKeepTheirIndices)
{
    UniqueItemsCache<CharacterFormattingInfo> cache(CharacterFormattingInfo::documentDefault());
    constexpr int kItems = 20000;
    for (int item = 0; item < kItems; ++item) {
        CharacterFormattingInfo info;
        info.setDoubleFontSize(item % 400);
        info.setForeColor(static_cast<AlphaColor>(item / 400));
        ASSERT_EQ(cache.add(info), item + 1);
    }
    for (int item = 0; item < kItems; item += 97) {
        CharacterFormattingInfo info;
        info.setDoubleFontSize(item % 400);
        info.setForeColor(static_cast<AlphaColor>(item / 400));
        ASSERT_EQ(cache.add(info), item + 1);
    }
    EXPECT_EQ(cache.count(), kItems + 1);
}

} // namespace
} // namespace velmo::model
