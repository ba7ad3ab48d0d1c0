#pragma once

#include "core/positions.h"

namespace velmo::model {

class PieceTable;
class RunBase;
class TextRunInsertedHistoryItem;

/// What typing merge needs to extend the run that was inserted last instead of adding a new one.
struct LastInsertedRunInfo {
    const PieceTable* pieceTable = nullptr;
    const RunBase* run = nullptr;
    RunIndex runIndex{-1};
    /// Position just after the inserted text; -1 when nothing can be extended.
    DocumentLogPosition logPosition{-1};
    /// The item that inserted the run; null when the history records nothing (readers).
    TextRunInsertedHistoryItem* historyItem = nullptr;

    void reset(const PieceTable* table) noexcept { *this = LastInsertedRunInfo{}; pieceTable = table; }
};

} // namespace velmo::model
