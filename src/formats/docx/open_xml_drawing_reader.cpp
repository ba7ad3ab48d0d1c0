// DrawingML: inline and anchored pictures and word-processing shapes, and what VML shares with them.
#include "formats/docx/open_xml_drawing_reader.h"

#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "formats/docx/open_xml_drawing_values.h"
#include "formats/docx/open_xml_story_builder.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"

#include <algorithm>
#include <sstream>

namespace velmo::formats {

namespace {

using FloatingOption = model::UseFloatingObjectOption;

constexpr std::array<std::string_view, 3> kSupportedChoiceNamespaces{kWordprocessingShapeNamespace, kWordprocessingDrawing2010Namespace,
                                                                     kDrawingPictureNamespace};

/// The text of an element without children, trimmed; leaves the reader on its end tag.
std::string elementText(XmlReader& reader)
{
    std::string text;
    forEachChildNode(reader, [&] { reader.skipSubtree(); }, [&] { text += reader.text(); });
    return std::string(trimBlanks(text));
}

bool equalsIgnoringCase(std::string_view left, std::string_view right) noexcept
{
    return std::ranges::equal(left, right, [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

/// The names this program writes for objects that have none ("Picture 3", "Text Box 4"): read
/// back, they are no name of the object's own.
bool isGeneratedName(std::string_view name, std::string_view id) noexcept
{
    for (const std::string_view prefix : {std::string_view("Picture "), std::string_view("Text Box ")}) {
        if (name.size() == prefix.size() + id.size() && name.starts_with(prefix) && name.ends_with(id))
            return true;
    }
    return false;
}

/// The alpha of a colour from a percentage in thousandths ("alpha" "val" 50000 is half).
model::AlphaColor withAlpha(model::AlphaColor color, int64_t thousandthsOfPercent) noexcept
{
    const int64_t alpha = std::clamp<int64_t>((thousandthsOfPercent * 255 + 50000) / 100000, 0, 255);
    return (color & 0x00FFFFFFu) | static_cast<model::AlphaColor>(alpha) << 24;
}

} // namespace

bool isSupportedDrawingChoice(const XmlReader& reader)
{
    const std::optional<std::string_view> requires_ = reader.attribute("", "Requires");
    if (!requires_)
        return false;
    std::istringstream prefixes{std::string(*requires_)};
    bool any = false;
    for (std::string prefix; prefixes >> prefix;) {
        any = true;
        if (prefix == "pic")
            continue; // pictures, whether or not the prefix is declared
        const std::optional<std::string> uri = reader.lookupNamespace(prefix);
        if (!uri || std::ranges::find(kSupportedChoiceNamespaces, *uri) == kSupportedChoiceNamespaces.end())
            return false;
    }
    return any;
}

OpenXmlDrawingReader::OpenXmlDrawingReader(model::DocumentModel& documentModel, const OpenXmlAttributes& attributes,
                                           const OpenXmlPackage& package, StoryReader readTextBoxStory)
    : documentModel_(documentModel), attributes_(attributes), package_(package), readTextBoxStory_(std::move(readTextBoxStory))
{
}

OpenXmlDrawingReader::~OpenXmlDrawingReader() = default;

void OpenXmlDrawingReader::setPart(const OpenXmlRelationCollection& relations, std::string_view partName)
{
    relations_ = &relations;
    partFolder_ = std::string(OpenXmlPackage::folderOf(partName));
    partImages_.clear();
}

void OpenXmlDrawingReader::clear()
{
    partImages_.clear();
    uriImages_.clear();
}

const model::OfficeImageReference* OpenXmlDrawingReader::embeddedImage(std::string_view relationId)
{
    if (const auto found = partImages_.find(relationId); found != partImages_.end())
        return found->second.get();
    std::unique_ptr<model::OfficeImageReference>& image = partImages_[std::string(relationId)];
    const OpenXmlRelation* relation = relations_ ? relations_->findById(relationId) : nullptr;
    if (!relation || equalsIgnoringCase(relation->targetMode, "External"))
        return nullptr;
    std::optional<std::vector<uint8_t>> bytes;
    try {
        bytes = package_.readPart(OpenXmlPackage::resolveTarget(relation, partFolder_, ""));
    } catch (const core::EditorException&) {
        return nullptr; // a damaged picture costs the picture, not the document
    }
    if (!bytes || bytes->empty())
        return nullptr;
    // A picture the codec cannot read stays as a stand-in that keeps its bytes for the next save.
    image = documentModel_.images().createImage(*bytes);
    return image.get();
}

const model::OfficeImageReference* OpenXmlDrawingReader::linkedImage(std::string_view relationId)
{
    const OpenXmlRelation* relation = relations_ ? relations_->findById(relationId) : nullptr;
    if (!relation || equalsIgnoringCase(relation->targetMode, "External"))
        return nullptr;
    const std::u16string uri = core::utf8ToUtf16(relation->target);
    std::unique_ptr<model::OfficeImageReference>& image = uriImages_[uri];
    // Fetched on a worker after loading, never while the document is read.
    if (!image)
        image = documentModel_.images().createUriImage({uri}, {}, true);
    return image.get();
}

void OpenXmlDrawingReader::readDrawing(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    forEachChildElement(reader, [&] {
        if (reader.localName() == "inline")
            readInline(reader, story);
        else if (reader.localName() == "anchor")
            readAnchor(reader, story);
        else
            reader.skipSubtree();
    });
}

void OpenXmlDrawingReader::readInline(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    Drawing drawing;
    forEachChildElement(reader, [&] { readAnchorChild(reader, story, drawing); });
    finish(story, drawing);
}

void OpenXmlDrawingReader::readAnchor(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    Drawing drawing;
    drawing.floating = true;
    model::FloatingObjectFormatting& f = drawing.properties;
    for (const auto& [name, field, option] :
         {std::tuple{"distL", &model::FloatingObjectInfo::leftDistance, FloatingOption::UseLeftDistance},
          std::tuple{"distR", &model::FloatingObjectInfo::rightDistance, FloatingOption::UseRightDistance},
          std::tuple{"distT", &model::FloatingObjectInfo::topDistance, FloatingOption::UseTopDistance},
          std::tuple{"distB", &model::FloatingObjectInfo::bottomDistance, FloatingOption::UseBottomDistance}}) {
        // The space kept free has no sign (some producers write one anyway).
        if (const std::optional<int32_t> distance = attributes_.integer(reader, name))
            f.set(field, std::max(0, emuToModelUnits(*distance)), option);
    }
    if (const std::optional<int32_t> zOrder = attributes_.integer(reader, "relativeHeight"))
        f.set(&model::FloatingObjectInfo::zOrder, *zOrder, FloatingOption::UseZOrder);
    for (const auto& [name, field, option] :
         {std::tuple{"allowOverlap", &model::FloatingObjectInfo::allowOverlap, FloatingOption::UseAllowOverlap},
          std::tuple{"behindDoc", &model::FloatingObjectInfo::isBehindDoc, FloatingOption::UseIsBehindDoc},
          std::tuple{"hidden", &model::FloatingObjectInfo::hidden, FloatingOption::UseHidden},
          std::tuple{"layoutInCell", &model::FloatingObjectInfo::layoutInTableCell, FloatingOption::UseLayoutInTableCell},
          std::tuple{"locked", &model::FloatingObjectInfo::locked, FloatingOption::UseLocked}}) {
        if (OpenXmlAttributes::text(reader, name))
            f.set(field, attributes_.onOff(reader, name, false), option);
    }
    drawing.usesSimplePosition = attributes_.onOff(reader, "simplePos", false);
    forEachChildElement(reader, [&] {
        if (reader.localName() == "simplePos" && drawing.usesSimplePosition) {
            // The position from the page's corner, whatever the other position elements say.
            const model::Point point{emuToModelUnits(attributes_.integer(reader, "x", 0)), emuToModelUnits(attributes_.integer(reader, "y", 0))};
            reader.skipSubtree();
            f.set(&model::FloatingObjectInfo::horizontalPositionType, model::ShapeRelativeHorizontalPosition::Page,
                  FloatingOption::UseHorizontalPositionType);
            f.set(&model::FloatingObjectInfo::verticalPositionType, model::ShapeRelativeVerticalPosition::Page,
                  FloatingOption::UseVerticalPositionType);
            drawing.offset = point;
        } else if (reader.localName() == "positionH" || reader.localName() == "positionV") {
            readPosition(reader, drawing, reader.localName() == "positionH");
        } else {
            readAnchorChild(reader, story, drawing);
        }
    });
    finish(story, drawing);
}

void OpenXmlDrawingReader::readAnchorChild(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing)
{
    using model::FloatingObjectTextWrapType;
    model::FloatingObjectFormatting& f = drawing.properties;
    const std::string_view name = reader.localName();
    if (isAlternateContent(reader)) {
        // A percentage position comes as a choice whose fallback holds the same position as an
        // offset: the object keeps both, so the positions of every branch are read.
        bool taken = false;
        forEachChildElement(reader, [&] {
            const bool isBranch = reader.namespaceUri() == kMarkupCompatibilityNamespace &&
                                  (reader.localName() == "Choice" || reader.localName() == "Fallback");
            if (!isBranch) {
                reader.skipSubtree();
                return;
            }
            const bool take = !taken && (reader.localName() == "Fallback" || isSupportedDrawingChoice(reader));
            taken = taken || take;
            const bool supported = reader.localName() == "Fallback" || isSupportedDrawingChoice(reader);
            forEachChildElement(reader, [&] {
                if ((reader.localName() == "positionH" || reader.localName() == "positionV") && supported)
                    readPosition(reader, drawing, reader.localName() == "positionH");
                else if (take)
                    readAnchorChild(reader, story, drawing);
                else
                    reader.skipSubtree();
            });
        });
        return;
    }
    if (name == "extent") {
        drawing.extent = {emuToModelUnits(attributes_.integer(reader, "cx", 0)), emuToModelUnits(attributes_.integer(reader, "cy", 0))};
    } else if (const std::optional<FloatingObjectTextWrapType> wrap = valueOf(kWrapElementNames, name)) {
        f.set(&model::FloatingObjectInfo::textWrapType, *wrap, FloatingOption::UseTextWrapType);
        if (const std::optional<std::string_view> side = OpenXmlAttributes::text(reader, "wrapText")) {
            if (const auto value = valueOf(kWrapSideWords, trimBlanks(*side)))
                f.set(&model::FloatingObjectInfo::textWrapSide, *value, FloatingOption::UseTextWrapSide);
        }
    } else if (name == "docPr") {
        readDocumentProperties(reader, drawing);
    } else if (name == "cNvGraphicFramePr") {
        forEachChildElement(reader, [&] {
            if (reader.localName() == "graphicFrameLocks")
                drawing.lockAspectRatio = attributes_.onOff(reader, "noChangeAspect", false);
            reader.skipSubtree();
        });
        return;
    } else if (name == "graphic") {
        readGraphic(reader, story, drawing);
        return;
    } else if (name == "sizeRelH" || name == "sizeRelV") {
        const bool horizontal = name == "sizeRelH";
        const std::string_view from = trimBlanks(OpenXmlAttributes::text(reader, "relativeFrom").value_or(""));
        forEachChildElement(reader, [&] {
            const std::string_view child = reader.localName();
            if (child != "pctWidth" && child != "pctHeight") {
                reader.skipSubtree();
                return;
            }
            const std::optional<int32_t> percent = parseInteger(elementText(reader));
            if (!percent) {
                attributes_.invalidValue();
                return;
            }
            if (horizontal)
                drawing.relativeWidth = model::FloatingObjectRelativeWidth{
                    *percent, valueOf(kRelativeWidthBaseWords, from).value_or(model::FloatingObjectRelativeFromHorizontal::Page)};
            else
                drawing.relativeHeight = model::FloatingObjectRelativeHeight{
                    *percent, valueOf(kRelativeHeightBaseWords, from).value_or(model::FloatingObjectRelativeFromVertical::Page)};
        });
        return;
    }
    reader.skipSubtree();
}

void OpenXmlDrawingReader::readPosition(XmlReader& reader, Drawing& drawing, bool horizontal)
{
    if (drawing.usesSimplePosition) {
        reader.skipSubtree();
        return;
    }
    model::FloatingObjectFormatting& f = drawing.properties;
    const std::string_view from = trimBlanks(OpenXmlAttributes::text(reader, "relativeFrom").value_or(""));
    if (horizontal) {
        if (const auto base = valueOf(kHorizontalPositionBaseWords, from))
            f.set(&model::FloatingObjectInfo::horizontalPositionType, *base, FloatingOption::UseHorizontalPositionType);
    } else if (const auto base = valueOf(kVerticalPositionBaseWords, from)) {
        f.set(&model::FloatingObjectInfo::verticalPositionType, *base, FloatingOption::UseVerticalPositionType);
    }
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "align") {
            const std::string word = elementText(reader);
            if (horizontal) {
                if (const auto alignment = valueOf(kShapeHorizontalAlignmentWords, word))
                    f.set(&model::FloatingObjectInfo::horizontalPositionAlignment, *alignment, FloatingOption::UseHorizontalPositionAlignment);
            } else if (const auto alignment = valueOf(kShapeVerticalAlignmentWords, word)) {
                f.set(&model::FloatingObjectInfo::verticalPositionAlignment, *alignment, FloatingOption::UseVerticalPositionAlignment);
            }
        } else if (name == "posOffset" || name == "pctPosHOffset" || name == "pctPosVOffset") {
            const std::optional<int32_t> value = parseInteger(elementText(reader));
            if (!value) {
                attributes_.invalidValue();
                return;
            }
            std::optional<model::Point>& point = name == "posOffset" ? drawing.offset : drawing.percentOffset;
            const int32_t converted = name == "posOffset" ? emuToModelUnits(*value) : *value;
            model::Point updated = point.value_or(model::Point{});
            (horizontal ? updated.x : updated.y) = converted;
            point = updated;
        } else {
            reader.skipSubtree();
        }
    });
}

void OpenXmlDrawingReader::readDocumentProperties(XmlReader& reader, Drawing& drawing) const
{
    const std::string_view name = OpenXmlAttributes::text(reader, "name").value_or("");
    const std::string_view id = trimBlanks(OpenXmlAttributes::text(reader, "id").value_or(""));
    if (!isGeneratedName(name, id))
        drawing.name = core::utf8ToUtf16(name);
}

void OpenXmlDrawingReader::readGraphic(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing)
{
    forEachChildElement(reader, [&] {
        if (reader.localName() != "graphicData") {
            reader.skipSubtree();
            return;
        }
        forEachChildElement(reader, [&] {
            if (reader.localName() == "pic")
                readPicture(reader, drawing);
            else if (reader.localName() == "wsp")
                readWordprocessingShape(reader, story, drawing);
            else
                reader.skipSubtree(); // groups, canvases, charts and the rest are not read
        });
    });
}

void OpenXmlDrawingReader::readPicture(XmlReader& reader, Drawing& drawing)
{
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "blipFill") {
            forEachChildElement(reader, [&] {
                if (reader.localName() == "blip" && !drawing.image) {
                    if (const std::optional<std::string_view> embed = OpenXmlAttributes::relationId(reader, "embed"))
                        drawing.image = embeddedImage(*embed);
                    if (!drawing.image) {
                        if (const std::optional<std::string_view> link = OpenXmlAttributes::relationId(reader, "link"))
                            drawing.image = linkedImage(*link);
                    }
                }
                reader.skipSubtree();
            });
        } else if (name == "spPr") {
            readShapeProperties(reader, drawing);
        } else {
            reader.skipSubtree();
        }
    });
}

void OpenXmlDrawingReader::readWordprocessingShape(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing)
{
    drawing.isShape = true;
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "spPr") {
            readShapeProperties(reader, drawing);
        } else if (name == "bodyPr") {
            readBodyProperties(reader, drawing);
        } else if (name == "txbx") {
            forEachChildElement(reader, [&] {
                if (reader.localName() == "txbxContent" && isWordElement(reader))
                    readTextBoxContent(reader, story, drawing);
                else
                    reader.skipSubtree();
            });
        } else {
            reader.skipSubtree();
        }
    });
}

void OpenXmlDrawingReader::readShapeProperties(XmlReader& reader, Drawing& drawing)
{
    using model::ShapeInfo;
    using model::UsedShapeOption;
    model::ShapeFormatting& shape = drawing.shape;
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "xfrm") {
            if (const std::optional<int32_t> rotation = attributes_.integer(reader, "rot"))
                shape.set(&ShapeInfo::rotation, *rotation, UsedShapeOption::UseRotation);
            reader.skipSubtree();
        } else if (name == "ln") {
            if (const std::optional<int32_t> width = attributes_.integer(reader, "w"))
                shape.set(&ShapeInfo::outlineWidth, emuToModelUnits(*width), UsedShapeOption::UseOutlineWidth);
            forEachChildElement(reader, [&] {
                if (const std::optional<model::AlphaColor> color = readFill(reader))
                    shape.set(&ShapeInfo::outlineColor, *color, UsedShapeOption::UseOutlineColor);
            });
        } else if (const std::optional<model::AlphaColor> color = readFill(reader)) {
            shape.set(&ShapeInfo::fillColor, *color, UsedShapeOption::UseFillColor);
            drawing.pictureFill = color;
        }
    });
}

std::optional<model::AlphaColor> OpenXmlDrawingReader::readFill(XmlReader& reader) const
{
    const std::string_view name = reader.localName();
    if (name == "noFill") {
        reader.skipSubtree();
        return model::kEmptyColor;
    }
    if (name != "solidFill") {
        reader.skipSubtree();
        return std::nullopt;
    }
    std::optional<model::AlphaColor> result;
    forEachChildElement(reader, [&] {
        const std::string_view kind = reader.localName();
        const std::string_view value = trimBlanks(OpenXmlAttributes::text(reader, "val").value_or(""));
        std::optional<model::AlphaColor> color;
        if (kind == "srgbClr")
            color = parseHexColor(value);
        else if (kind == "schemeClr")
            color = schemeColor(value);
        else if (kind == "prstClr")
            color = presetColor(value);
        if (!color || result) {
            reader.skipSubtree();
            return;
        }
        // Transparency: "alpha" sets it, "alphaMod" scales it and "alphaOff" shifts it.
        int64_t alpha = 100000;
        forEachChildElement(reader, [&] {
            const std::optional<int32_t> amount = attributes_.integer(reader, "val");
            if (amount && reader.localName() == "alpha")
                alpha = *amount;
            else if (amount && reader.localName() == "alphaMod")
                alpha = alpha * *amount / 100000;
            else if (amount && reader.localName() == "alphaOff")
                alpha += *amount;
            reader.skipSubtree();
        });
        result = alpha == 100000 ? *color : withAlpha(*color, alpha);
    });
    return result;
}

void OpenXmlDrawingReader::readBodyProperties(XmlReader& reader, Drawing& drawing)
{
    using model::TextBoxInfo;
    using model::UseTextBoxOption;
    model::TextBoxFormatting& f = drawing.textBox;
    if (const std::optional<std::string_view> wrap = OpenXmlAttributes::text(reader, "wrap"))
        f.set(&TextBoxInfo::wrapText, trimBlanks(*wrap) != "none", UseTextBoxOption::UseWrapText);
    for (const auto& [name, field, option] : {std::tuple{"lIns", &TextBoxInfo::leftMargin, UseTextBoxOption::UseLeftMargin},
                                              std::tuple{"tIns", &TextBoxInfo::topMargin, UseTextBoxOption::UseTopMargin},
                                              std::tuple{"rIns", &TextBoxInfo::rightMargin, UseTextBoxOption::UseRightMargin},
                                              std::tuple{"bIns", &TextBoxInfo::bottomMargin, UseTextBoxOption::UseBottomMargin}}) {
        if (const std::optional<int32_t> inset = attributes_.integer(reader, name))
            f.set(field, emuToModelUnits(*inset), option);
    }
    if (const std::optional<std::string_view> anchor = OpenXmlAttributes::text(reader, "anchor")) {
        if (const auto alignment = valueOf(kTextBoxAnchorWords, trimBlanks(*anchor)))
            f.set(&TextBoxInfo::verticalAlignment, *alignment, UseTextBoxOption::UseVerticalAlignment);
    }
    if (OpenXmlAttributes::text(reader, "upright"))
        f.set(&TextBoxInfo::upright, attributes_.onOff(reader, "upright", false), UseTextBoxOption::UseUpright);
    forEachChildElement(reader, [&] {
        if (reader.localName() == "spAutoFit")
            f.set(&TextBoxInfo::resizeShapeToFitText, true, UseTextBoxOption::UseResizeShapeToFitText);
        else if (reader.localName() == "noAutofit")
            f.set(&TextBoxInfo::resizeShapeToFitText, false, UseTextBoxOption::UseResizeShapeToFitText);
        reader.skipSubtree();
    });
}

bool OpenXmlDrawingReader::makeTextBox(OpenXmlStoryBuilder& story, Drawing& drawing)
{
    if (drawing.anchor)
        return true;
    model::PieceTable& pieceTable = story.pieceTable();
    if (pieceTable.contentType().isTextBox())
        return false;
    model::FloatingObjectAnchorRun& anchor = model::insertFloatingObjectAnchor(pieceTable, story.objectInsertionPosition());
    auto content = std::make_unique<model::TextBoxFloatingObjectContent>(anchor, documentModel_);
    drawing.textBoxContent = content.get();
    anchor.floatingObject().setContent(std::move(content));
    drawing.anchor = &anchor;
    return true;
}

void OpenXmlDrawingReader::readTextBoxContent(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing)
{
    if (drawing.textBoxContent || !makeTextBox(story, drawing)) {
        reader.skipSubtree(); // a second text, or a text box inside a text box
        return;
    }
    readTextBoxStory_(reader, drawing.textBoxContent->textBox().pieceTable());
}

void OpenXmlDrawingReader::finish(OpenXmlStoryBuilder& story, Drawing& drawing)
{
    if (drawing.isShape) {
        if (!makeTextBox(story, drawing))
            return;
        const model::TextBoxFormatting textBox = drawing.textBox;
        drawing.textBoxContent->changeProperties([&textBox](model::TextBoxFormatting& f) { f = textBox; });
        if (!drawing.floating) {
            // A shape in the line of text: the model has no inline shapes, so it floats where the
            // character would be, in the line.
            model::FloatingObjectFormatting& f = drawing.properties;
            f.set(&model::FloatingObjectInfo::textWrapType, model::FloatingObjectTextWrapType::Inline, FloatingOption::UseTextWrapType);
            f.set(&model::FloatingObjectInfo::horizontalPositionType, model::ShapeRelativeHorizontalPosition::Character,
                  FloatingOption::UseHorizontalPositionType);
            f.set(&model::FloatingObjectInfo::verticalPositionType, model::ShapeRelativeVerticalPosition::Line,
                  FloatingOption::UseVerticalPositionType);
        }
        applyFloatingObject(*drawing.anchor, drawing);
        return;
    }
    if (!drawing.image)
        return;
    if (!drawing.floating || story.pieceTable().contentType().isTextBox()) {
        insertInlinePicture(story, drawing);
        return;
    }
    model::FloatingObjectAnchorRun& anchor = model::insertFloatingObjectAnchor(story.pieceTable(), story.objectInsertionPosition());
    auto content = std::make_unique<model::PictureFloatingObjectContent>(anchor, *drawing.image);
    content->setInvalidActualSize(!drawing.image->image().isLoaded());
    anchor.floatingObject().setContent(std::move(content));
    applyFloatingObject(anchor, drawing);
}

void OpenXmlDrawingReader::insertInlinePicture(OpenXmlStoryBuilder& story, const Drawing& drawing)
{
    model::InlinePictureRun& run = model::insertInlinePicture(story.pieceTable(), story.objectInsertionPosition(), *drawing.image);
    const model::Size original = run.originalSize();
    const auto scale = [](int32_t actual, int32_t originalSide) {
        if (actual <= 0)
            return 100.0f;
        return std::clamp(static_cast<float>(actual) * 100.0f / static_cast<float>(std::max(1, originalSide)), 1.0f,
                          model::InlinePictureRun::kMaxScale);
    };
    model::InlinePictureInfo info;
    info.scaleX = scale(drawing.extent.width, original.width);
    info.scaleY = scale(drawing.extent.height, original.height);
    if (drawing.pictureFill)
        info.fillColor = *drawing.pictureFill;
    if (drawing.lockAspectRatio)
        info.lockAspectRatio = *drawing.lockAspectRatio;
    run.setPictureInfoIndexInitial(documentModel_.cache().pictureCaches().inlinePictureInfoCache.add(info));
    if (!drawing.image->image().isLoaded() && drawing.extent.width > 0 && drawing.extent.height > 0)
        run.content()->setDesiredSizeAfterLoad(drawing.extent);
}

void OpenXmlDrawingReader::applyFloatingObject(model::FloatingObjectAnchorRun& anchor, Drawing& drawing)
{
    model::FloatingObjectFormatting f = drawing.properties;
    model::Size size = drawing.extent;
    if (size.width <= 0 || size.height <= 0) {
        const model::Size original = anchor.originalSize();
        size = {size.width > 0 ? size.width : std::max(1, original.width), size.height > 0 ? size.height : std::max(1, original.height)};
    }
    f.setActualSize(size);
    if (drawing.relativeWidth)
        f.set(&model::FloatingObjectInfo::relativeWidth, *drawing.relativeWidth, FloatingOption::UseRelativeWidth);
    if (drawing.relativeHeight)
        f.set(&model::FloatingObjectInfo::relativeHeight, *drawing.relativeHeight, FloatingOption::UseRelativeHeight);
    // An aligned axis has no offset (VML gives one anyway), and a zero offset is what the writer
    // gives an object placed by alignment alone.
    model::Point offset = drawing.offset.value_or(model::Point{});
    if (f.info().horizontalPositionAlignment != model::ShapeHorizontalAlignment::None)
        offset.x = 0;
    if (f.info().verticalPositionAlignment != model::ShapeVerticalAlignment::None)
        offset.y = 0;
    if (offset != model::Point{})
        f.set(&model::FloatingObjectInfo::offset, offset, FloatingOption::UseOffset);
    if (drawing.percentOffset)
        f.set(&model::FloatingObjectInfo::percentOffset, *drawing.percentOffset, FloatingOption::UsePercentOffset);
    if (drawing.lockAspectRatio)
        f.set(&model::FloatingObjectInfo::lockAspectRatio, *drawing.lockAspectRatio, FloatingOption::UseLockAspectRatio);
    model::FloatingObject& floatingObject = anchor.floatingObject();
    floatingObject.changeProperties([&f](model::FloatingObjectFormatting& properties) { properties = f; });
    if (drawing.shape.useMask() != 0) {
        const model::ShapeFormatting shape = drawing.shape;
        floatingObject.changeShape([&shape](model::ShapeFormatting& properties) { properties = shape; });
    }
    if (!drawing.name.empty())
        anchor.setName(drawing.name);
}

} // namespace velmo::formats
