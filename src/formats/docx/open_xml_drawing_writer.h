#pragma once

#include "formats/xml/xml_writer.h"
#include "formats/zip/zip_stream_writer.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmo::model {
class FloatingObjectAnchorRun;
class InlinePictureRun;
class OfficeImage;
class OfficeImageReference;
class PieceTable;
}

namespace velmo::formats {

/// Writes the pictures, floating pictures and text boxes of runs as DrawingML: inline pictures as
/// "drawing" > "inline", floating pictures as "drawing" > "anchor", text boxes as a
/// word-processing shape with a VML fallback. Each picture's bytes are stored once per package
/// under "word/media"; relations to them are kept per part.
class OpenXmlDrawingWriter {
public:
    /// One relation of a part to a stored picture.
    struct ImageRelation {
        std::string id;
        std::string target; // from the part's folder
    };

    /// `writeTextBoxStory` writes the paragraphs of a text box's story, like a body.
    OpenXmlDrawingWriter(ZIPStreamWriter& package, std::function<void(const model::PieceTable&)> writeTextBoxStory);

    /// A part starts; parts nest (a header is written in the middle of the main document).
    void beginPart();
    /// The part started last ends: the relations its pictures need, in order of first use.
    [[nodiscard]] std::vector<ImageRelation> endPart();
    /// The extensions of the pictures stored and their content types, in order of first use.
    [[nodiscard]] const std::vector<std::pair<std::string, std::string>>& imageContentTypes() const noexcept { return contentTypes_; }

    /// Whether the run shows a picture that can be stored. Waits, within the time a save allows
    /// for all of them, for a linked picture still being fetched.
    [[nodiscard]] bool canWrite(const model::InlinePictureRun& run);
    /// Whether the anchor shows a picture that can be stored, or a text box.
    [[nodiscard]] bool canWrite(const model::FloatingObjectAnchorRun& run);
    /// The content of the run element ("drawing"); canWrite() must have said yes.
    void writeInlinePicture(XmlWriter& writer, const model::InlinePictureRun& run);
    /// The content of the run element after its properties: "drawing" for a picture, the
    /// markup-compatibility choice of a shape and its VML form for a text box.
    void writeFloatingObject(XmlWriter& writer, const model::FloatingObjectAnchorRun& run);

private:
    /// The relation id of a picture in the current part, storing it the first time.
    std::string imageRelation(const model::OfficeImage& image);
    [[nodiscard]] bool waitForPicture(model::OfficeImageReference& image);

    void writeAnchor(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t id);
    void writeShapeInline(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t id);
    void writeGraphic(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t id);
    void writePicture(XmlWriter& writer, const model::OfficeImage& image, int32_t id, int64_t cx, int64_t cy,
                      const std::function<void()>& writeShapeEnd, std::optional<int32_t> rotation);
    void writeTextBoxShape(XmlWriter& writer, const model::FloatingObjectAnchorRun& run);
    void writeVmlTextBox(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t anchorId);

    ZIPStreamWriter& package_;
    std::function<void(const model::PieceTable&)> writeTextBoxStory_;
    int32_t imageCount_ = 0;
    int32_t nextDrawingId_ = 1;
    /// Pictures stored, with their member name from "word/".
    std::map<const model::OfficeImage*, std::string> storedImages_;
    std::vector<std::pair<std::string, std::string>> contentTypes_;
    /// Per open part: relation ids by picture, and the relations in order.
    struct PartImages {
        std::map<const model::OfficeImage*, std::string> ids;
        std::vector<ImageRelation> relations;
    };
    std::vector<PartImages> parts_;
    /// How long this save may still wait for linked pictures; set by the first wait.
    std::optional<std::chrono::steady_clock::time_point> waitDeadline_;
};

} // namespace velmo::formats
