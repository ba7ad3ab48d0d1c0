#include "model/tab_formatting_info.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TabInfo tab(int32_t position, TabAlignmentType alignment = TabAlignmentType::Left, bool deleted = false)
{
    TabInfo result;
    result.position = position;
    result.alignment = alignment;
    result.deleted = deleted;
    return result;
}

TabFormattingInfo tabs(std::initializer_list<TabInfo> entries)
{
    TabFormattingInfo result;
    for (const TabInfo& entry : entries)
        result.add(entry);
    return result;
}

TEST(TabFormattingInfoTest, AddKeepsOneTabPerPositionInOrder)
{
    TabFormattingInfo list = tabs({tab(1440), tab(720), tab(1440, TabAlignmentType::Right)});
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list[0].position, 720);
    EXPECT_EQ(list[1].alignment, TabAlignmentType::Right);
    EXPECT_EQ(list.findNextTab(720)->position, 1440);
    EXPECT_EQ(list.findNextTab(0)->position, 720);
    EXPECT_FALSE(list.findNextTab(1440).has_value());
    EXPECT_EQ(list.findTabItemIndexByPosition(1440), 1);
    list.remove(720);
    EXPECT_EQ(list.findTabItemIndexByPosition(720), -1);
}

TEST(TabFormattingInfoTest, MergeAndNormalizeAreInverse)
{
    const TabFormattingInfo parent = tabs({tab(720), tab(2880), tab(4320)});
    // The child cancels 720, changes 2880 and adds 3600.
    const TabFormattingInfo child = tabs({tab(720, TabAlignmentType::Left, true), tab(2880, TabAlignmentType::Center), tab(3600)});
    const TabFormattingInfo merged = child.merge(parent);
    EXPECT_EQ(merged, tabs({tab(2880, TabAlignmentType::Center), tab(3600), tab(4320)}));
    EXPECT_EQ(merged.findTabItemIndexByPosition(720), -1) << "the deleted entry cancels the parent's tab";

    const TabFormattingInfo stored = merged.normalizeTabs(parent);
    EXPECT_EQ(stored, child);
    EXPECT_EQ(stored.merge(parent), merged);
    EXPECT_EQ(merged.normalizeTabs(TabFormattingInfo()), merged);
}

} // namespace
} // namespace velmo::model
