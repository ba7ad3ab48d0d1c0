#include "list_test_support.h"
#include "model/document_history.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmo::model {
namespace {

/// Number texts of list paragraphs in story order. Every case uses the default multilevel list
/// ("%0:s.", "%0:s.%1:s." and so on) with two instances; the second may override a level's start.
TEST(NumberingListCountersTest, NumberTextsInStoryOrder)
{
    struct Item {
        int32_t instance; // 0 or 1; -1 for a paragraph outside the list
        int32_t level;
    };
    using Adjust = void (*)(int32_t level, ListLevelInfo& info);
    struct Case {
        const char* name;
        Adjust adjust; // changes to the levels of the abstract list; null for none
        int32_t overrideLevel; // the second instance's overridden level; -1 for none
        int32_t newStart;
        std::vector<Item> items;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {"three items, a sub-item and one more", nullptr, -1, 0,
         {{0, 0}, {0, 0}, {0, 0}, {0, 1}, {0, 0}},
         {u"1.", u"2.", u"3.", u"3.1.", u"4."}},
        {"a level restarts after the level above it advanced", nullptr, -1, 0,
         {{0, 0}, {0, 1}, {0, 1}, {0, 0}, {0, 1}},
         {u"1.", u"1.1.", u"1.2.", u"2.", u"2.1."}},
        {"SuppressRestart keeps counting across the level above",
         [](int32_t level, ListLevelInfo& info) { info.suppressRestart = level == 1; }, -1, 0,
         {{0, 0}, {0, 1}, {0, 1}, {0, 0}, {0, 1}},
         {u"1.", u"1.1.", u"1.2.", u"2.", u"2.3."}},
        {"a deep item before any shallower one starts the levels above it", nullptr, -1, 0,
         {{0, 2}, {0, 2}, {0, 0}, {0, 1}},
         {u"1.1.1.", u"1.1.2.", u"2.", u"2.1."}},
        {"an override starts the second instance anew and the first continues after it", nullptr, 0, 5,
         {{0, 0}, {1, 0}, {1, 0}, {0, 0}},
         {u"1.", u"5.", u"6.", u"7."}},
        {"an override on a deeper level applies to the instance's first item there", nullptr, 1, 10,
         {{0, 0}, {1, 1}, {1, 1}, {1, 0}, {1, 1}},
         {u"1.", u"1.10.", u"1.11.", u"2.", u"2.1."}},
        {"a level restarting after the level two above it",
         [](int32_t level, ListLevelInfo& info) { info.relativeRestartLevel = level == 2 ? 1 : 0; }, -1, 0,
         {{0, 0}, {0, 1}, {0, 2}, {0, 2}, {0, 1}, {0, 2}, {0, 0}, {0, 2}},
         {u"1.", u"1.1.", u"1.1.1.", u"1.1.2.", u"1.2.", u"1.2.3.", u"2.", u"2.1.1."}},
        {"legal numbering writes an UpperRoman upper level in decimal",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 0)
                 info.format = NumberingFormat::UpperRoman;
             info.convertPreviousLevelNumberingToDecimal = level == 1;
         },
         -1, 0, {{0, 0}, {0, 0}, {0, 1}}, {u"I.", u"II.", u"2.1."}},
        {"without legal numbering the upper level stays Roman",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 0)
                 info.format = NumberingFormat::UpperRoman;
         },
         -1, 0, {{0, 0}, {0, 0}, {0, 1}}, {u"I.", u"II.", u"II.1."}},
        {"paragraphs outside the list leave the count alone", nullptr, -1, 0,
         {{0, 0}, {-1, 0}, {0, 0}},
         {u"1.", u"", u"2."}},
        {"UpperRoman from 1994",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 0) {
                 info.format = NumberingFormat::UpperRoman;
                 info.start = 1994;
             }
         },
         -1, 0, {{0, 0}}, {u"MCMXCIV."}},
        {"LowerLetter past z and past its last value",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 0) {
                 info.format = NumberingFormat::LowerLetter;
                 info.start = 26;
             }
             if (level == 1) {
                 info.format = NumberingFormat::LowerLetter;
                 info.start = 781;
             }
         },
         -1, 0, {{0, 0}, {0, 0}, {0, 1}}, {u"z.", u"aa.", u"aa.."}},
        {"DecimalZero below ten",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 0) {
                 info.format = NumberingFormat::DecimalZero;
                 info.start = 7;
             }
         },
         -1, 0, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, {u"07.", u"08.", u"09.", u"10."}},
        {"words and ordinals count in digits in a list",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 0)
                 info.format = NumberingFormat::CardinalText;
             if (level == 1)
                 info.format = NumberingFormat::OrdinalText;
         },
         -1, 0, {{0, 0}, {0, 1}}, {u"1.", u"1.1."}},
        {"a start of 0",
         [](int32_t, ListLevelInfo& info) { info.start = 0; }, -1, 0,
         {{0, 1}, {0, 0}},
         {u"0.0.", u"1."}},
        {"a malformed display format shows the first level's number",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 1)
                 info.displayFormatString = u"%0:s.%1:s.%9:s";
         },
         -1, 0, {{0, 0}, {0, 1}}, {u"1.", u"1"}},
        {"a level without a placeholder shows the first character of its text",
         [](int32_t level, ListLevelInfo& info) {
             if (level == 1)
                 info.displayFormatString = u"\u00B7\t";
         },
         -1, 0, {{0, 0}, {0, 1}, {0, 1}}, {u"1.", u"\u00B7", u"\u00B7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentModel document;
        const int32_t first = addMultiLevelList(document);
        const int32_t abstractIndex = document.numbering().numberingList(first).abstractNumberingListIndex();
        const int32_t second = addListInstance(document, abstractIndex);
        if (c.adjust) {
            for (int32_t level = 0; level < kListLevelCount; ++level)
                document.numbering().changeListLevel(abstractIndex, level,
                                                     [&](ListLevel& changed) { c.adjust(level, changed.listLevelProperties); });
        }
        if (c.overrideLevel >= 0) {
            NumberingListReferenceLevel& reference = document.numbering().numberingListCore(second).level(c.overrideLevel);
            reference.overrideStart = true;
            reference.newStart = c.newStart;
        }
        writeParagraphs(document, static_cast<int32_t>(c.items.size()));
        PieceTable& story = document.mainPieceTable();
        for (size_t index = 0; index < c.items.size(); ++index) {
            const Item& item = c.items[index];
            if (item.instance >= 0)
                story.addNumberingListToParagraph(ParagraphIndex(static_cast<int32_t>(index)), item.instance == 0 ? first : second,
                                                  item.level);
        }
        expectSound(document);

        EXPECT_EQ(numberTexts(document), c.expected);
        // Asked backwards, every paragraph counts again from the start: the same texts.
        for (size_t index = c.items.size(); index-- > 0;) {
            SCOPED_TRACE(index);
            EXPECT_EQ(story.paragraph(ParagraphIndex(static_cast<int32_t>(index))).numberingListText(), c.expected[index]);
        }
    }
}

class NumberingListCountersCacheTest : public ::testing::Test {
protected:
    NumberingListCountersCacheTest()
    {
        list_ = addMultiLevelList(document_);
        writeParagraphs(document_, 4);
        for (int32_t index = 0; index < 4; ++index)
            story().addNumberingListToParagraph(ParagraphIndex(index), list_, 0);
    }
    PieceTable& story() { return document_.mainPieceTable(); }

    DocumentModel document_;
    int32_t list_ = -1;
};

TEST_F(NumberingListCountersCacheTest, CountersFollowEveryChange)
{
    EXPECT_EQ(story().rangeListCounters(story().paragraph(ParagraphIndex(3))), (std::vector<int64_t>{4}));
    // A change before the paragraph last asked for is seen by the next question about a later one.
    story().addNumberingListToParagraph(ParagraphIndex(1), list_, 1);
    EXPECT_EQ(story().rangeListCounters(story().paragraph(ParagraphIndex(3))), (std::vector<int64_t>{3}));
    EXPECT_EQ(story().rangeListCounters(story().paragraph(ParagraphIndex(1))), (std::vector<int64_t>{1, 1}));
    story().removeNumberingFromParagraph(ParagraphIndex(0));
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"", u"1.1.", u"2.", u"3."}));
    document_.numbering().changeListLevel(0, 0, [](ListLevel& level) { level.listLevelProperties.start = 10; });
    EXPECT_EQ(story().paragraph(ParagraphIndex(3)).numberingListText(), u"12.") << "p1 started level 0 at 10";
    document_.history().undo();
    EXPECT_EQ(story().paragraph(ParagraphIndex(3)).numberingListText(), u"3.");
    EXPECT_TRUE(story().rangeListCounters(story().paragraph(ParagraphIndex(0))).empty()) << "not in a list";
}

TEST_F(NumberingListCountersCacheTest, PreCalculatedTextsWinUntilRemoved)
{
    const Paragraph& second = story().paragraph(ParagraphIndex(1));
    story().setPreCalculatedNumberingListTexts({{&second, u"(b)"}});
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"(b)", u"3.", u"4."}));
    std::u16string text;
    story().appendNumberingListText(second.firstRunIndex(), text);
    story().appendNumberingListText(second.lastRunIndex(), text); // not the paragraph's first run
    EXPECT_EQ(text, u"(b)");
    story().setPreCalculatedNumberingListTexts({});
    EXPECT_EQ(second.numberingListText(), u"2.");
}

} // namespace
} // namespace velmo::model
