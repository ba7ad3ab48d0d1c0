#pragma once

#include <string>
#include <vector>

namespace velmo::model {

class PieceTable;
class TextRunBase;

/// Appends what an inline picture or floating-object anchor run shows to its dump line: the picture
/// (format, pixels, checksum, state), sizes and scales, and a floating object's placement, shape and
/// content; a text box is named by its place in `stories` ("textbox=#3"). Nothing for other runs.
void appendPictureRunDump(std::string& out, const TextRunBase& run, const std::vector<PieceTable*>& stories);

} // namespace velmo::model
