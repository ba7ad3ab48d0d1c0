#include "model/bookmarks/bookmark_collection.h"
#include "model/document_dump.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/insert_content_command.h"
#include "model/paragraph_properties.h"
#include "model/piece_table.h"
#include "model/property_modifiers.h"
#include "model/runs.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace velmo::model {
namespace {

/// Random edits of text, paragraph marks and section marks, compared step by step with a plain
/// string that holds the same characters.
class PieceTableRandomEditTest : public ::testing::TestWithParam<uint32_t> {
protected:
    PieceTableRandomEditTest() { fillFragment(fragment_); }

    PieceTable& story() { return document_.mainPieceTable(); }

    int32_t randomBelow(int32_t bound) { return static_cast<int32_t>(random_() % static_cast<uint32_t>(bound)); }

    std::u16string randomText()
    {
        static constexpr char16_t kAlphabet[] = u"abcdefgh \u00E9\u0159\t";
        std::u16string text(static_cast<size_t>(1 + randomBelow(12)), u' ');
        for (char16_t& character : text)
            character = kAlphabet[randomBelow(static_cast<int32_t>(std::size(kAlphabet)) - 1)];
        return text;
    }

    /// One random edit; with `withTables` some steps insert small tables, whose deletion rules
    /// the plain reference string does not follow; with `withBookmarks` some create or delete
    /// bookmarks.
    void step(bool withTables = false, bool withBookmarks = false)
    {
        const auto end = static_cast<int32_t>(reference_.size()) - 1; // position of the last mark
        const int32_t position = randomBelow(end + 1);
        if (withBookmarks && randomBelow(100) < 10) {
            bookmarkStep(position);
            return;
        }
        const int32_t choice = randomBelow(100);
        if (withTables && choice < 4) {
            story().insertTable(DocumentLogPosition(position), 1 + randomBelow(2), 1 + randomBelow(3));
        } else if (choice < 30) {
            const std::u16string text = randomText();
            story().insertText(DocumentLogPosition(position), text);
            insertIntoReference(position, text);
        } else if (choice < 45) {
            // Typing character by character exercises the typing merge.
            InputPosition input = story().createInputPosition(DocumentLogPosition(position));
            const std::u16string text = randomText();
            for (size_t index = 0; index < text.size(); ++index)
                story().insertText(input, std::u16string_view(text).substr(index, 1));
            insertIntoReference(position, text);
        } else if (choice < 58) {
            story().insertParagraph(DocumentLogPosition(position));
            insertIntoReference(position, std::u16string(1, kParagraphMark));
        } else if (choice < 63) {
            document_.insertSection(DocumentLogPosition(position));
            insertIntoReference(position, std::u16string(1, kSectionMark));
        } else if (choice < 83) {
            // Mostly short deletions, now and then a long one across many paragraphs.
            const int32_t longest = choice < 81 ? 8 : 120;
            const int32_t length = randomBelow(std::min(end - position, longest) + 2);
            story().deleteContent(DocumentLogPosition(position), length);
            eraseFromReference(position, std::min(length, end - position));
        } else if (choice < 92) {
            if (position < end) {
                const int32_t length = 1 + randomBelow(std::min(end - position, 30));
                story().applyCharacterFormatting(DocumentLogPosition(position), length, fontBoldModifier(randomBelow(2) == 0));
            }
        } else if (choice < 95) {
            const auto alignment = static_cast<ParagraphAlignment>(randomBelow(4));
            story().applyParagraphFormatting(DocumentLogPosition(position), 1 + randomBelow(end - position + 1),
                                             ParagraphFormattingModifier([alignment](ParagraphProperties& properties) {
                                                 properties.setAlignment(alignment);
                                             }));
        } else if (choice < 97) {
            const int32_t length = randomBelow(std::min(end - position, 8) + 1);
            const std::u16string text = randomText();
            story().replaceText(DocumentLogPosition(position), length, text);
            insertIntoReference(position + length, text);
            eraseFromReference(position, length);
        } else {
            PieceTableInsertContentConvertedToDocumentModelCommand(story(), DocumentLogPosition(position), fragment_,
                                                                   InsertOptions::MatchDestinationFormatting)
                .execute();
            insertIntoReference(position, u"frag one\rfrag two");
        }
    }

    /// Creates a bookmark (clamped to the story as the model does) or deletes one. (Where tables
    /// come in, the reference no longer follows the text, nor do its bookmarks.)
    void bookmarkStep(int32_t position)
    {
        const auto end = static_cast<int32_t>(reference_.size()) - 1;
        const int32_t count = story().bookmarkCollection().count();
        if (count > 0 && randomBelow(3) == 0) {
            const int32_t index = randomBelow(count);
            story().deleteBookmark(index);
            if (static_cast<size_t>(index) < bookmarks_.size())
                bookmarks_.erase(bookmarks_.begin() + index);
            return;
        }
        const int32_t length = randomBelow(20) == 0 ? 0 : randomBelow(40);
        story().createBookmark(DocumentLogPosition(position), length, u"b" + std::u16string(1, u'a' + randomBelow(26)));
        const ReferenceBookmark added{position, std::min(position + length, end)};
        const auto place = std::upper_bound(bookmarks_.begin(), bookmarks_.end(), added, [](const auto& a, const auto& b) {
            return a.start < b.start || (a.start == b.start && a.end < b.end);
        });
        bookmarks_.insert(place, added);
    }

    // The plain-string reference and the bookmarks as the simple rules say they move: text
    // inserted at a bookmark's start goes in, at its end stays out; a deletion takes away the
    // bookmarks strictly inside it and collapsed ones anywhere in it, and pulls the others' ends
    // in it to its start.
    void insertIntoReference(int32_t position, std::u16string_view text)
    {
        reference_.insert(static_cast<size_t>(position), text);
        const auto length = static_cast<int32_t>(text.size());
        for (ReferenceBookmark& bookmark : bookmarks_) {
            bookmark.start += bookmark.start > position ? length : 0;
            bookmark.end += bookmark.end > position ? length : 0;
        }
    }

    void eraseFromReference(int32_t position, int32_t length)
    {
        if (length <= 0)
            return;
        reference_.erase(static_cast<size_t>(position), static_cast<size_t>(length));
        const int32_t rangeEnd = position + length;
        std::erase_if(bookmarks_, [&](const ReferenceBookmark& bookmark) {
            return (bookmark.start > position && bookmark.end < rangeEnd) ||
                   (bookmark.start == bookmark.end && bookmark.start >= position && bookmark.end <= rangeEnd);
        });
        const auto move = [&](int32_t& at) { at = at <= position ? at : std::max(position, at - length); };
        for (ReferenceBookmark& bookmark : bookmarks_) {
            move(bookmark.start);
            move(bookmark.end);
        }
    }

    /// Undoes every step, each state reached being one of `dumps` in reverse order (steps that
    /// changed nothing, or typing that only extended the previous step, made no step of their
    /// own), then redoes them, retracing the same states; with `checkEachState` the integrity
    /// checker runs after every undo.
    void expectUndoAndRedoRetrace(std::vector<std::string> dumps, bool checkEachState = false)
    {
        std::vector<std::string> visited{dumps.back()};
        while (document_.history().canUndo()) {
            document_.history().undo();
            const std::string dump = dumpDocument(document_);
            while (!dumps.empty() && dumps.back() != dump)
                dumps.pop_back();
            ASSERT_FALSE(dumps.empty()) << "undo reached a state that never existed";
            visited.push_back(dump);
            if (checkEachState) {
                ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty());
            }
        }
        EXPECT_EQ(story().bookmarkCollection().count(), 0);
        for (size_t index = visited.size() - 1; index-- > 0;) {
            document_.history().redo();
            ASSERT_EQ(dumpDocument(document_), visited[index]);
        }
        expectSound(document_);
    }

    void verifyBookmarks()
    {
        const BookmarkCollection& bookmarks = story().bookmarkCollection();
        ASSERT_EQ(bookmarks.count(), static_cast<int32_t>(bookmarks_.size()));
        for (int32_t index = 0; index < bookmarks.count(); ++index) {
            ASSERT_EQ(bookmarks[index].start().value(), bookmarks_[static_cast<size_t>(index)].start) << "bookmark " << index;
            ASSERT_EQ(bookmarks[index].end().value(), bookmarks_[static_cast<size_t>(index)].end) << "bookmark " << index;
        }
    }

    void verifyAgainstReference()
    {
        ASSERT_EQ(story().storyText(), reference_);
        expectSound(document_);
        const auto length = static_cast<int32_t>(reference_.size());
        for (int32_t probe = 0; probe < 24; ++probe) {
            const int32_t position = randomBelow(length);
            int32_t marksBefore = 0;
            for (int32_t index = 0; index < position; ++index)
                marksBefore += reference_[static_cast<size_t>(index)] == kParagraphMark || reference_[static_cast<size_t>(index)] == kSectionMark;
            const DocumentModelPosition found = story().findPosition(DocumentLogPosition(position));
            ASSERT_EQ(found.paragraphIndex.value(), marksBefore) << "position " << position;
            ASSERT_EQ(story().findParagraphIndex(DocumentLogPosition(position)).value(), marksBefore);
            const std::u16string runText = story().runText(found.runIndex);
            const int32_t offset = position - found.runStartLogPosition.value();
            ASSERT_LT(offset, static_cast<int32_t>(runText.size()));
            ASSERT_EQ(runText[static_cast<size_t>(offset)], reference_[static_cast<size_t>(position)]) << "position " << position;
        }
    }

    /// Two paragraphs, the first a heading with some bold text.
    static void fillFragment(DocumentModel& fragment)
    {
        PieceTable& main = fragment.mainPieceTable();
        main.insertText(DocumentLogPosition(0), u"frag one");
        main.insertParagraph(DocumentLogPosition(8));
        main.insertText(DocumentLogPosition(9), u"frag two");
        main.applyCharacterFormatting(DocumentLogPosition(5), 3, fontBoldModifier(true));
        main.setParagraphStyleIndex(ParagraphIndex(0), fragment.styles().headingParagraphStyle(1));
    }

    struct ReferenceBookmark {
        int32_t start;
        int32_t end;
    };

    DocumentModel document_;
    DocumentModel fragment_;
    std::u16string reference_ = u"\r";
    std::vector<ReferenceBookmark> bookmarks_; // in the story's collection order
    std::mt19937 random_{GetParam()};
};

TEST_P(PieceTableRandomEditTest, EveryStepMatchesThePlainStringAndUndoRedoReplays)
{
    std::vector<std::u16string> states{reference_};
    constexpr int kSteps = 5000;
    for (int index = 0; index < kSteps; ++index) {
        {
            BatchUpdateScope oneUndoStep(document_);
            step();
        }
        verifyAgainstReference();
        if (HasFatalFailure() || HasFailure()) {
            ADD_FAILURE() << "after step " << index;
            return;
        }
        states.push_back(reference_);
    }
    EXPECT_GT(story().paragraphCount(), 256) << "the document must grow large enough to deepen the paragraph tree";
    EXPECT_GT(document_.sectionCount(), 5);
    // Steps that changed nothing leave no undo entry, so walk back by comparing texts.
    while (document_.history().canUndo()) {
        document_.history().undo();
        const std::u16string text = story().storyText();
        while (!states.empty() && states.back() != text)
            states.pop_back();
        ASSERT_FALSE(states.empty()) << "undo reached a text that never existed";
        expectSound(document_);
    }
    EXPECT_EQ(story().storyText(), u"\r");
    EXPECT_EQ(document_.sectionCount(), 1);

    while (document_.history().canRedo())
        document_.history().redo();
    EXPECT_EQ(story().storyText(), reference_);
    expectSound(document_);
}

TEST_P(PieceTableRandomEditTest, UndoAndRedoRetraceEveryDump)
{
    std::vector<std::string> dumps{dumpDocument(document_)};
    for (int index = 0; index < 2000; ++index) {
        {
            BatchUpdateScope oneUndoStep(document_);
            step(true);
        }
        dumps.push_back(dumpDocument(document_));
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty()) << "after step " << index;
    }
    EXPECT_GT(story().tableCellsManager().tableCount(), 3);
    expectUndoAndRedoRetrace(std::move(dumps));
}

TEST_P(PieceTableRandomEditTest, BookmarksFollowEveryStepAndUndoRedoRestoreThem)
{
    std::vector<std::string> dumps{dumpDocument(document_)};
    for (int index = 0; index < 2000; ++index) {
        {
            BatchUpdateScope oneUndoStep(document_);
            step(false, true);
        }
        ASSERT_EQ(story().storyText(), reference_) << "after step " << index;
        verifyBookmarks();
        if (HasFatalFailure()) {
            ADD_FAILURE() << "after step " << index;
            return;
        }
        dumps.push_back(dumpDocument(document_));
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty()) << "after step " << index;
    }
    EXPECT_GT(story().bookmarkCollection().count(), 10);
    expectUndoAndRedoRetrace(std::move(dumps), true);
}

TEST_P(PieceTableRandomEditTest, BookmarksAmongTablesThroughUndoAndRedo)
{
    std::vector<std::string> dumps{dumpDocument(document_)};
    for (int index = 0; index < 2000; ++index) {
        {
            BatchUpdateScope oneUndoStep(document_);
            step(true, true);
        }
        dumps.push_back(dumpDocument(document_));
        ASSERT_THAT(findIntegrityProblems(document_), ::testing::IsEmpty()) << "after step " << index;
    }
    EXPECT_GT(story().bookmarkCollection().count(), 5);
    expectUndoAndRedoRetrace(std::move(dumps), true);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PieceTableRandomEditTest, ::testing::Values(1u, 2u, 3u, 4u));

} // namespace
} // namespace velmo::model
