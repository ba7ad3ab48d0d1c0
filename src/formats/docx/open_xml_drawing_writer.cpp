#include "formats/docx/open_xml_drawing_writer.h"

#include "core/unicode_text.h"
#include "formats/docx/open_xml_drawing_values.h"
#include "model/pictures/document_images.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

namespace velmo::formats {

namespace {

using FloatingOption = model::UseFloatingObjectOption;

constexpr std::string_view kPictureGraphicUri = "http://schemas.openxmlformats.org/drawingml/2006/picture";
/// The rectangle every text box is drawn as, in VML's path language.
constexpr std::string_view kRectanglePath = "m,l,21600r21600,l21600,xe";

std::string hexDigits(model::AlphaColor color)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    return text;
}

bool isNoColor(model::AlphaColor color) noexcept
{
    return color == model::kEmptyColor || color == model::kTransparentColor;
}

/// Coordinates that the schema keeps within 32 bits.
int64_t clampedEmu(int32_t twips) noexcept
{
    return std::clamp<int64_t>(modelUnitsToEmu(twips), std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

void writeFill(XmlWriter& writer, model::AlphaColor color)
{
    if (isNoColor(color)) {
        writer.startElement("a:noFill");
        writer.endElement();
        return;
    }
    writer.startElement("a:solidFill");
    writer.startElement("a:srgbClr");
    writer.attribute("val", hexDigits(color));
    if (const uint32_t alpha = color >> 24; alpha != 255) {
        writer.startElement("a:alpha");
        writer.attribute("val", static_cast<int32_t>(std::lround(alpha * 100000.0 / 255)));
        writer.endElement();
    }
    writer.endElement();
    writer.endElement();
}

/// The fill and outline of a floating object's shape, after its geometry.
void writeShapeFillAndOutline(XmlWriter& writer, const model::ShapeFormatting& shape)
{
    using model::UsedShapeOption;
    const model::ShapeInfo& info = shape.info();
    if (shape.uses(UsedShapeOption::UseFillColor))
        writeFill(writer, info.fillColor);
    const bool hasOutlineColor = shape.uses(UsedShapeOption::UseOutlineColor);
    if (!hasOutlineColor && !shape.uses(UsedShapeOption::UseOutlineWidth))
        return;
    writer.startElement("a:ln");
    if (shape.uses(UsedShapeOption::UseOutlineWidth))
        writer.attribute("w", std::max<int64_t>(0, modelUnitsToEmu(info.outlineWidth)));
    if (hasOutlineColor)
        writeFill(writer, info.outlineColor);
    writer.endElement();
}

void writeEmptyElement(XmlWriter& writer, std::string_view name)
{
    writer.startElement(name);
    writer.endElement();
}

void writeTextElement(XmlWriter& writer, std::string_view name, std::string_view text)
{
    writer.startElement(name);
    writer.text(text);
    writer.endElement();
}

/// A number for a VML style: rounded to seven significant digits, in the shortest plain form.
std::string vmlNumber(double value)
{
    if (value != 0) {
        const int magnitude = static_cast<int>(std::lround(std::log10(std::abs(value))));
        if (magnitude < 7) {
            const double scale = std::pow(10.0, 7 - magnitude);
            value = std::round(value * scale) / scale;
        }
    }
    char text[64];
    const std::to_chars_result result = std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

std::string points(int32_t twips)
{
    return vmlNumber(twips / 20.0) + "pt";
}

/// The extra margins a rotated object needs so that its rotated box fits ("l", "t").
std::pair<int64_t, int64_t> rotationExtent(int64_t cx, int64_t cy, int32_t rotation)
{
    const int64_t w = cx / 2;
    const int64_t h = cy / 2;
    const int32_t degrees = rotation / 60000;
    const double angle = degrees * std::numbers::pi / 180;
    const auto x1 = static_cast<int64_t>(w * std::cos(angle) - h * std::sin(angle));
    const auto y1 = static_cast<int64_t>(w * std::sin(angle) + h * std::cos(angle));
    const auto x2 = static_cast<int64_t>(w * std::cos(angle) + h * std::sin(angle));
    const auto y2 = static_cast<int64_t>(w * std::sin(angle) - h * std::cos(angle));
    int64_t left = 0;
    int64_t top = 0;
    if (std::abs(x2) < std::abs(x1)) {
        left = std::abs(std::abs(x1) - w);
        top = std::abs(std::abs(y2) - h);
    } else {
        left = std::abs(std::abs(x2) - w);
        top = std::abs(std::abs(y1) - h);
    }
    if ((degrees - 90) % 180 == 0)
        left = 0;
    return {left, top};
}

const model::OfficeImage* pictureOf(const model::FloatingObjectAnchorRun& run)
{
    if (run.content().kind() != model::ObjectContentKind::Picture)
        return nullptr;
    return &static_cast<const model::PictureFloatingObjectContent&>(run.content()).image().image();
}

bool isStorable(const model::OfficeImage& image)
{
    return !image.shouldSuppressStore() && !image.bytes().empty();
}

std::string objectName(const model::FloatingObjectAnchorRun& run, std::string_view fallback, int32_t id)
{
    if (!run.name().empty())
        return core::utf16ToUtf8(run.name());
    return std::string(fallback) + " " + std::to_string(id);
}

} // namespace

OpenXmlDrawingWriter::OpenXmlDrawingWriter(ZIPStreamWriter& package, std::function<void(const model::PieceTable&)> writeTextBoxStory)
    : package_(package), writeTextBoxStory_(std::move(writeTextBoxStory))
{
}

void OpenXmlDrawingWriter::beginPart()
{
    parts_.emplace_back();
}

std::vector<OpenXmlDrawingWriter::ImageRelation> OpenXmlDrawingWriter::endPart()
{
    std::vector<ImageRelation> relations = std::move(parts_.back().relations);
    parts_.pop_back();
    return relations;
}

std::string OpenXmlDrawingWriter::imageRelation(const model::OfficeImage& image)
{
    PartImages& part = parts_.back();
    if (const auto found = part.ids.find(&image); found != part.ids.end())
        return found->second;
    auto stored = storedImages_.find(&image);
    if (stored == storedImages_.end()) {
        const model::OfficeImageFormat format = image.rawFormat();
        std::string extension(model::OfficeImage::extension(format));
        std::string contentType(model::OfficeImage::contentType(format));
        if (extension.empty()) {
            extension = model::OfficeImage::extension(model::OfficeImageFormat::Png);
            contentType = model::OfficeImage::contentType(model::OfficeImageFormat::Png);
        }
        const std::string member = "media/image" + std::to_string(++imageCount_) + "." + extension;
        package_.addFile("word/" + member, std::span<const uint8_t>(image.bytes()));
        if (std::ranges::find(contentTypes_, extension, &std::pair<std::string, std::string>::first) == contentTypes_.end())
            contentTypes_.emplace_back(extension, contentType);
        stored = storedImages_.emplace(&image, member).first;
    }
    const std::string& member = stored->second;
    const std::string id = "Rel" + member.substr(member.find('/') + 1, member.rfind('.') - member.find('/') - 1);
    part.ids.emplace(&image, id);
    part.relations.push_back({id, member});
    return id;
}

bool OpenXmlDrawingWriter::waitForPicture(model::OfficeImageReference& image)
{
    if (!image.isLoadPending())
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (!waitDeadline_)
        waitDeadline_ = now + model::DocumentImages::kSaveWaitTimeout;
    const auto left = std::max(std::chrono::steady_clock::duration::zero(), *waitDeadline_ - now);
    // After the time a save allows, the placeholder is stored.
    image.ensureLoadComplete(std::chrono::duration_cast<std::chrono::milliseconds>(left));
    return true;
}

bool OpenXmlDrawingWriter::canWrite(const model::InlinePictureRun& run)
{
    model::OfficeImageReference* image = run.image();
    return image && waitForPicture(*image) && isStorable(image->image());
}

bool OpenXmlDrawingWriter::canWrite(const model::FloatingObjectAnchorRun& run)
{
    if (run.content().kind() == model::ObjectContentKind::TextBox)
        return true;
    if (run.content().kind() != model::ObjectContentKind::Picture)
        return false;
    model::OfficeImageReference& image = static_cast<const model::PictureFloatingObjectContent&>(run.content()).image();
    return waitForPicture(image) && isStorable(image.image());
}

void OpenXmlDrawingWriter::writeInlinePicture(XmlWriter& writer, const model::InlinePictureRun& run)
{
    const int32_t id = nextDrawingId_++;
    const model::Size size = run.actualSize();
    const int64_t cx = modelUnitsToEmu(std::max(1, size.width));
    const int64_t cy = modelUnitsToEmu(std::max(1, size.height));
    const model::InlinePictureInfo& info = run.pictureInfo();
    writer.startElement("w:drawing");
    writer.startElement("wp:inline");
    writer.startElement("wp:extent");
    writer.attribute("cx", cx);
    writer.attribute("cy", cy);
    writer.endElement();
    writer.startElement("wp:docPr");
    writer.attribute("id", id);
    writer.attribute("name", "Picture " + std::to_string(id));
    writer.endElement();
    writer.startElement("wp:cNvGraphicFramePr");
    writer.startElement("a:graphicFrameLocks");
    writer.attribute("noChangeAspect", info.lockAspectRatio ? "1" : "0");
    writer.endElement();
    writer.endElement();
    writer.startElement("a:graphic");
    writer.startElement("a:graphicData");
    writer.attribute("uri", kPictureGraphicUri);
    writePicture(writer, run.image()->image(), id, cx, cy, [&] { writeFill(writer, info.fillColor); }, std::nullopt);
    writer.endElement();
    writer.endElement();
    writer.endElement();
    writer.endElement();
}

void OpenXmlDrawingWriter::writePicture(XmlWriter& writer, const model::OfficeImage& image, int32_t id, int64_t cx, int64_t cy,
                                        const std::function<void()>& writeShapeEnd, std::optional<int32_t> rotation)
{
    const std::string relationId = imageRelation(image);
    writer.startElement("pic:pic");
    writer.startElement("pic:nvPicPr");
    writer.startElement("pic:cNvPr");
    writer.attribute("id", id);
    writer.attribute("name", "Picture " + std::to_string(id));
    writer.endElement();
    writeEmptyElement(writer, "pic:cNvPicPr");
    writer.endElement();
    writer.startElement("pic:blipFill");
    writer.startElement("a:blip");
    writer.attribute("r:embed", relationId);
    writer.endElement();
    writer.startElement("a:stretch");
    writeEmptyElement(writer, "a:fillRect");
    writer.endElement();
    writer.endElement();
    writer.startElement("pic:spPr");
    writer.startElement("a:xfrm");
    if (rotation)
        writer.attribute("rot", *rotation);
    writer.startElement("a:off");
    writer.attribute("x", 0);
    writer.attribute("y", 0);
    writer.endElement();
    writer.startElement("a:ext");
    writer.attribute("cx", cx);
    writer.attribute("cy", cy);
    writer.endElement();
    writer.endElement();
    writer.startElement("a:prstGeom");
    writer.attribute("prst", "rect");
    writer.endElement();
    writeShapeEnd();
    writer.endElement();
    writer.endElement();
}

void OpenXmlDrawingWriter::writeFloatingObject(XmlWriter& writer, const model::FloatingObjectAnchorRun& run)
{
    const int32_t id = nextDrawingId_++;
    const bool inLine = run.floatingObjectInfo().textWrapType == model::FloatingObjectTextWrapType::Inline;
    if (run.content().kind() != model::ObjectContentKind::TextBox) {
        writer.startElement("w:drawing");
        writeAnchor(writer, run, id);
        writer.endElement();
        return;
    }
    writer.startElement("mc:AlternateContent");
    writer.startElement("mc:Choice");
    writer.attribute("Requires", "wps");
    writer.startElement("w:drawing");
    if (inLine)
        writeShapeInline(writer, run, id);
    else
        writeAnchor(writer, run, id);
    writer.endElement();
    writer.endElement();
    writer.startElement("mc:Fallback");
    writeVmlTextBox(writer, run, id);
    writer.endElement();
    writer.endElement();
}

void OpenXmlDrawingWriter::writeShapeInline(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t id)
{
    const model::Size size = run.actualSize();
    writer.startElement("wp:inline");
    writer.startElement("wp:extent");
    writer.attribute("cx", modelUnitsToEmu(std::max(1, size.width)));
    writer.attribute("cy", modelUnitsToEmu(std::max(1, size.height)));
    writer.endElement();
    writer.startElement("wp:docPr");
    writer.attribute("id", id);
    writer.attribute("name", objectName(run, "Text Box", id));
    writer.endElement();
    writeGraphic(writer, run, id);
    writer.endElement();
}

void OpenXmlDrawingWriter::writeAnchor(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t id)
{
    const model::FloatingObjectFormatting& properties = run.floatingObject().properties();
    const model::FloatingObjectInfo& info = properties.info();
    const bool isTextBox = run.content().kind() == model::ObjectContentKind::TextBox;
    const int64_t cx = modelUnitsToEmu(std::max(1, info.actualSize.width));
    const int64_t cy = modelUnitsToEmu(std::max(1, info.actualSize.height));

    writer.startElement("wp:anchor");
    writer.attribute("simplePos", "0");
    writer.attribute("allowOverlap", info.allowOverlap ? "1" : "0");
    writer.attribute("behindDoc", info.isBehindDoc ? "1" : "0");
    writer.attribute("layoutInCell", info.layoutInTableCell ? "1" : "0");
    writer.attribute("locked", info.locked ? "1" : "0");
    // The schema's stacking number has no sign; normalized documents have none below zero.
    writer.attribute("relativeHeight", std::max(0, info.zOrder));
    for (const auto& [name, distance, option] : {std::tuple{"distB", info.bottomDistance, FloatingOption::UseBottomDistance},
                                                 std::tuple{"distL", info.leftDistance, FloatingOption::UseLeftDistance},
                                                 std::tuple{"distR", info.rightDistance, FloatingOption::UseRightDistance},
                                                 std::tuple{"distT", info.topDistance, FloatingOption::UseTopDistance}}) {
        if (properties.uses(option) && distance > 0)
            writer.attribute(name, modelUnitsToEmu(distance));
    }
    if (properties.uses(FloatingOption::UseHidden))
        writer.attribute("hidden", info.hidden ? "1" : "0");

    writer.startElement("wp:simplePos");
    writer.attribute("x", 0);
    writer.attribute("y", 0);
    writer.endElement();

    const bool usesPercentOffset = properties.uses(FloatingOption::UsePercentOffset);
    const auto writePosition = [&](bool horizontal) {
        const std::string_view element = horizontal ? "wp:positionH" : "wp:positionV";
        const std::string_view base = horizontal ? wordOf(kHorizontalPositionBaseWords, info.horizontalPositionType, "page")
                                                 : wordOf(kVerticalPositionBaseWords, info.verticalPositionType, "margin");
        const std::string_view alignment = horizontal ? wordOf(kShapeHorizontalAlignmentWords, info.horizontalPositionAlignment)
                                                      : wordOf(kShapeVerticalAlignmentWords, info.verticalPositionAlignment);
        const int32_t offset = horizontal ? info.offset.x : info.offset.y;
        const int32_t percent = horizontal ? info.percentOffset.x : info.percentOffset.y;
        const auto writePlain = [&] {
            writer.startElement(element);
            writer.attribute("relativeFrom", base);
            if (!alignment.empty())
                writeTextElement(writer, "wp:align", alignment);
            else
                writeTextElement(writer, "wp:posOffset", std::to_string(clampedEmu(offset)));
            writer.endElement();
        };
        if (!alignment.empty() || !usesPercentOffset || percent == 0) {
            writePlain();
            return;
        }
        writer.startElement("mc:AlternateContent");
        writer.startElement("mc:Choice");
        writer.attribute("Requires", "wp14");
        writer.startElement(element);
        writer.attribute("relativeFrom", base);
        writeTextElement(writer, horizontal ? "wp14:pctPosHOffset" : "wp14:pctPosVOffset", std::to_string(percent));
        writer.endElement();
        writer.endElement();
        writer.startElement("mc:Fallback");
        writePlain();
        writer.endElement();
        writer.endElement();
    };
    writePosition(true);
    writePosition(false);

    writer.startElement("wp:extent");
    writer.attribute("cx", cx);
    writer.attribute("cy", cy);
    writer.endElement();
    if (run.shape().uses(model::UsedShapeOption::UseRotation)) {
        const auto [left, top] = rotationExtent(cx, cy, run.shape().info().rotation);
        writer.startElement("wp:effectExtent");
        writer.attribute("l", left);
        writer.attribute("t", top);
        writer.attribute("r", left);
        writer.attribute("b", top);
        writer.endElement();
    }
    // An inline object among floating ones cannot be said in an anchor: it does not wrap.
    const std::string_view wrap = wordOf(kWrapElementNames, info.textWrapType, "wrapNone");
    writer.startElement("wp:" + std::string(wrap));
    const bool wrapsAround = info.textWrapType == model::FloatingObjectTextWrapType::Square ||
                             info.textWrapType == model::FloatingObjectTextWrapType::Tight ||
                             info.textWrapType == model::FloatingObjectTextWrapType::Through;
    if (wrapsAround)
        writer.attribute("wrapText", wordOf(kWrapSideWords, info.textWrapSide, "bothSides"));
    if (info.textWrapType == model::FloatingObjectTextWrapType::Tight || info.textWrapType == model::FloatingObjectTextWrapType::Through) {
        writer.startElement("wp:wrapPolygon");
        writer.attribute("edited", "0");
        bool first = true;
        for (const auto& [x, y] : {std::pair{0, 0}, {0, 21600}, {21600, 21600}, {21600, 0}, {0, 0}}) {
            writer.startElement(first ? "wp:start" : "wp:lineTo");
            writer.attribute("x", x);
            writer.attribute("y", y);
            writer.endElement();
            first = false;
        }
        writer.endElement();
    }
    writer.endElement();

    writer.startElement("wp:docPr");
    writer.attribute("id", id);
    writer.attribute("name", objectName(run, isTextBox ? "Text Box" : "Picture", id));
    writer.endElement();
    if (properties.uses(FloatingOption::UseLockAspectRatio)) {
        writer.startElement("wp:cNvGraphicFramePr");
        writer.startElement("a:graphicFrameLocks");
        writer.attribute("noChangeAspect", info.lockAspectRatio ? "1" : "0");
        writer.endElement();
        writer.endElement();
    }
    writeGraphic(writer, run, id);
    if (properties.uses(FloatingOption::UseRelativeWidth)) {
        writer.startElement("wp14:sizeRelH");
        writer.attribute("relativeFrom", wordOf(kRelativeWidthBaseWords, info.relativeWidth.from, "page"));
        writeTextElement(writer, "wp14:pctWidth", std::to_string(info.relativeWidth.width));
        writer.endElement();
    }
    if (properties.uses(FloatingOption::UseRelativeHeight)) {
        writer.startElement("wp14:sizeRelV");
        writer.attribute("relativeFrom", wordOf(kRelativeHeightBaseWords, info.relativeHeight.from, "page"));
        writeTextElement(writer, "wp14:pctHeight", std::to_string(info.relativeHeight.height));
        writer.endElement();
    }
    writer.endElement();
}

void OpenXmlDrawingWriter::writeGraphic(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t id)
{
    const model::Size size = run.actualSize();
    const int64_t cx = modelUnitsToEmu(std::max(1, size.width));
    const int64_t cy = modelUnitsToEmu(std::max(1, size.height));
    writer.startElement("a:graphic");
    writer.startElement("a:graphicData");
    if (const model::OfficeImage* image = pictureOf(run)) {
        writer.attribute("uri", kPictureGraphicUri);
        std::optional<int32_t> rotation;
        if (run.shape().uses(model::UsedShapeOption::UseRotation))
            rotation = run.shape().info().rotation;
        writePicture(writer, *image, id, cx, cy, [&] { writeShapeFillAndOutline(writer, run.shape()); }, rotation);
    } else {
        writer.attribute("uri", kWordprocessingShapeNamespace);
        writeTextBoxShape(writer, run);
    }
    writer.endElement();
    writer.endElement();
}

void OpenXmlDrawingWriter::writeTextBoxShape(XmlWriter& writer, const model::FloatingObjectAnchorRun& run)
{
    using model::UseTextBoxOption;
    const auto& content = static_cast<const model::TextBoxFloatingObjectContent&>(run.content());
    const model::Size size = run.actualSize();
    writer.startElement("wps:wsp");
    writer.startElement("wps:cNvSpPr");
    writer.attribute("txBox", "1");
    writer.endElement();
    writer.startElement("wps:spPr");
    writer.startElement("a:xfrm");
    if (run.shape().uses(model::UsedShapeOption::UseRotation))
        writer.attribute("rot", run.shape().info().rotation);
    writer.startElement("a:off");
    writer.attribute("x", 0);
    writer.attribute("y", 0);
    writer.endElement();
    writer.startElement("a:ext");
    writer.attribute("cx", modelUnitsToEmu(std::max(1, size.width)));
    writer.attribute("cy", modelUnitsToEmu(std::max(1, size.height)));
    writer.endElement();
    writer.endElement();
    writer.startElement("a:prstGeom");
    writer.attribute("prst", "rect");
    writer.endElement();
    writeShapeFillAndOutline(writer, run.shape());
    writer.endElement();
    writer.startElement("wps:txbx");
    writer.startElement("w:txbxContent");
    writeTextBoxStory_(content.textBox().pieceTable());
    writer.endElement();
    writer.endElement();

    const model::TextBoxFormatting& properties = content.properties();
    const model::TextBoxInfo& info = properties.info();
    writer.startElement("wps:bodyPr");
    if (properties.uses(UseTextBoxOption::UseWrapText))
        writer.attribute("wrap", info.wrapText ? "square" : "none");
    for (const auto& [name, margin, option] : {std::tuple{"lIns", info.leftMargin, UseTextBoxOption::UseLeftMargin},
                                               std::tuple{"tIns", info.topMargin, UseTextBoxOption::UseTopMargin},
                                               std::tuple{"rIns", info.rightMargin, UseTextBoxOption::UseRightMargin},
                                               std::tuple{"bIns", info.bottomMargin, UseTextBoxOption::UseBottomMargin}}) {
        if (properties.uses(option))
            writer.attribute(name, clampedEmu(margin));
    }
    if (properties.uses(UseTextBoxOption::UseVerticalAlignment))
        writer.attribute("anchor", wordOf(kTextBoxAnchorWords, info.verticalAlignment, "t"));
    if (properties.uses(UseTextBoxOption::UseUpright))
        writer.attribute("upright", info.upright ? "1" : "0");
    if (properties.uses(UseTextBoxOption::UseResizeShapeToFitText))
        writeEmptyElement(writer, info.resizeShapeToFitText ? "a:spAutoFit" : "a:noAutofit");
    writer.endElement();
    writer.endElement();
}

void OpenXmlDrawingWriter::writeVmlTextBox(XmlWriter& writer, const model::FloatingObjectAnchorRun& run, int32_t anchorId)
{
    using model::UsedShapeOption;
    using model::UseTextBoxOption;
    const model::FloatingObjectFormatting& properties = run.floatingObject().properties();
    const model::FloatingObjectInfo& info = properties.info();
    const model::ShapeFormatting& shape = run.shape();
    const auto& content = static_cast<const model::TextBoxFloatingObjectContent&>(run.content());
    const model::TextBoxFormatting& textBox = content.properties();
    const bool inLine = info.textWrapType == model::FloatingObjectTextWrapType::Inline;

    std::string style = inLine ? "" : "position:absolute;";
    style += "width:" + points(info.actualSize.width) + ";height:" + points(info.actualSize.height) + ";";
    if (!inLine) {
        style += "z-index:" + std::to_string(info.zOrder) + ";";
        style += "mso-wrap-distance-left:" + points(info.leftDistance) + ";mso-wrap-distance-top:" + points(info.topDistance) +
                 ";mso-wrap-distance-right:" + points(info.rightDistance) + ";mso-wrap-distance-bottom:" + points(info.bottomDistance) + ";";
        style += "margin-left:" + points(info.offset.x) + ";margin-top:" + points(info.offset.y) + ";";
        style += "mso-position-horizontal:" + std::string(wordOf(kShapeHorizontalAlignmentWords, info.horizontalPositionAlignment, "absolute")) +
                 ";mso-position-horizontal-relative:" + std::string(wordOf(kVmlHorizontalPositionBaseWords, info.horizontalPositionType, "page")) +
                 ";mso-position-vertical:" + std::string(wordOf(kShapeVerticalAlignmentWords, info.verticalPositionAlignment, "absolute")) +
                 ";mso-position-vertical-relative:" + std::string(wordOf(kVmlVerticalPositionBaseWords, info.verticalPositionType, "margin"));
    }
    if (properties.uses(FloatingOption::UseRelativeWidth)) {
        if (info.relativeWidth.from != model::FloatingObjectRelativeFromHorizontal::Page)
            style += ";mso-width-relative:" + std::string(wordOf(kVmlRelativeWidthBaseWords, info.relativeWidth.from, "margin"));
        style += ";mso-width-percent:" + std::to_string(info.relativeWidth.width / 100);
    }
    if (properties.uses(FloatingOption::UseRelativeHeight)) {
        if (info.relativeHeight.from != model::FloatingObjectRelativeFromVertical::Page)
            style += ";mso-height-relative:" + std::string(wordOf(kVmlRelativeHeightBaseWords, info.relativeHeight.from, "margin"));
        style += ";mso-height-percent:" + std::to_string(info.relativeHeight.height / 100);
    }
    if (properties.uses(FloatingOption::UsePercentOffset)) {
        if (info.percentOffset.x != 0)
            style += ";mso-left-percent:" + vmlNumber(info.percentOffset.x / 100.0);
        if (info.percentOffset.y != 0)
            style += ";mso-top-percent:" + vmlNumber(info.percentOffset.y / 100.0);
    }
    if (textBox.uses(UseTextBoxOption::UseWrapText))
        style += std::string(";mso-wrap-style:") + (textBox.info().wrapText ? "square" : "none");
    if (textBox.uses(UseTextBoxOption::UseVerticalAlignment)) {
        const model::VerticalAlignment alignment = textBox.info().verticalAlignment;
        style += std::string(";v-text-anchor:") + (alignment == model::VerticalAlignment::Center   ? "middle"
                                                   : alignment == model::VerticalAlignment::Bottom ? "bottom"
                                                                                                   : "top");
    }
    if (shape.uses(UsedShapeOption::UseRotation)) {
        const int32_t rotation = shape.info().rotation;
        style += ";rotation:" + (rotation % 60000 == 0 ? std::to_string(rotation / 60000)
                                                       : std::to_string(static_cast<int64_t>(rotation) * 65536 / 60000) + "fd");
    }
    if (style.ends_with(';'))
        style.pop_back();

    const int32_t typeId = nextDrawingId_++;
    writer.startElement("w:pict");
    writer.startElement("v:shapetype");
    writer.attribute("id", "_x0000_t" + std::to_string(typeId));
    writer.attribute("coordsize", "21600,21600");
    writer.attribute("path", kRectanglePath);
    writer.endElement();
    writer.startElement("v:shape");
    writer.attribute("type", "#_x0000_t" + std::to_string(typeId));
    writer.attribute("id", objectName(run, "Text Box", anchorId));
    writer.attribute("style", style);
    if (shape.uses(UsedShapeOption::UseFillColor)) {
        if (isNoColor(shape.info().fillColor))
            writer.attribute("filled", "f");
        else
            writer.attribute("fillcolor", "#" + hexDigits(shape.info().fillColor));
    }
    if (shape.uses(UsedShapeOption::UseOutlineColor) && !isNoColor(shape.info().outlineColor))
        writer.attribute("strokecolor", "#" + hexDigits(shape.info().outlineColor));
    if (shape.uses(UsedShapeOption::UseOutlineWidth))
        writer.attribute("strokeweight", std::to_string(shape.info().outlineWidth / 20) + "pt");
    if (isNoColor(shape.info().outlineColor))
        writer.attribute("stroked", "f");
    if (properties.uses(FloatingOption::UseLayoutInTableCell))
        writer.attribute("o:allowincell", info.layoutInTableCell ? "t" : "f");
    if (properties.uses(FloatingOption::UseAllowOverlap))
        writer.attribute("o:allowoverlap", info.allowOverlap ? "t" : "f");

    writer.startElement("v:textbox");
    if (textBox.uses(UseTextBoxOption::UseResizeShapeToFitText))
        writer.attribute("style", std::string("mso-fit-shape-to-text:") + (textBox.info().resizeShapeToFitText ? "t" : "f"));
    if (textBox.uses(UseTextBoxOption::UseLeftMargin) || textBox.uses(UseTextBoxOption::UseTopMargin) ||
        textBox.uses(UseTextBoxOption::UseRightMargin) || textBox.uses(UseTextBoxOption::UseBottomMargin)) {
        const auto millimetres = [](int32_t twips) { return std::to_string(std::lround(twips * 25.4 / 1440)) + "mm"; };
        const model::TextBoxInfo& margins = textBox.info();
        writer.attribute("inset", millimetres(margins.leftMargin) + "," + millimetres(margins.topMargin) + "," +
                                      millimetres(margins.rightMargin) + "," + millimetres(margins.bottomMargin));
    }
    writer.startElement("w:txbxContent");
    writeTextBoxStory_(content.textBox().pieceTable());
    writer.endElement();
    writer.endElement();
    if (info.locked)
        writeEmptyElement(writer, "w10:anchorlock");
    if (properties.uses(FloatingOption::UseLockAspectRatio)) {
        writer.startElement("o:lock");
        writer.attribute("v:ext", "edit");
        writer.attribute("aspectratio", info.lockAspectRatio ? "t" : "f");
        writer.endElement();
    }
    const std::string_view wrap = wordOf(kVmlWrapTypeWords, info.textWrapType, "none");
    if (wrap != "none" && !inLine) {
        writer.startElement("w10:wrap");
        writer.attribute("type", wrap);
        if (info.textWrapType == model::FloatingObjectTextWrapType::Tight || info.textWrapType == model::FloatingObjectTextWrapType::Through)
            writer.attribute("anchory", "line");
        if (properties.uses(FloatingOption::UseTextWrapSide) && info.textWrapSide != model::FloatingObjectTextWrapSide::Both)
            writer.attribute("side", wordOf(kVmlWrapSideWords, info.textWrapSide));
        writer.endElement();
    }
    writer.endElement();
    writer.endElement();
}

} // namespace velmo::formats
