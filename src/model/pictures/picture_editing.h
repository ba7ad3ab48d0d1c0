#pragma once

#include "core/positions.h"
#include "model/pictures/geometry.h"

#include <cstdint>
#include <vector>

namespace velmo::model {

class FloatingObjectAnchorRun;
class InlinePictureRun;
class OfficeImageReference;
class PieceTable;
struct InputPosition;

/// Inserts an inline picture showing the picture `image` refers to (of any document: it is taken into
/// this one) at the position, with scales in percent; the position moves past it. One undoable step.
InlinePictureRun& insertInlinePicture(PieceTable& pieceTable, InputPosition& position, const OfficeImageReference& image,
                                      int32_t scaleX = 100, int32_t scaleY = 100);
InlinePictureRun& insertInlinePicture(PieceTable& pieceTable, DocumentLogPosition logPosition, const OfficeImageReference& image,
                                      int32_t scaleX = 100, int32_t scaleY = 100);

/// Inserts a floating-object anchor whose object has empty content, default properties and shape.
/// Fails with "An internal error occurred" in a text box (no floating objects inside text boxes).
FloatingObjectAnchorRun& insertFloatingObjectAnchor(PieceTable& pieceTable, InputPosition& position);
FloatingObjectAnchorRun& insertFloatingObjectAnchor(PieceTable& pieceTable, DocumentLogPosition logPosition);

/// The Insert Picture command's floating picture: anchored at the start of the paragraph holding
/// `selectionEnd`, centred in the column, in front of the text and above every other object of the
/// story, scaled by `scale` percent. One undoable step.
FloatingObjectAnchorRun& insertFloatingPicture(PieceTable& pieceTable, DocumentLogPosition selectionEnd,
                                               const OfficeImageReference& image, int32_t scale = 100);
/// The Text Box command's box: 2880 x 1440 twips, white with a black outline, anchored like a floating
/// picture, growing with its text. One undoable step. The caller makes its story active.
FloatingObjectAnchorRun& insertTextBox(PieceTable& pieceTable, DocumentLogPosition selectionEnd);

/// The scale (percent, the same on both axes) a new picture is inserted at so that it fits the
/// column: never enlarged, never below 1. Sizes in model units.
[[nodiscard]] int32_t insertedPictureScale(Size imageSizeInTwips, int32_t columnWidth, int32_t availableHeight) noexcept;

/// The floating objects anchored in the story, by z-order ascending (story order among equals).
[[nodiscard]] std::vector<FloatingObjectAnchorRun*> floatingObjectList(const PieceTable& pieceTable);
/// The z-order a new floating object of the story gets: above all others.
[[nodiscard]] int32_t nextZOrder(const PieceTable& pieceTable);

} // namespace velmo::model
