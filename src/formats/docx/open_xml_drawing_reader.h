#pragma once

#include "formats/docx/open_xml_attributes.h"
#include "formats/docx/open_xml_package.h"
#include "formats/docx/open_xml_reading.h"
#include "model/pictures/floating_object_formatting.h"
#include "model/pictures/geometry.h"
#include "model/pictures/shape_formatting.h"
#include "model/pictures/text_box_formatting.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmo::model {
class DocumentModel;
class FloatingObjectAnchorRun;
class OfficeImageReference;
class PieceTable;
class TextBoxFloatingObjectContent;
}

namespace velmo::formats {

class OpenXmlStoryBuilder;

/// Whether every prefix the "Requires" of the markup-compatibility "Choice" the reader is on names
/// a namespace whose content is read: word-processing shapes, the 2010 drawing additions and
/// pictures ("pic" is taken even undeclared).
[[nodiscard]] bool isSupportedDrawingChoice(const XmlReader& reader);

/// Markup-compatibility content: the children of the first "Choice" that `accepts`, or else those
/// of the "Fallback", go to `onElement` as children of the enclosing element.
template <typename Accepts, typename OnElement>
void readAlternateContent(XmlReader& reader, Accepts&& accepts, OnElement&& onElement)
{
    bool taken = false;
    forEachChildElement(reader, [&] {
        if (reader.namespaceUri() != kMarkupCompatibilityNamespace || taken) {
            reader.skipSubtree();
            return;
        }
        if ((reader.localName() == "Choice" && accepts(reader)) || reader.localName() == "Fallback") {
            taken = true;
            forEachChildElement(reader, onElement);
            return;
        }
        reader.skipSubtree();
    });
}

/// Reads the pictures, floating objects and text boxes of a story: DrawingML "drawing" elements
/// ("inline" and "anchor" holding a picture or a word-processing shape) and VML "pict" and "object"
/// elements. Pictures come from the parts the relations of the part being read name, each part
/// decoded once; one that cannot be decoded is kept as a stand-in with its bytes, one that is
/// missing or damaged gives no picture. Linked pictures become pictures fetched from their URI after
/// loading; pictures linked outside the package give no picture. A text box's text is read into
/// its own story through `readTextBoxStory`. Floating objects cannot sit in text boxes: there a
/// floating picture goes in inline and a text box is left out.
class OpenXmlDrawingReader {
public:
    /// Reads the children of the element the reader is on (a "txbxContent") into `story`.
    using StoryReader = std::function<void(XmlReader& reader, model::PieceTable& story)>;

    OpenXmlDrawingReader(model::DocumentModel& documentModel, const OpenXmlAttributes& attributes, const OpenXmlPackage& package,
                         StoryReader readTextBoxStory);
    ~OpenXmlDrawingReader();
    OpenXmlDrawingReader(const OpenXmlDrawingReader&) = delete;
    OpenXmlDrawingReader& operator=(const OpenXmlDrawingReader&) = delete;

    /// The part whose content is read next: its relations (which must outlive the reading) and
    /// name. The pictures of the previous part are forgotten.
    void setPart(const OpenXmlRelationCollection& relations, std::string_view partName);
    /// Lets go of every picture reference kept (at the end of a load).
    void clear();

    /// A "drawing" element; leaves the reader on its end tag.
    void readDrawing(XmlReader& reader, OpenXmlStoryBuilder& story);
    /// A "pict" or "object" element; leaves the reader on its end tag.
    void readVml(XmlReader& reader, OpenXmlStoryBuilder& story);

private:
    /// One object while it is read.
    struct Drawing {
        bool floating = false;
        bool isShape = false; // a word-processing shape: a text box
        bool usesSimplePosition = false; // placed from the page's corner; position elements do not count
        model::FloatingObjectFormatting properties;
        model::ShapeFormatting shape;
        model::TextBoxFormatting textBox;
        model::Size extent;
        std::optional<model::Point> offset;
        std::optional<model::Point> percentOffset;
        std::optional<model::FloatingObjectRelativeWidth> relativeWidth;
        std::optional<model::FloatingObjectRelativeHeight> relativeHeight;
        std::optional<model::AlphaColor> pictureFill; // an inline picture's
        std::optional<bool> lockAspectRatio;
        std::u16string name;
        const model::OfficeImageReference* image = nullptr;
        model::FloatingObjectAnchorRun* anchor = nullptr; // a text box's, made when its text is met
        model::TextBoxFloatingObjectContent* textBoxContent = nullptr;
    };

    // DrawingML (open_xml_drawing_reader.cpp).
    void readInline(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readAnchor(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readAnchorChild(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing);
    void readPosition(XmlReader& reader, Drawing& drawing, bool horizontal);
    void readGraphic(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing);
    void readPicture(XmlReader& reader, Drawing& drawing);
    void readWordprocessingShape(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing);
    void readShapeProperties(XmlReader& reader, Drawing& drawing);
    void readBodyProperties(XmlReader& reader, Drawing& drawing);
    /// The colour of a fill element ("solidFill", "noFill"); none for fills not read.
    [[nodiscard]] std::optional<model::AlphaColor> readFill(XmlReader& reader) const;
    void readDocumentProperties(XmlReader& reader, Drawing& drawing) const;

    // VML (open_xml_vml_reader.cpp).
    void readVmlShape(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readVmlStyle(std::string_view style, Drawing& drawing) const;
    void readVmlTextBox(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing);

    // Both (open_xml_drawing_reader.cpp).
    /// The picture a "blip" or "imagedata" names by relation id; null when there is none.
    [[nodiscard]] const model::OfficeImageReference* embeddedImage(std::string_view relationId);
    [[nodiscard]] const model::OfficeImageReference* linkedImage(std::string_view relationId);
    /// The text box's anchor and content, made at the story's insertion point the first time;
    /// false where no text box can go (inside another text box).
    bool makeTextBox(OpenXmlStoryBuilder& story, Drawing& drawing);
    void readTextBoxContent(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing);
    /// Puts what was read into the story.
    void finish(OpenXmlStoryBuilder& story, Drawing& drawing);
    void insertInlinePicture(OpenXmlStoryBuilder& story, const Drawing& drawing);
    void applyFloatingObject(model::FloatingObjectAnchorRun& anchor, Drawing& drawing);

    model::DocumentModel& documentModel_;
    const OpenXmlAttributes& attributes_;
    const OpenXmlPackage& package_;
    StoryReader readTextBoxStory_;
    const OpenXmlRelationCollection* relations_ = nullptr;
    std::string partFolder_;
    /// Pictures of the current part by relation id; null where the relation gave none.
    std::map<std::string, std::unique_ptr<model::OfficeImageReference>, std::less<>> partImages_;
    /// Linked pictures by URI, for the whole document.
    std::map<std::u16string, std::unique_ptr<model::OfficeImageReference>, std::less<>> uriImages_;
};

} // namespace velmo::formats
