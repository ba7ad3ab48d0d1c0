#include "model/paragraph_indexed_tree.h"

#include "model/content_type.h"
#include "model/document_model.h"
#include "model/paragraph.h"
#include "model/piece_table.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace velmo::model {
namespace {

/// Drives the tree directly against a plain list of (run count, length) pairs.
class ParagraphIndexedTreeTest : public ::testing::Test {
protected:
    struct Expected {
        int32_t runIndex;
        int32_t logPosition;
    };

    void insertAt(int32_t index, int32_t runIndex, int32_t logPosition)
    {
        tree_.insert(ParagraphIndex(index), std::make_unique<Paragraph>(document_.mainPieceTable()), RunIndex(runIndex),
                     DocumentLogPosition(logPosition));
        expected_.insert(expected_.begin() + index, Expected{runIndex, logPosition});
    }

    void shiftFrom(int32_t from, int32_t to, int32_t deltaRun, int32_t deltaLog)
    {
        tree_.shift(ParagraphIndex(from), ParagraphIndex(to), deltaRun, deltaLog);
        for (int32_t index = std::max(from, 0); index <= std::min<int32_t>(to, static_cast<int32_t>(expected_.size()) - 1); ++index) {
            expected_[static_cast<size_t>(index)].runIndex += deltaRun;
            expected_[static_cast<size_t>(index)].logPosition += deltaLog;
        }
    }

    void verify()
    {
        ASSERT_NO_THROW(tree_.checkIntegrity());
        ASSERT_EQ(tree_.count(), static_cast<int32_t>(expected_.size()));
        for (int32_t index = 0; index < tree_.count(); ++index) {
            const TreeOffsets offsets = tree_.absoluteOffsets(tree_.at(ParagraphIndex(index)));
            ASSERT_EQ(offsets.index, index);
            ASSERT_EQ(offsets.runIndex, expected_[static_cast<size_t>(index)].runIndex) << "paragraph " << index;
            ASSERT_EQ(offsets.logPosition, expected_[static_cast<size_t>(index)].logPosition) << "paragraph " << index;
        }
    }

    DocumentModel document_;
    ParagraphIndexedTree tree_;
    std::vector<Expected> expected_;
};

TEST_F(ParagraphIndexedTreeTest, SeventeenthParagraphSplitsTheRootAndRemovalKeepsOffsets)
{
    for (int32_t index = 0; index < 16; ++index)
        insertAt(index, index * 2, index * 10);
    EXPECT_EQ(tree_.depth(), 1);
    insertAt(16, 32, 160);
    EXPECT_EQ(tree_.depth(), 2);
    verify();
    insertAt(3, 6, 30); // into the left half, which is not full
    shiftFrom(4, 17, 2, 10);
    verify();
    for (int32_t index = 16; index >= 1; index -= 3) {
        tree_.remove(ParagraphIndex(index));
        expected_.erase(expected_.begin() + index);
        verify();
    }
}

TEST_F(ParagraphIndexedTreeTest, RandomInsertsRemovesAndShiftsMatchAPlainList)
{
    std::mt19937 random(7);
    for (int32_t step = 0; step < 4000; ++step) {
        const auto count = static_cast<int32_t>(expected_.size());
        const int32_t choice = static_cast<int32_t>(random() % 10);
        if (count == 0 || choice < 5) {
            const int32_t index = static_cast<int32_t>(random() % static_cast<uint32_t>(count + 1));
            insertAt(index, static_cast<int32_t>(random() % 1000), static_cast<int32_t>(random() % 100000));
        } else if (choice < 8) {
            const int32_t index = static_cast<int32_t>(random() % static_cast<uint32_t>(count));
            tree_.remove(ParagraphIndex(index));
            expected_.erase(expected_.begin() + index);
        } else {
            const int32_t from = static_cast<int32_t>(random() % static_cast<uint32_t>(count));
            const int32_t to = from + static_cast<int32_t>(random() % 40);
            shiftFrom(from, to, static_cast<int32_t>(random() % 7) - 3, static_cast<int32_t>(random() % 21) - 10);
        }
        if (step % 97 == 0 || count < 40)
            verify();
        if (HasFatalFailure())
            return;
    }
    verify();
}

} // namespace
} // namespace velmo::model
