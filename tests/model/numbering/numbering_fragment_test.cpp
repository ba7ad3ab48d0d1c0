#include "list_test_support.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/insert_content_command.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

/// A fragment "x", "y", "z" whose paragraphs are items 1., 1.1. and 2. of one list, inserted
/// into "abcd" after "ab": the fragment's last mark is not copied, so "z" joins "cd".
class InsertFragmentWithListsTest : public ::testing::Test {
protected:
    InsertFragmentWithListsTest()
    {
        sourceList_ = addMultiLevelList(fragment_);
        PieceTable& source = fragment_.mainPieceTable();
        source.insertPlainText(at(0), u"x\ry\rz");
        const int32_t levels[] = {0, 1, 0};
        for (int32_t index = 0; index < 3; ++index)
            source.addNumberingListToParagraph(ParagraphIndex(index), sourceList_, levels[index]);
        story().insertText(at(0), u"abcd");
    }

    PieceTable& story() { return document_.mainPieceTable(); }
    void insertFragment(int32_t position, InsertOptions options)
    {
        PieceTableInsertContentConvertedToDocumentModelCommand(story(), at(position), fragment_, options).execute();
    }

    DocumentModel fragment_;
    DocumentModel document_;
    int32_t sourceList_ = -1;
};

TEST_F(InsertFragmentWithListsTest, WholeParagraphsBringTheirListAlongAsANewList)
{
    const std::string before = dumpDocument(document_);
    const std::string sourceBefore = dumpDocument(fragment_);
    insertFragment(2, InsertOptions::MatchDestinationFormatting);
    EXPECT_EQ(story().storyText(), u"abx\ry\rzcd\r");
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"1.1.", u""}))
        << "the paragraph copied without its mark keeps the target's numbering";
    const DocumentNumbering& numbering = document_.numbering();
    ASSERT_EQ(numbering.abstractNumberingListCount(), 1);
    ASSERT_EQ(numbering.numberingListCount(), 1);
    for (int32_t level = 0; level < kListLevelCount; ++level) {
        const ListLevel& copied = numbering.abstractNumberingList(0).level(level);
        const ListLevel& original = fragment_.numbering().abstractNumberingList(0).level(level);
        EXPECT_EQ(copied.listLevelProperties, original.listLevelProperties);
        EXPECT_EQ(document_.cache().paragraphFormattingCache()[copied.paragraphPropertiesIndex],
                  fragment_.cache().paragraphFormattingCache()[original.paragraphPropertiesIndex]);
    }
    EXPECT_EQ(numbering.numberingList(0).referringParagraphsCount(), 2);
    EXPECT_EQ(dumpDocument(fragment_), sourceBefore) << "the source is unchanged";
    expectSound(document_);

    insertFragment(0, InsertOptions::MatchDestinationFormatting);
    EXPECT_EQ(numbering.numberingListCount(), 2) << "every insertion brings new lists";
    EXPECT_EQ(story().storyText(), u"x\ry\rzabx\ry\rzcd\r");
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"1.1.", u"1.", u"1.1.", u""}))
        << "the first insertion's list counts on its own";
    expectSound(document_);

    document_.history().undo();
    document_.history().undo();
    EXPECT_EQ(dumpDocument(document_), before);
    EXPECT_EQ(numbering.numberingListCount(), 0);
    EXPECT_EQ(numbering.abstractNumberingListCount(), 0);
}

TEST_F(InsertFragmentWithListsTest, CopyAlwaysAlsoNumbersTheParagraphWhereTheFragmentEnds)
{
    insertFragment(2, InsertOptions::KeepSourceFormatting);
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"1.1.", u"2."}));
    EXPECT_EQ(document_.numbering().numberingList(0).referringParagraphsCount(), 3);
    const ParagraphFormattingInfo& sub = story().mergedParagraphFormatting(story().paragraph(ParagraphIndex(1)));
    EXPECT_EQ(sub.leftIndent(), 792) << "the level's indent came along";
    expectSound(document_);
}

TEST_F(InsertFragmentWithListsTest, InstancesOfOneAbstractListKeepCountingTogether)
{
    PieceTable& source = fragment_.mainPieceTable();
    const int32_t second = addListInstance(fragment_, 0);
    source.addNumberingListToParagraph(ParagraphIndex(1), second, 0);
    EXPECT_EQ(numberTexts(fragment_), (std::vector<std::u16string>{u"1.", u"2.", u"3."}));
    insertFragment(4, InsertOptions::KeepSourceFormatting);
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"2.", u"3."}));
    EXPECT_EQ(document_.numbering().abstractNumberingListCount(), 1);
    EXPECT_EQ(document_.numbering().numberingListCount(), 2);
    expectSound(document_);
}

TEST_F(InsertFragmentWithListsTest, AnInstanceThatRedefinesALevelShowsItAndKeepsCountingTogether)
{
    // The second instance shows level 0 in upper-case letters, indented its own way.
    ListLevel letters = fragment_.numbering().abstractNumberingList(0).level(0);
    letters.listLevelProperties.format = NumberingFormat::UpperLetter;
    letters.listLevelProperties.displayFormatString = u"%0:s)";
    ParagraphFormattingBase indent;
    indent.set(UsedParagraphFormattingOption::UseLeftIndent, [](ParagraphFormattingInfo& info) { info.setLeftIndent(1234); });
    letters.paragraphPropertiesIndex = fragment_.cache().paragraphFormattingCache().add(indent);
    const int32_t second = addListInstance(fragment_, 0);
    fragment_.numbering().numberingListCore(second).level(0).overrideLevel = letters;
    PieceTable& source = fragment_.mainPieceTable();
    source.addNumberingListToParagraph(ParagraphIndex(1), second, 0);
    EXPECT_EQ(numberTexts(fragment_), (std::vector<std::u16string>{u"1.", u"B)", u"3."}));
    EXPECT_EQ(source.mergedParagraphFormatting(source.paragraph(ParagraphIndex(1))).leftIndent(), 1234);

    insertFragment(4, InsertOptions::KeepSourceFormatting);
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.", u"B)", u"3."}));
    const PieceTable& target = story();
    EXPECT_EQ(target.mergedParagraphFormatting(target.paragraph(ParagraphIndex(1))).leftIndent(), 1234);
    expectSound(document_);
}

TEST_F(InsertFragmentWithListsTest, AStyleThatNumbersComesWithItsList)
{
    auto style = std::make_unique<ParagraphStyle>(fragment_, u"Steps");
    style->setParentCore(&fragment_.styles().paragraphStyles().defaultItem());
    const int32_t styleIndex = fragment_.styles().addParagraphStyle(std::move(style));
    ParagraphStyle& steps = fragment_.styles().paragraphStyles()[styleIndex];
    steps.setNumberingListIndex(sourceList_);
    steps.setListLevelIndex(2);
    PieceTable& source = fragment_.mainPieceTable();
    source.removeNumberingFromParagraph(ParagraphIndex(0));
    source.setParagraphStyleIndex(ParagraphIndex(0), styleIndex);
    ASSERT_EQ(source.paragraph(ParagraphIndex(0)).ownNumberingListIndex(), kNumberingListIndexNotSet);
    EXPECT_EQ(numberTexts(fragment_)[0], u"1.1.1.");

    insertFragment(0, InsertOptions::MatchDestinationFormatting);
    const auto& styles = document_.styles().paragraphStyles();
    const int32_t copied = styles.styleIndexByName(u"Steps");
    ASSERT_GE(copied, 0);
    EXPECT_TRUE(document_.numbering().isValidNumberingListIndex(styles[copied].numberingListIndex()));
    EXPECT_EQ(styles[copied].listLevelIndex(), 2);
    EXPECT_EQ(numberTexts(document_), (std::vector<std::u16string>{u"1.1.1.", u"1.2.", u""}));
    EXPECT_EQ(document_.numbering().numberingListCount(), 1) << "the style's list and the paragraphs' list are one";
    expectSound(document_);
}

} // namespace
} // namespace velmo::model
