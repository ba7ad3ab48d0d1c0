// VML: the pictures and text boxes of "pict" and "object" elements, as older documents (and the
// fallbacks of newer ones) give them.
#include "formats/docx/open_xml_drawing_reader.h"

#include "formats/docx/open_xml_drawing_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace velmo::formats {

namespace {

using FloatingOption = model::UseFloatingObjectOption;

std::string lowerCase(std::string_view text)
{
    std::string result(text);
    for (char& character : result) {
        if (character >= 'A' && character <= 'Z')
            character = static_cast<char>(character - 'A' + 'a');
    }
    return result;
}

/// A number at the start of `text`, and what follows it.
std::optional<double> leadingNumber(std::string_view text, std::string_view& rest)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    rest = trimBlanks(text.substr(static_cast<size_t>(end - text.data())));
    return value;
}

/// Tenths of a percent (VML) as the model's thousandths.
int32_t thousandthsOfPercent(int32_t tenths) noexcept
{
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{tenths} * 100, INT32_MIN, INT32_MAX));
}

int32_t clampedRound(double value) noexcept
{
    return static_cast<int32_t>(std::clamp(std::round(value), static_cast<double>(std::numeric_limits<int32_t>::min()),
                                           static_cast<double>(std::numeric_limits<int32_t>::max())));
}

/// A CSS length ("12.5pt", "1in", "3mm", "20px"; a bare number counts as pixels) in twips.
std::optional<int32_t> cssLength(std::string_view text)
{
    std::string_view unit;
    const std::optional<double> value = leadingNumber(text, unit);
    if (!value)
        return std::nullopt;
    const std::string lower = lowerCase(unit);
    double twipsPerUnit = 0;
    if (lower == "pt")
        twipsPerUnit = 20;
    else if (lower == "in")
        twipsPerUnit = 1440;
    else if (lower == "cm")
        twipsPerUnit = 1440 / 2.54;
    else if (lower == "mm")
        twipsPerUnit = 1440 / 25.4;
    else if (lower == "pc")
        twipsPerUnit = 240;
    else if (lower == "px" || lower.empty())
        twipsPerUnit = 15;
    else if (lower == "emu")
        twipsPerUnit = 1.0 / static_cast<double>(kEmuPerTwip);
    else
        return std::nullopt;
    return clampedRound(*value * twipsPerUnit);
}

std::optional<int32_t> cssInteger(std::string_view text)
{
    std::string_view rest;
    const std::optional<double> value = leadingNumber(text, rest);
    if (!value || !rest.empty())
        return std::nullopt;
    return clampedRound(*value);
}

/// VML's true and false: "t", "true", "on" and "f", "false", "off".
std::optional<bool> vmlBoolean(std::optional<std::string_view> value)
{
    if (!value)
        return std::nullopt;
    const std::string word = lowerCase(trimBlanks(*value));
    if (word == "t" || word == "true" || word == "on" || word == "1")
        return true;
    if (word == "f" || word == "false" || word == "off" || word == "0")
        return false;
    return std::nullopt;
}

/// "#rrggbb", "#rgb" or a colour name, possibly followed by a bracketed theme index.
std::optional<model::AlphaColor> vmlColor(std::string_view value)
{
    value = trimBlanks(value);
    value = value.substr(0, value.find_first_of(" ["));
    if (value.starts_with('#')) {
        const std::string_view digits = value.substr(1);
        if (digits.size() == 3) {
            const std::string doubled{digits[0], digits[0], digits[1], digits[1], digits[2], digits[2]};
            return parseHexColor(doubled);
        }
        return parseHexColor(digits);
    }
    return presetColor(value);
}

} // namespace

void OpenXmlDrawingReader::readVml(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (reader.namespaceUri() == kVmlNamespace && (name == "shape" || name == "rect" || name == "roundrect"))
            readVmlShape(reader, story);
        else
            reader.skipSubtree(); // shape types, groups, embedded-object data
    });
}

void OpenXmlDrawingReader::readVmlShape(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    using model::ShapeInfo;
    using model::UsedShapeOption;
    Drawing drawing;
    readVmlStyle(reader.attribute("", "style").value_or(""), drawing);
    model::ShapeFormatting& shape = drawing.shape;
    if (const std::optional<std::string_view> fill = reader.attribute("", "fillcolor")) {
        if (const std::optional<model::AlphaColor> color = vmlColor(*fill))
            shape.set(&ShapeInfo::fillColor, *color, UsedShapeOption::UseFillColor);
    }
    if (vmlBoolean(reader.attribute("", "filled")) == false)
        shape.set(&ShapeInfo::fillColor, model::kEmptyColor, UsedShapeOption::UseFillColor);
    if (const std::optional<std::string_view> stroke = reader.attribute("", "strokecolor")) {
        if (const std::optional<model::AlphaColor> color = vmlColor(*stroke))
            shape.set(&ShapeInfo::outlineColor, *color, UsedShapeOption::UseOutlineColor);
    }
    if (vmlBoolean(reader.attribute("", "stroked")) == false)
        shape.set(&ShapeInfo::outlineColor, model::kEmptyColor, UsedShapeOption::UseOutlineColor);
    if (const std::optional<std::string_view> weight = reader.attribute("", "strokeweight")) {
        if (const std::optional<int32_t> width = cssLength(*weight))
            shape.set(&ShapeInfo::outlineWidth, *width, UsedShapeOption::UseOutlineWidth);
    }
    model::FloatingObjectFormatting& f = drawing.properties;
    if (const std::optional<bool> inCell = vmlBoolean(reader.attribute(kVmlOfficeNamespace, "allowincell")))
        f.set(&model::FloatingObjectInfo::layoutInTableCell, *inCell, FloatingOption::UseLayoutInTableCell);
    if (const std::optional<bool> overlap = vmlBoolean(reader.attribute(kVmlOfficeNamespace, "allowoverlap")))
        f.set(&model::FloatingObjectInfo::allowOverlap, *overlap, FloatingOption::UseAllowOverlap);

    forEachChildElement(reader, [&] {
        const std::string_view name = reader.localName();
        if (name == "imagedata" && !drawing.image) {
            std::optional<std::string_view> id = OpenXmlAttributes::relationId(reader, "id");
            if (!id)
                id = reader.attribute(kVmlOfficeNamespace, "relid");
            if (id)
                drawing.image = embeddedImage(*id);
            reader.skipSubtree();
        } else if (name == "textbox") {
            readVmlTextBox(reader, story, drawing);
        } else if (name == "wrap") {
            if (const auto type = valueOf(kVmlWrapTypeWords, trimBlanks(reader.attribute("", "type").value_or(""))))
                f.set(&model::FloatingObjectInfo::textWrapType, *type, FloatingOption::UseTextWrapType);
            if (const auto side = valueOf(kVmlWrapSideWords, trimBlanks(reader.attribute("", "side").value_or(""))))
                f.set(&model::FloatingObjectInfo::textWrapSide, *side, FloatingOption::UseTextWrapSide);
            reader.skipSubtree();
        } else if (name == "anchorlock") {
            f.set(&model::FloatingObjectInfo::locked, true, FloatingOption::UseLocked);
            reader.skipSubtree();
        } else if (name == "lock") {
            if (const std::optional<bool> aspect = vmlBoolean(reader.attribute("", "aspectratio")))
                drawing.lockAspectRatio = aspect;
            reader.skipSubtree();
        } else {
            reader.skipSubtree();
        }
    });
    finish(story, drawing);
}

void OpenXmlDrawingReader::readVmlTextBox(XmlReader& reader, OpenXmlStoryBuilder& story, Drawing& drawing)
{
    using model::TextBoxInfo;
    using model::UseTextBoxOption;
    drawing.isShape = true;
    model::TextBoxFormatting& f = drawing.textBox;
    const std::string style = lowerCase(reader.attribute("", "style").value_or(""));
    if (style.find("mso-fit-shape-to-text:t") != std::string::npos)
        f.set(&TextBoxInfo::resizeShapeToFitText, true, UseTextBoxOption::UseResizeShapeToFitText);
    if (const std::optional<std::string_view> inset = reader.attribute("", "inset")) {
        std::string_view rest = *inset;
        for (const auto& [field, option] : {std::pair{&TextBoxInfo::leftMargin, UseTextBoxOption::UseLeftMargin},
                                            std::pair{&TextBoxInfo::topMargin, UseTextBoxOption::UseTopMargin},
                                            std::pair{&TextBoxInfo::rightMargin, UseTextBoxOption::UseRightMargin},
                                            std::pair{&TextBoxInfo::bottomMargin, UseTextBoxOption::UseBottomMargin}}) {
            const size_t comma = rest.find(',');
            if (const std::optional<int32_t> length = cssLength(rest.substr(0, comma)))
                f.set(field, *length, option);
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
    }
    forEachChildElement(reader, [&] {
        if (reader.localName() == "txbxContent" && isWordElement(reader))
            readTextBoxContent(reader, story, drawing);
        else
            reader.skipSubtree();
    });
}

void OpenXmlDrawingReader::readVmlStyle(std::string_view style, Drawing& drawing) const
{
    using model::FloatingObjectInfo;
    model::FloatingObjectFormatting& f = drawing.properties;
    // Positions are measured from the column and the paragraph unless the style says otherwise.
    f.set(&FloatingObjectInfo::horizontalPositionType, model::ShapeRelativeHorizontalPosition::Column, FloatingOption::UseHorizontalPositionType);
    f.set(&FloatingObjectInfo::verticalPositionType, model::ShapeRelativeVerticalPosition::Paragraph, FloatingOption::UseVerticalPositionType);
    std::optional<model::FloatingObjectRelativeFromHorizontal> widthBase;
    std::optional<model::FloatingObjectRelativeFromVertical> heightBase;
    std::optional<int32_t> widthPercent;
    std::optional<int32_t> heightPercent;
    while (!style.empty()) {
        const size_t end = style.find(';');
        const std::string_view declaration = style.substr(0, end);
        style = end == std::string_view::npos ? std::string_view() : style.substr(end + 1);
        const size_t colon = declaration.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string name = lowerCase(trimBlanks(declaration.substr(0, colon)));
        const std::string_view value = trimBlanks(declaration.substr(colon + 1));
        const std::string word = lowerCase(value);
        if (name == "position") {
            drawing.floating = word == "absolute";
        } else if (name == "width" || name == "height") {
            if (const std::optional<int32_t> length = cssLength(value))
                (name == "width" ? drawing.extent.width : drawing.extent.height) = *length;
        } else if (name == "margin-left" || name == "left" || name == "margin-top" || name == "top") {
            if (const std::optional<int32_t> length = cssLength(value)) {
                model::Point offset = drawing.offset.value_or(model::Point{});
                (name.ends_with("left") ? offset.x : offset.y) = *length;
                drawing.offset = offset;
            }
        } else if (name == "z-index") {
            if (const std::optional<int32_t> zOrder = cssInteger(value))
                f.set(&FloatingObjectInfo::zOrder, *zOrder, FloatingOption::UseZOrder);
        } else if (name == "mso-position-horizontal") {
            if (const auto alignment = valueOf(kShapeHorizontalAlignmentWords, word))
                f.set(&FloatingObjectInfo::horizontalPositionAlignment, *alignment, FloatingOption::UseHorizontalPositionAlignment);
        } else if (name == "mso-position-vertical") {
            if (const auto alignment = valueOf(kShapeVerticalAlignmentWords, word))
                f.set(&FloatingObjectInfo::verticalPositionAlignment, *alignment, FloatingOption::UseVerticalPositionAlignment);
        } else if (name == "mso-position-horizontal-relative") {
            if (const auto base = valueOf(kVmlHorizontalPositionBaseWords, word))
                f.set(&FloatingObjectInfo::horizontalPositionType, *base, FloatingOption::UseHorizontalPositionType);
        } else if (name == "mso-position-vertical-relative") {
            if (const auto base = valueOf(kVmlVerticalPositionBaseWords, word))
                f.set(&FloatingObjectInfo::verticalPositionType, *base, FloatingOption::UseVerticalPositionType);
        } else if (name.starts_with("mso-wrap-distance-")) {
            const std::string side = name.substr(18);
            std::optional<int32_t> length = cssLength(value);
            if (!length)
                continue;
            length = std::max(0, *length);
            if (side == "left")
                f.set(&FloatingObjectInfo::leftDistance, *length, FloatingOption::UseLeftDistance);
            else if (side == "right")
                f.set(&FloatingObjectInfo::rightDistance, *length, FloatingOption::UseRightDistance);
            else if (side == "top")
                f.set(&FloatingObjectInfo::topDistance, *length, FloatingOption::UseTopDistance);
            else if (side == "bottom")
                f.set(&FloatingObjectInfo::bottomDistance, *length, FloatingOption::UseBottomDistance);
        } else if (name == "mso-width-percent" || name == "mso-height-percent") {
            if (const std::optional<int32_t> percent = cssInteger(value))
                (name == "mso-width-percent" ? widthPercent : heightPercent) = std::max(0, thousandthsOfPercent(*percent));
        } else if (name == "mso-width-relative") {
            widthBase = valueOf(kVmlRelativeWidthBaseWords, word);
        } else if (name == "mso-height-relative") {
            heightBase = valueOf(kVmlRelativeHeightBaseWords, word);
        } else if (name == "mso-left-percent" || name == "mso-top-percent") {
            if (const std::optional<int32_t> percent = cssInteger(value)) {
                model::Point offset = drawing.percentOffset.value_or(model::Point{});
                (name == "mso-left-percent" ? offset.x : offset.y) = thousandthsOfPercent(*percent);
                drawing.percentOffset = offset;
            }
        } else if (name == "rotation") {
            std::string_view unit;
            if (const std::optional<double> angle = leadingNumber(value, unit)) {
                const double degrees = lowerCase(unit) == "fd" ? *angle / 65536 : *angle;
                drawing.shape.set(&model::ShapeInfo::rotation, clampedRound(degrees * 60000), model::UsedShapeOption::UseRotation);
            }
        } else if (name == "visibility") {
            f.set(&FloatingObjectInfo::hidden, word == "hidden", FloatingOption::UseHidden);
        } else if (name == "mso-wrap-style") {
            drawing.textBox.set(&model::TextBoxInfo::wrapText, word != "none", model::UseTextBoxOption::UseWrapText);
        } else if (name == "v-text-anchor") {
            const std::string_view vertical = std::string_view(word).substr(0, word.find('-'));
            const model::VerticalAlignment alignment = vertical == "middle" ? model::VerticalAlignment::Center
                                                       : vertical == "bottom" ? model::VerticalAlignment::Bottom
                                                                              : model::VerticalAlignment::Top;
            drawing.textBox.set(&model::TextBoxInfo::verticalAlignment, alignment, model::UseTextBoxOption::UseVerticalAlignment);
        }
    }
    // Without a base, relative sizes are of the page.
    if (widthPercent)
        drawing.relativeWidth = model::FloatingObjectRelativeWidth{
            *widthPercent, widthBase.value_or(model::FloatingObjectRelativeFromHorizontal::Page)};
    if (heightPercent)
        drawing.relativeHeight = model::FloatingObjectRelativeHeight{
            *heightPercent, heightBase.value_or(model::FloatingObjectRelativeFromVertical::Page)};
}

} // namespace velmo::formats
