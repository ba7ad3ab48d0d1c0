#pragma once

#include "core/positions.h"
#include "model/history_item.h"
#include "model/run_base.h"

#include <memory>
#include <vector>

namespace velmo::model {

class TextRunBase;

/// Inserts a run of any class over characters already appended to the text buffer. Undo keeps the
/// run object and redo puts the same object back, so what it carries (a picture, a floating object)
/// and the steps recorded against it stay valid.
class TextRunInsertedHistoryItem final : public HistoryItem {
public:
    struct Params {
        RunKind kind = RunKind::Text;
        ParagraphIndex paragraphIndex;
        RunIndex runIndex;
        int32_t startIndex = 0; // in the text buffer
        int32_t length = 0;
        int32_t characterPropertiesIndex = 0;
        int32_t characterStyleIndex = 0;
        int32_t noteIndex = -1; // note reference marks only
    };
    TextRunInsertedHistoryItem(PieceTable& pieceTable, const Params& params) noexcept
        : HistoryItem(pieceTable), params_(params)
    {
    }
    ~TextRunInsertedHistoryItem() override;
    [[nodiscard]] const Params& params() const noexcept { return params_; }
    /// Typing merge grows the inserted run; redo must then re-create it at its grown length.
    void changeLength(int32_t delta) noexcept { params_.length += delta; }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    Params params_;
    std::unique_ptr<TextRunBase> undoneRun_; // the run while the insertion is undone
    int32_t notificationId_ = 0;             // given on first execution, kept for undo and redo
};

/// Typing merge: text appended to the run that was inserted last.
class TextRunAppendTextHistoryItem final : public HistoryItem {
public:
    TextRunAppendTextHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex, RunIndex runIndex,
                                 int32_t textLength, TextRunInsertedHistoryItem* insertedItem) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), runIndex_(runIndex), textLength_(textLength),
          insertedItem_(insertedItem)
    {
    }
    [[nodiscard]] const HistoryItem* extendedItem() const noexcept override { return insertedItem_; }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex paragraphIndex_;
    RunIndex runIndex_;
    int32_t textLength_;
    TextRunInsertedHistoryItem* insertedItem_; // earlier in the same history, or null when not recorded
};

class TextRunSplitHistoryItem final : public HistoryItem {
public:
    TextRunSplitHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex, RunIndex runIndex, int32_t offset) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), runIndex_(runIndex), offset_(offset)
    {
    }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex paragraphIndex_;
    RunIndex runIndex_;
    int32_t offset_;
};

class TextRunsJoinedHistoryItem final : public HistoryItem {
public:
    TextRunsJoinedHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex, RunIndex runIndex) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), runIndex_(runIndex)
    {
    }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex paragraphIndex_;
    RunIndex runIndex_;
    int32_t splitOffset_ = 0; // set on redo
};

/// Removes runs of one paragraph, keeping them to put back on undo.
class SimpleTextRunsDeletedHistoryItem final : public HistoryItem {
public:
    SimpleTextRunsDeletedHistoryItem(PieceTable& pieceTable, ParagraphIndex paragraphIndex, RunIndex firstRunIndex,
                                     int32_t runCount) noexcept
        : HistoryItem(pieceTable), paragraphIndex_(paragraphIndex), firstRunIndex_(firstRunIndex), runCount_(runCount)
    {
    }
    ~SimpleTextRunsDeletedHistoryItem() override;

protected:
    void undoCore() override;
    void redoCore() override;

private:
    ParagraphIndex paragraphIndex_;
    RunIndex firstRunIndex_;
    int32_t runCount_;
    std::vector<std::unique_ptr<TextRunBase>> removedRuns_; // last removed first
    std::vector<int32_t> notificationIds_;                   // one per run, given on first execution
};

/// A run's character formatting replaced by another cached record.
class CharacterPropertiesIndexChangedHistoryItem final : public HistoryItem {
public:
    CharacterPropertiesIndexChangedHistoryItem(PieceTable& pieceTable, RunIndex runIndex, int32_t oldIndex, int32_t newIndex,
                                               DocumentModelChangeActions actions) noexcept
        : HistoryItem(pieceTable), runIndex_(runIndex), oldIndex_(oldIndex), newIndex_(newIndex), actions_(actions)
    {
    }
    /// A formatting change leaves the text where it was: the selection needs no restoring.
    [[nodiscard]] bool needsStoreSelection() const override { return false; }

protected:
    void undoCore() override;
    void redoCore() override;

private:
    void setIndex(int32_t index);

    RunIndex runIndex_;
    int32_t oldIndex_;
    int32_t newIndex_;
    DocumentModelChangeActions actions_;
};

} // namespace velmo::model
