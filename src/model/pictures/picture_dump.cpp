#include "model/pictures/picture_dump.h"

#include "core/unicode_text.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/office_image.h"
#include "model/pictures/picture_floating_object_content.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"

#include <algorithm>
#include <cstdio>

namespace velmo::model {

namespace {

std::string sizeText(Size size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string hex(uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

const char* formatName(OfficeImageFormat format)
{
    static constexpr const char* kNames[] = {"none", "bmp", "emf", "exif", "gif", "icon", "jpeg", "memorybmp", "png", "tiff", "wmf"};
    return kNames[static_cast<int>(format)];
}

void appendImage(std::string& out, const OfficeImageReference& reference, PictureDumpContext& context)
{
    const OfficeImage& image = reference.image();
    const platform::ImageSize pixels = image.sizeInPixels();
    const int number = context.imageNumbers.try_emplace(&image, static_cast<int>(context.imageNumbers.size()) + 1).first->second;
    out += " image=#" + std::to_string(number) + " " + formatName(image.rawFormat()) + " " + std::to_string(pixels.width) + "x" +
           std::to_string(pixels.height) + "px";
    if (!image.isLoaded())
        out += " placeholder";
    if (!image.loadError().empty())
        out += " error=\"" + image.loadError() + "\"";
    if (reference.isUriImage())
        out += " uri=\"" + core::utf16ToUtf8(reference.uri()) + "\"";
}

void appendInlinePicture(std::string& out, const InlinePictureRun& run, PictureDumpContext& context)
{
    if (run.image())
        appendImage(out, *run.image(), context);
    else
        out += " image=none";
    const InlinePictureInfo& info = run.pictureInfo();
    out += " scale=" + number(info.scaleX) + "/" + number(info.scaleY) + " original=" + sizeText(run.originalSize()) +
           " actual=" + sizeText(run.actualSize());
    if (info.sizing != ImageSizeMode::StretchImage)
        out += " sizing=" + std::to_string(static_cast<int>(info.sizing));
    if (!info.lockAspectRatio)
        out += " free-aspect";
    if (info.fillColor != kEmptyColor)
        out += " fill=#" + hex(info.fillColor);
}

void appendPlacement(std::string& out, const FloatingObjectFormatting& properties)
{
    static constexpr const char* kHorizontalTypes[] = {"page", "character", "column", "margin", "left-margin", "right-margin", "inside-margin", "outside-margin"};
    static constexpr const char* kVerticalTypes[] = {"page", "line", "paragraph", "margin", "top-margin", "bottom-margin", "inside-margin", "outside-margin"};
    static constexpr const char* kHorizontalAlignments[] = {"none", "left", "center", "right", "inside", "outside"};
    static constexpr const char* kVerticalAlignments[] = {"none", "top", "center", "bottom", "inside", "outside"};
    static constexpr const char* kWrapTypes[] = {"none", "top-and-bottom", "tight", "through", "square", "inline"};
    static constexpr const char* kWrapSides[] = {"both", "left", "right", "largest"};
    using O = UseFloatingObjectOption;
    const FloatingObjectInfo& info = properties.info();
    out += " z=" + std::to_string(info.zOrder) + " actual=" + sizeText(info.actualSize);
    out += std::string(" h=") + kHorizontalTypes[static_cast<int>(info.horizontalPositionType)] + "/" +
           kHorizontalAlignments[static_cast<int>(info.horizontalPositionAlignment)];
    out += std::string(" v=") + kVerticalTypes[static_cast<int>(info.verticalPositionType)] + "/" +
           kVerticalAlignments[static_cast<int>(info.verticalPositionAlignment)];
    if (properties.uses(O::UseOffset))
        out += " offset=" + std::to_string(info.offset.x) + "," + std::to_string(info.offset.y);
    out += std::string(" wrap=") + kWrapTypes[static_cast<int>(info.textWrapType)];
    if (info.textWrapSide != FloatingObjectTextWrapSide::Both)
        out += std::string("/") + kWrapSides[static_cast<int>(info.textWrapSide)];
    if (info.isBehindDoc)
        out += " behind";
    if (info.lockAspectRatio)
        out += " lock-aspect";
    if (info.leftDistance != 0 || info.rightDistance != 0 || info.topDistance != 0 || info.bottomDistance != 0)
        out += " distance=" + std::to_string(info.leftDistance) + "/" + std::to_string(info.rightDistance) + "/" +
               std::to_string(info.topDistance) + "/" + std::to_string(info.bottomDistance);
}

void appendShape(std::string& out, const ShapeFormatting& shape)
{
    const ShapeInfo& info = shape.info();
    if (shape.uses(UsedShapeOption::UseFillColor))
        out += " fill=#" + hex(info.fillColor);
    if (shape.uses(UsedShapeOption::UseOutlineColor))
        out += " outline=#" + hex(info.outlineColor);
    if (shape.uses(UsedShapeOption::UseOutlineWidth))
        out += " outline-width=" + std::to_string(info.outlineWidth);
    if (shape.uses(UsedShapeOption::UseRotation))
        out += " rotation=" + std::to_string(info.rotation);
}

void appendFloatingObject(std::string& out, const FloatingObjectAnchorRun& run, PictureDumpContext& context)
{
    if (!run.name().empty())
        out += " name=\"" + core::utf16ToUtf8(run.name()) + "\"";
    const CustomObjectContent& content = run.content();
    switch (content.kind()) {
    case ObjectContentKind::Empty: out += " content=empty"; break;
    case ObjectContentKind::Picture:
        out += " content=picture";
        appendImage(out, static_cast<const PictureFloatingObjectContent&>(content).image(), context);
        break;
    case ObjectContentKind::TextBox: {
        const auto& textBox = static_cast<const TextBoxFloatingObjectContent&>(content);
        const auto found = std::ranges::find(context.stories, &textBox.textBox().pieceTable());
        out += " content=textbox=#" + std::to_string(found - context.stories.begin());
        if (textBox.properties().info().resizeShapeToFitText)
            out += " fit-text";
        break;
    }
    }
    out += " original=" + sizeText(run.originalSize());
    appendPlacement(out, run.floatingObject().properties());
    appendShape(out, run.shape());
}

} // namespace

void appendPictureRunDump(std::string& out, const TextRunBase& run, PictureDumpContext& context)
{
    if (run.kind() == RunKind::InlinePicture)
        appendInlinePicture(out, static_cast<const InlinePictureRun&>(run), context);
    else if (run.kind() == RunKind::FloatingObjectAnchor)
        appendFloatingObject(out, static_cast<const FloatingObjectAnchorRun&>(run), context);
}

} // namespace velmo::model
