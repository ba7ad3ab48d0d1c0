#pragma once

namespace velmo::model {

class FloatingObjectAnchorRun;
class InlinePictureRun;
class PieceTable;
struct InputPosition;

/// Copies an inline picture (of any document) to the position, which moves past it: the same picture
/// with its properties and unscaled size. A target document that forbids inline pictures gets a space.
void copyInlinePictureRun(const InlinePictureRun& source, PieceTable& target, InputPosition& position);
/// Copies a floating object with its anchor: properties, shape, name and a copy of its content (a text
/// box gets a new story with the text copied). A target that forbids floating objects, or a text box
/// story, which cannot hold any, gets a space.
void copyFloatingObjectAnchorRun(const FloatingObjectAnchorRun& source, PieceTable& target, InputPosition& position);

} // namespace velmo::model
