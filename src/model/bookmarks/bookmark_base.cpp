#include "model/bookmarks/bookmark_base.h"

#include "core/editor_exception.h"
#include "model/piece_table.h"

namespace velmo::model {

namespace {

DocumentIntervalBoundary boundaryAt(const PieceTable& pieceTable, DocumentLogPosition logPosition)
{
    const DocumentModelPosition position = pieceTable.findPosition(logPosition);
    return DocumentIntervalBoundary(logPosition, position.runIndex, position.runStartLogPosition);
}

} // namespace

BookmarkBase::BookmarkBase(const PieceTable& pieceTable, DocumentLogPosition start, DocumentLogPosition end)
    : pieceTable_(&pieceTable), start_(boundaryAt(pieceTable, start)), end_(boundaryAt(pieceTable, end))
{
    if (end < start)
        throw core::EditorException::invalidValue(end.value(), "end");
}

DocumentModelPosition BookmarkBase::resolve(const DocumentIntervalBoundary& boundary) const
{
    DocumentModelPosition position;
    position.pieceTable = pieceTable_;
    position.logPosition = boundary.logPosition();
    position.runIndex = boundary.runIndex();
    position.runStartLogPosition = boundary.runStartLogPosition();
    position.paragraphIndex = pieceTable_->run(boundary.runIndex()).paragraph().index();
    return position;
}

DocumentModelPosition BookmarkBase::startPosition() const
{
    return resolve(start_);
}

DocumentModelPosition BookmarkBase::endPosition() const
{
    return resolve(end_);
}

void BookmarkBase::onRunInserted(RunIndex runIndex, int32_t length, int32_t notificationId)
{
    start_.onRunInserted(runIndex, length, notificationId);
    end_.onRunInserted(runIndex, length, notificationId);
}

void BookmarkBase::onRunRemoved(RunIndex runIndex, int32_t length, int32_t notificationId)
{
    start_.onRunRemoved(runIndex, length, notificationId);
    end_.onRunRemoved(runIndex, length, notificationId);
}

void BookmarkBase::onRunSplit(RunIndex runIndex, int32_t offset) noexcept
{
    start_.onRunSplit(runIndex, offset);
    end_.onRunSplit(runIndex, offset);
}

void BookmarkBase::onRunJoined(RunIndex runIndex, int32_t headLength) noexcept
{
    start_.onRunJoined(runIndex, headLength);
    end_.onRunJoined(runIndex, headLength);
}

void BookmarkBase::onRunLengthChanged(RunIndex runIndex, int32_t delta, int32_t newLength) noexcept
{
    start_.onRunLengthChanged(runIndex, delta, newLength);
    end_.onRunLengthChanged(runIndex, delta, newLength);
}

} // namespace velmo::model
