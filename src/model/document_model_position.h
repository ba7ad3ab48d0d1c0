#pragma once

#include "core/positions.h"

namespace velmo::model {

class PieceTable;

/// A position resolved to its paragraph and run within one story.
struct DocumentModelPosition {
    const PieceTable* pieceTable = nullptr;
    DocumentLogPosition logPosition;
    ParagraphIndex paragraphIndex;
    RunIndex runIndex;
    /// Log position of the first character of the run.
    DocumentLogPosition runStartLogPosition;
};

/// A range resolved at both ends; `end` is inclusive. `normalizedStart`/`normalizedEnd` are the
/// two in document order.
struct RunInfo {
    DocumentModelPosition start;
    DocumentModelPosition end;
    DocumentModelPosition normalizedStart;
    DocumentModelPosition normalizedEnd;
};

} // namespace velmo::model
