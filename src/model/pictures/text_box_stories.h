#pragma once

#include <vector>

namespace velmo::model {

class FloatingObjectAnchorRun;
class PieceTable;
class TextBoxContentType;

/// The text boxes anchored in `pieceTable`, in the order of their anchors.
[[nodiscard]] std::vector<TextBoxContentType*> anchoredTextBoxes(const PieceTable& pieceTable);
/// When `pieceTable` is the story of a text box whose anchor is in its story, that anchor; else null.
[[nodiscard]] const FloatingObjectAnchorRun* textBoxAnchor(const PieceTable& pieceTable) noexcept;

} // namespace velmo::model
