#include "list_test_support.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/insert_content_command.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace velmo::model {
namespace {

/// Random edits of a document whose paragraphs join and leave lists: the lists' paragraph counts
/// stay right, number texts do not depend on the order they are asked in, and undo and redo
/// retrace every dump (which shows each paragraph's list and number).
class NumberingRandomEditTest : public ::testing::TestWithParam<uint32_t> {
protected:
    NumberingRandomEditTest()
    {
        lists_[0] = addMultiLevelList(document_);
        lists_[1] = addMultiLevelList(document_);
        lists_[2] = addListInstance(document_, 0); // counts together with the first
        auto style = std::make_unique<ParagraphStyle>(document_, u"Numbered");
        style->setParentCore(&document_.styles().paragraphStyles().defaultItem());
        numberedStyle_ = document_.styles().addParagraphStyle(std::move(style));
        document_.styles().paragraphStyles()[numberedStyle_].setNumberingListIndex(lists_[1]);
        document_.styles().paragraphStyles()[numberedStyle_].setListLevelIndex(1);

        const int32_t fragmentList = addMultiLevelList(fragment_);
        fragment_.mainPieceTable().insertPlainText(DocumentLogPosition(0), u"one\rtwo\rthree");
        for (int32_t index = 0; index < 3; ++index)
            fragment_.mainPieceTable().addNumberingListToParagraph(ParagraphIndex(index), fragmentList, index % 2);
        document_.history().clear();
    }

    PieceTable& story() { return document_.mainPieceTable(); }
    int32_t randomBelow(int32_t bound) { return static_cast<int32_t>(random_() % static_cast<uint32_t>(bound)); }

    void step()
    {
        const int32_t end = story().documentEndLogPosition().value();
        const DocumentLogPosition position(randomBelow(end + 1));
        const ParagraphIndex paragraph(randomBelow(story().paragraphCount()));
        const int32_t choice = randomBelow(100);
        if (choice < 15) {
            story().insertText(position, u"text");
        } else if (choice < 35) {
            story().insertParagraph(position);
        } else if (choice < 50) {
            const int32_t longest = choice < 48 ? 6 : 60;
            story().deleteContent(position, randomBelow(std::min(end - position.value(), longest) + 1));
        } else if (choice < 73) {
            story().addNumberingListToParagraph(paragraph, lists_[randomBelow(3)], randomBelow(4));
        } else if (choice < 83) {
            story().removeNumberingFromParagraph(paragraph);
        } else if (choice < 88) {
            story().setParagraphStyleIndex(paragraph, randomBelow(2) == 0 ? 0 : numberedStyle_);
        } else if (choice < 92) {
            document_.insertSection(position);
        } else if (choice < 96) {
            document_.editingOptions().mergeUseFirstParagraphStyle = !document_.editingOptions().mergeUseFirstParagraphStyle;
        } else {
            const InsertOptions options = randomBelow(2) == 0 ? InsertOptions::KeepSourceFormatting
                                                              : InsertOptions::MatchDestinationFormatting;
            PieceTableInsertContentConvertedToDocumentModelCommand(story(), position, fragment_, options).execute();
        }
    }

    /// Texts asked for at random after all of them were asked in order are the same.
    void expectOrderDoesNotMatter()
    {
        const std::vector<std::u16string> inOrder = numberTexts(document_);
        for (int probe = 0; probe < 5; ++probe) {
            const int32_t index = randomBelow(static_cast<int32_t>(inOrder.size()));
            ASSERT_EQ(story().paragraph(ParagraphIndex(index)).numberingListText(), inOrder[static_cast<size_t>(index)])
                << "paragraph " << index;
        }
    }

    DocumentModel document_;
    DocumentModel fragment_;
    int32_t lists_[3] = {};
    int32_t numberedStyle_ = 0;
    std::mt19937 random_{GetParam()};
};

TEST_P(NumberingRandomEditTest, CountsStayRightAndUndoRedoRetraceEveryDump)
{
    std::vector<std::string> dumps{dumpDocument(document_)};
    int32_t mostListParagraphs = 0;
    for (int index = 0; index < 1500; ++index) {
        {
            BatchUpdateScope oneUndoStep(document_);
            step();
        }
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty()) << "after step " << index;
        expectOrderDoesNotMatter();
        if (HasFatalFailure())
            return;
        dumps.push_back(dumpDocument(document_));
        mostListParagraphs = std::max(mostListParagraphs, document_.numbering().numberingList(lists_[0]).referringParagraphsCount());
    }
    EXPECT_GT(mostListParagraphs, 20) << "the lists must grow long enough to count";
    std::vector<std::string> visited{dumps.back()};
    while (document_.history().canUndo()) {
        document_.history().undo();
        const std::string dump = dumpDocument(document_);
        while (!dumps.empty() && dumps.back() != dump)
            dumps.pop_back();
        ASSERT_FALSE(dumps.empty()) << "undo reached a state that never existed";
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty());
        visited.push_back(dump);
    }
    for (size_t index = visited.size() - 1; index-- > 0;) {
        document_.history().redo();
        ASSERT_EQ(dumpDocument(document_), visited[index]);
    }
    expectSound(document_);
}

INSTANTIATE_TEST_SUITE_P(Seeds, NumberingRandomEditTest, ::testing::Values(1u, 2u, 3u));

} // namespace
} // namespace velmo::model
