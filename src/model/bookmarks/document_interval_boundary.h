#pragma once

#include "core/positions.h"

#include <cstdint>
#include <vector>

namespace velmo::model {

/// One end of a position-anchored interval of a story, kept in step with the runs as they are
/// inserted, removed, split, joined and grown. The boundary always names the run that holds its
/// position (at a run boundary, the run starting there), so equal positions look alike.
///
/// Text inserted exactly at a boundary lands after it. A run removed under or right before a
/// boundary leaves a note under the removing step's notification id; undo re-inserts the run
/// under the same id, and the note puts the boundary back where it was inside or after that run.
class DocumentIntervalBoundary {
public:
    DocumentIntervalBoundary(DocumentLogPosition logPosition, RunIndex runIndex, DocumentLogPosition runStartLogPosition) noexcept
        : logPosition_(logPosition), runIndex_(runIndex), runStartLogPosition_(runStartLogPosition)
    {
    }

    [[nodiscard]] DocumentLogPosition logPosition() const noexcept { return logPosition_; }
    [[nodiscard]] RunIndex runIndex() const noexcept { return runIndex_; }
    [[nodiscard]] DocumentLogPosition runStartLogPosition() const noexcept { return runStartLogPosition_; }
    /// How far into its run the boundary lies.
    [[nodiscard]] int32_t offset() const noexcept { return logPosition_ - runStartLogPosition_; }

    /// A run of `length` inserted at `runIndex` by the step with `notificationId` (0: none).
    void onRunInserted(RunIndex runIndex, int32_t length, int32_t notificationId);
    void onRunRemoved(RunIndex runIndex, int32_t length, int32_t notificationId);
    /// Run `runIndex` split into a head of `offset` characters and a tail at runIndex + 1.
    void onRunSplit(RunIndex runIndex, int32_t offset) noexcept;
    /// Run `runIndex` + 1 joined into run `runIndex`, which was `headLength` long.
    void onRunJoined(RunIndex runIndex, int32_t headLength) noexcept;
    /// Run `runIndex` grew (or shrank) at its end by `delta` to `newLength`.
    void onRunLengthChanged(RunIndex runIndex, int32_t delta, int32_t newLength) noexcept;

private:
    /// Where the boundary was in a run that a step removed: `offset` characters into it (its
    /// length when the boundary followed it).
    struct RemovedRunNote {
        int32_t notificationId;
        int32_t offset;
    };

    void moveBy(int32_t runDelta, int32_t lengthDelta) noexcept;

    DocumentLogPosition logPosition_;
    RunIndex runIndex_;
    DocumentLogPosition runStartLogPosition_;
    std::vector<RemovedRunNote> removedRunNotes_;
};

} // namespace velmo::model
