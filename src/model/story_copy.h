#pragma once

namespace velmo::model {

class PieceTable;

/// Appends the text, paragraphs and formatting of `source` to `target`, a story of the same
/// document, as undoable steps. Note references are not copied (a note belongs to one mark).
void copyStoryContent(const PieceTable& source, PieceTable& target);

} // namespace velmo::model
