#pragma once

#include "core/positions.h"
#include "model/bookmarks/document_interval_boundary.h"
#include "model/document_model_position.h"

#include <cstdint>

namespace velmo::model {

class PieceTable;

/// A position-anchored interval [start, end] of one story that follows edits of the story's runs
/// (bookmarks, range permissions). Paragraph indices are worked out from the runs when asked, so
/// nothing needs recomputing after paragraphs come and go.
class BookmarkBase {
public:
    /// The interval [start, end] of `pieceTable`; both must lie in the story, start <= end.
    BookmarkBase(const PieceTable& pieceTable, DocumentLogPosition start, DocumentLogPosition end);
    virtual ~BookmarkBase() = default;
    BookmarkBase(const BookmarkBase&) = delete;
    BookmarkBase& operator=(const BookmarkBase&) = delete;

    [[nodiscard]] const PieceTable& pieceTable() const noexcept { return *pieceTable_; }
    [[nodiscard]] DocumentLogPosition start() const noexcept { return start_.logPosition(); }
    [[nodiscard]] DocumentLogPosition end() const noexcept { return end_.logPosition(); }
    [[nodiscard]] int32_t length() const noexcept { return end() - start(); }
    [[nodiscard]] const DocumentIntervalBoundary& startBoundary() const noexcept { return start_; }
    [[nodiscard]] const DocumentIntervalBoundary& endBoundary() const noexcept { return end_; }
    /// The start resolved to paragraph and run.
    [[nodiscard]] DocumentModelPosition startPosition() const;
    [[nodiscard]] DocumentModelPosition endPosition() const;

    // Run notifications of the story (see DocumentIntervalBoundary).
    void onRunInserted(RunIndex runIndex, int32_t length, int32_t notificationId);
    void onRunRemoved(RunIndex runIndex, int32_t length, int32_t notificationId);
    void onRunSplit(RunIndex runIndex, int32_t offset) noexcept;
    void onRunJoined(RunIndex runIndex, int32_t headLength) noexcept;
    void onRunLengthChanged(RunIndex runIndex, int32_t delta, int32_t newLength) noexcept;

private:
    [[nodiscard]] DocumentModelPosition resolve(const DocumentIntervalBoundary& boundary) const;

    const PieceTable* pieceTable_; // the story holds the interval while it lives
    DocumentIntervalBoundary start_;
    DocumentIntervalBoundary end_;
};

} // namespace velmo::model
