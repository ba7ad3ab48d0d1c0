#pragma once

#include <map>
#include <string>
#include <vector>

namespace velmo::model {

class OfficeImage;
class PieceTable;
class TextRunBase;

/// What the dump of one document's pictures remembers from run to run.
struct PictureDumpContext {
    /// Every story of the document, in dump order: a text box is named by its place here.
    std::vector<PieceTable*> stories;
    /// Pictures are numbered in order of first appearance, so that a dump shows which runs share
    /// one picture without depending on how an encoder compressed its bytes.
    std::map<const OfficeImage*, int> imageNumbers;
};

/// Appends what an inline picture or floating-object anchor run shows to its dump line: the picture
/// (number, format, pixels, state), sizes and scales, and a floating object's placement, shape and
/// content ("textbox=#3" for a text box story). Nothing for other runs.
void appendPictureRunDump(std::string& out, const TextRunBase& run, PictureDumpContext& context);

} // namespace velmo::model
