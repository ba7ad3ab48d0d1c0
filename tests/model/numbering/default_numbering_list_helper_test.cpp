#include "model/numbering/default_numbering_list_helper.h"

#include "list_test_support.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/model_test_support.h"
#include "support/golden.h"

#include <gtest/gtest.h>

#include <set>

namespace velmo::model {
namespace {

TEST(DefaultNumberingListHelperTest, ANewDocumentHasNoListsAndTheHelperAddsThreeAsOneStep)
{
    DocumentModel document;
    EXPECT_EQ(document.numbering().abstractNumberingListCount(), 0);
    EXPECT_EQ(document.numbering().numberingListCount(), 0);
    EXPECT_EQ(document.numbering().numberingListStyles().count(), 0);
    std::mt19937 random(11);
    DefaultNumberingListHelper(random).insertNumberingLists(document, 720);
    const DocumentNumbering& numbering = document.numbering();
    ASSERT_EQ(numbering.abstractNumberingListCount(), 3);
    ASSERT_EQ(numbering.numberingListCount(), 3);
    EXPECT_EQ(numbering.abstractNumberingList(0).numberingType(), NumberingType::Simple);
    EXPECT_EQ(numbering.abstractNumberingList(1).numberingType(), NumberingType::Bullet);
    EXPECT_EQ(numbering.abstractNumberingList(2).numberingType(), NumberingType::MultiLevel);
    for (int32_t index = 0; index < 3; ++index)
        EXPECT_EQ(numbering.numberingList(index).abstractNumberingListIndex(), index);
    EXPECT_EQ(numbering.abstractNumberingList(0).id(), 1);
    EXPECT_EQ(numbering.abstractNumberingList(2).id(), 3);

    document.history().undo();
    EXPECT_EQ(numbering.abstractNumberingListCount(), 0);
    EXPECT_EQ(numbering.numberingListCount(), 0);
}

TEST(DefaultNumberingListHelperTest, LevelsOfTheThreeLists)
{
    DocumentModel document;
    std::mt19937 random(11);
    DefaultNumberingListHelper(random).insertNumberingLists(document, 720);
    const DocumentNumbering& numbering = document.numbering();
    const auto& paragraphs = document.cache().paragraphFormattingCache();
    const auto& characters = document.cache().characterFormattingCache();
    constexpr int32_t kMultiLevelIndents[] = {360, 792, 1224, 1728, 2232, 2736, 3240, 3744, 4320};
    constexpr int32_t kMultiLevelHanging[] = {360, 432, 504, 648, 792, 936, 1080, 1224, 1440};
    for (int32_t level = 0; level < kListLevelCount; ++level) {
        SCOPED_TRACE(level);
        const ListLevel& simple = numbering.abstractNumberingList(0).level(level);
        const ListLevel& bullet = numbering.abstractNumberingList(1).level(level);
        const ListLevel& multi = numbering.abstractNumberingList(2).level(level);
        const std::u16string own = u"%" + std::u16string(1, static_cast<char16_t>(u'0' + level)) + u":s.";
        EXPECT_EQ(simple.listLevelProperties.displayFormatString, own);
        EXPECT_EQ(simple.listLevelProperties.format, NumberingFormat::Decimal);
        EXPECT_EQ(bullet.listLevelProperties.displayFormatString, level % 2 == 0 ? u"\u00B7" : u"o");
        EXPECT_EQ(bullet.listLevelProperties.format, NumberingFormat::Bullet);
        EXPECT_EQ(characters[bullet.characterPropertiesIndex].info().fontName(), u"Symbol");
        EXPECT_EQ(multi.listLevelProperties.templateCode, 0);
        for (const ListLevel* single : {&simple, &bullet}) {
            const ParagraphFormattingInfo& indents = paragraphs[single->paragraphPropertiesIndex].info();
            EXPECT_EQ(indents.leftIndent(), (level + 1) * 720);
            EXPECT_EQ(indents.firstLineIndentType(), ParagraphFirstLineIndent::Hanging);
            EXPECT_EQ(indents.firstLineIndent(), 360);
        }
        const ParagraphFormattingInfo& multiIndents = paragraphs[multi.paragraphPropertiesIndex].info();
        EXPECT_EQ(multiIndents.leftIndent(), kMultiLevelIndents[level]);
        EXPECT_EQ(multiIndents.firstLineIndent(), kMultiLevelHanging[level]);
    }
    EXPECT_EQ(numbering.abstractNumberingList(2).level(8).listLevelProperties.displayFormatString,
              u"%0:s.%1:s.%2:s.%3:s.%4:s.%5:s.%6:s.%7:s.%8:s.");
    const int32_t narrowTabs = DefaultNumberingListHelper(random).insertDefaultSimpleNumberingList(document, 500);
    EXPECT_EQ(paragraphs[numbering.abstractNumberingList(narrowTabs).level(0).paragraphPropertiesIndex].info().firstLineIndent(), 250);
}

TEST(DefaultNumberingListHelperTest, TemplateCodesAreFreshAndRepeatableWithASeed)
{
    const auto codes = [](uint32_t seed) {
        DocumentModel document;
        std::mt19937 random(seed);
        DefaultNumberingListHelper helper(random);
        helper.insertNumberingLists(document, 720);
        helper.insertNumberingLists(document, 720);
        std::vector<int32_t> result;
        for (int32_t index = 0; index < document.numbering().abstractNumberingListCount(); ++index) {
            for (const ListLevel& level : document.numbering().abstractNumberingList(index).levels()) {
                if (level.listLevelProperties.templateCode != 0)
                    result.push_back(level.listLevelProperties.templateCode);
            }
        }
        return result;
    };
    const std::vector<int32_t> first = codes(5);
    ASSERT_EQ(first.size(), 4u * kListLevelCount) << "two simple and two bullet lists";
    EXPECT_EQ(std::set<int32_t>(first.begin(), first.end()).size(), first.size()) << "no code twice in a document";
    for (const int32_t code : first) {
        EXPECT_GE(code, 256);
        EXPECT_LE(code, 2147483646);
    }
    EXPECT_EQ(codes(5), first);
    EXPECT_NE(codes(6), first);
}

TEST(DefaultNumberingListHelperTest, DumpOfListParagraphs)
{
    DocumentModel document;
    std::mt19937 random(1);
    DefaultNumberingListHelper(random).insertNumberingLists(document, 720);
    writeParagraphs(document, 6);
    PieceTable& story = document.mainPieceTable();
    const int32_t items[][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    for (int32_t index = 0; index < 6; ++index)
        story.addNumberingListToParagraph(ParagraphIndex(index), items[index][0], items[index][1]);
    expectSound(document);
    velmo::testing::expectMatchesGolden(dumpDocument(document), "model/golden/default_lists.txt");
}

} // namespace
} // namespace velmo::model
