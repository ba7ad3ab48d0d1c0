#pragma once

#include "core/positions.h"

#include <optional>

namespace velmo::model {

class DocumentModel;
class PieceTable;

/// Prepares pasting `fragment` (a document a reader made of clipboard data) at `logPosition` of
/// `target` when the fragment is a single floating object: its anchor and the final paragraph mark.
/// Such an object is anchored at the start of the paragraph holding the position, and where an object
/// anchored there already has its offset and position types, the pasted one moves 1/6 inch right and
/// down and goes in front of it, as often as needed: pasting one picture repeatedly cascades the
/// copies. Returns the position to insert at; nullopt, changing nothing, for any other fragment.
[[nodiscard]] std::optional<DocumentLogPosition> prepareSingleFloatingObjectPaste(DocumentModel& fragment, const PieceTable& target,
                                                                                DocumentLogPosition logPosition);

} // namespace velmo::model
