#include "model/bookmarks/document_interval_boundary.h"

#include <algorithm>

namespace velmo::model {

void DocumentIntervalBoundary::moveBy(int32_t runDelta, int32_t lengthDelta) noexcept
{
    runIndex_ += runDelta;
    runStartLogPosition_ += lengthDelta;
    logPosition_ += lengthDelta;
}

void DocumentIntervalBoundary::onRunInserted(RunIndex runIndex, int32_t length, int32_t notificationId)
{
    if (runIndex < runIndex_ || (runIndex == runIndex_ && offset() > 0)) {
        moveBy(1, length);
        return;
    }
    if (runIndex != runIndex_ || notificationId == 0)
        return;
    // The run comes back under the id of the step that removed it: so does the boundary.
    const auto note = std::find_if(removedRunNotes_.rbegin(), removedRunNotes_.rend(),
                                   [notificationId](const RemovedRunNote& candidate) { return candidate.notificationId == notificationId; });
    if (note == removedRunNotes_.rend())
        return;
    const int32_t offsetInRun = note->offset;
    removedRunNotes_.erase(std::next(note).base());
    if (offsetInRun >= length)
        moveBy(1, length);
    else
        logPosition_ += offsetInRun; // back inside the run, which starts where the boundary stood
}

void DocumentIntervalBoundary::onRunRemoved(RunIndex runIndex, int32_t length, int32_t notificationId)
{
    if (runIndex > runIndex_)
        return;
    if (runIndex == runIndex_) {
        // The boundary goes to where the removed run began, which is where the next run now starts.
        const int32_t offsetInRun = offset();
        if (offsetInRun == 0)
            return;
        if (notificationId != 0)
            removedRunNotes_.push_back({notificationId, offsetInRun});
        logPosition_ = runStartLogPosition_;
        return;
    }
    if (runIndex + 1 == runIndex_ && offset() == 0 && notificationId != 0)
        removedRunNotes_.push_back({notificationId, length});
    moveBy(-1, -length);
}

void DocumentIntervalBoundary::onRunSplit(RunIndex runIndex, int32_t offset) noexcept
{
    if (runIndex < runIndex_) {
        ++runIndex_;
    } else if (runIndex == runIndex_ && this->offset() >= offset) {
        ++runIndex_;
        runStartLogPosition_ += offset;
    }
}

void DocumentIntervalBoundary::onRunJoined(RunIndex runIndex, int32_t headLength) noexcept
{
    if (runIndex + 1 < runIndex_) {
        --runIndex_;
    } else if (runIndex + 1 == runIndex_) {
        --runIndex_;
        runStartLogPosition_ -= headLength;
    }
}

void DocumentIntervalBoundary::onRunLengthChanged(RunIndex runIndex, int32_t delta, int32_t newLength) noexcept
{
    if (runIndex < runIndex_) {
        runStartLogPosition_ += delta;
        logPosition_ += delta;
    } else if (runIndex == runIndex_ && offset() >= newLength) {
        // The end of the run it stood in went away: it now stands where the next run starts.
        ++runIndex_;
        runStartLogPosition_ += newLength;
        logPosition_ = runStartLogPosition_;
    }
}

} // namespace velmo::model
