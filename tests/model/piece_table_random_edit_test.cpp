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
    /// the plain reference string does not follow.
    void step(bool withTables = false)
    {
        const auto end = static_cast<int32_t>(reference_.size()) - 1; // position of the last mark
        const int32_t position = randomBelow(end + 1);
        const int32_t choice = randomBelow(100);
        if (withTables && choice < 4) {
            story().insertTable(DocumentLogPosition(position), 1 + randomBelow(2), 1 + randomBelow(3));
        } else if (choice < 30) {
            const std::u16string text = randomText();
            story().insertText(DocumentLogPosition(position), text);
            reference_.insert(static_cast<size_t>(position), text);
        } else if (choice < 45) {
            // Typing character by character exercises the typing merge.
            InputPosition input = story().createInputPosition(DocumentLogPosition(position));
            const std::u16string text = randomText();
            for (size_t index = 0; index < text.size(); ++index)
                story().insertText(input, std::u16string_view(text).substr(index, 1));
            reference_.insert(static_cast<size_t>(position), text);
        } else if (choice < 58) {
            story().insertParagraph(DocumentLogPosition(position));
            reference_.insert(static_cast<size_t>(position), 1, kParagraphMark);
        } else if (choice < 63) {
            document_.insertSection(DocumentLogPosition(position));
            reference_.insert(static_cast<size_t>(position), 1, kSectionMark);
        } else if (choice < 83) {
            // Mostly short deletions, now and then a long one across many paragraphs.
            const int32_t longest = choice < 81 ? 8 : 120;
            const int32_t length = randomBelow(std::min(end - position, longest) + 2);
            story().deleteContent(DocumentLogPosition(position), length);
            reference_.erase(static_cast<size_t>(position), static_cast<size_t>(std::min(length, end - position)));
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
            reference_.replace(static_cast<size_t>(position), static_cast<size_t>(length), text);
        } else {
            PieceTableInsertContentConvertedToDocumentModelCommand(story(), DocumentLogPosition(position), fragment_,
                                                                   InsertOptions::MatchDestinationFormatting)
                .execute();
            reference_.insert(static_cast<size_t>(position), u"frag one\rfrag two");
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

    DocumentModel document_;
    DocumentModel fragment_;
    std::u16string reference_ = u"\r";
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
    // Undo: every state reached is one recorded before, in reverse order (steps that changed
    // nothing, or typing that only extended the previous step, made no step of their own).
    std::vector<std::string> visited{dumps.back()};
    while (document_.history().canUndo()) {
        document_.history().undo();
        const std::string dump = dumpDocument(document_);
        while (!dumps.empty() && dumps.back() != dump)
            dumps.pop_back();
        ASSERT_FALSE(dumps.empty()) << "undo reached a state that never existed";
        visited.push_back(dump);
    }
    // Redo: the same states forward.
    for (size_t index = visited.size() - 1; index-- > 0;) {
        document_.history().redo();
        ASSERT_EQ(dumpDocument(document_), visited[index]);
    }
    expectSound(document_);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PieceTableRandomEditTest, ::testing::Values(1u, 2u, 3u, 4u));

} // namespace
} // namespace velmo::model
