#pragma once

#include "formats/docx/open_xml_values.h"
#include "model/alpha_color.h"
#include "model/pictures/floating_object_formatting.h"
#include "model/section_properties.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velmo::formats {

/// The namespaces of drawings in a word-processing package.
inline constexpr std::string_view kWordprocessingDrawingNamespace = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
inline constexpr std::string_view kWordprocessingDrawing2010Namespace = "http://schemas.microsoft.com/office/word/2010/wordprocessingDrawing";
inline constexpr std::string_view kDrawingMainNamespace = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr std::string_view kDrawingPictureNamespace = "http://schemas.openxmlformats.org/drawingml/2006/picture";
inline constexpr std::string_view kVmlNamespace = "urn:schemas-microsoft-com:vml";
inline constexpr std::string_view kVmlOfficeNamespace = "urn:schemas-microsoft-com:office:office";
inline constexpr std::string_view kVmlWordNamespace = "urn:schemas-microsoft-com:office:word";

/// Lengths in drawings are English Metric Units: 635 to the twip, 12700 to the point.
inline constexpr int64_t kEmuPerTwip = 635;

/// Twips from English Metric Units, rounded and kept within 32 bits.
[[nodiscard]] int32_t emuToModelUnits(int64_t emu) noexcept;
[[nodiscard]] constexpr int64_t modelUnitsToEmu(int32_t twips) noexcept { return int64_t{twips} * kEmuPerTwip; }

inline constexpr std::array<ValueWord<model::ShapeRelativeHorizontalPosition>, 8> kHorizontalPositionBaseWords{{
    {model::ShapeRelativeHorizontalPosition::Page, "page"},
    {model::ShapeRelativeHorizontalPosition::Character, "character"},
    {model::ShapeRelativeHorizontalPosition::Column, "column"},
    {model::ShapeRelativeHorizontalPosition::Margin, "margin"},
    {model::ShapeRelativeHorizontalPosition::LeftMargin, "leftMargin"},
    {model::ShapeRelativeHorizontalPosition::RightMargin, "rightMargin"},
    {model::ShapeRelativeHorizontalPosition::InsideMargin, "insideMargin"},
    {model::ShapeRelativeHorizontalPosition::OutsideMargin, "outsideMargin"},
}};

inline constexpr std::array<ValueWord<model::ShapeRelativeVerticalPosition>, 8> kVerticalPositionBaseWords{{
    {model::ShapeRelativeVerticalPosition::Page, "page"},
    {model::ShapeRelativeVerticalPosition::Line, "line"},
    {model::ShapeRelativeVerticalPosition::Paragraph, "paragraph"},
    {model::ShapeRelativeVerticalPosition::Margin, "margin"},
    {model::ShapeRelativeVerticalPosition::TopMargin, "topMargin"},
    {model::ShapeRelativeVerticalPosition::BottomMargin, "bottomMargin"},
    {model::ShapeRelativeVerticalPosition::InsideMargin, "insideMargin"},
    {model::ShapeRelativeVerticalPosition::OutsideMargin, "outsideMargin"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectRelativeFromHorizontal>, 6> kRelativeWidthBaseWords{{
    {model::FloatingObjectRelativeFromHorizontal::Margin, "margin"},
    {model::FloatingObjectRelativeFromHorizontal::Page, "page"},
    {model::FloatingObjectRelativeFromHorizontal::LeftMargin, "leftMargin"},
    {model::FloatingObjectRelativeFromHorizontal::RightMargin, "rightMargin"},
    {model::FloatingObjectRelativeFromHorizontal::InsideMargin, "insideMargin"},
    {model::FloatingObjectRelativeFromHorizontal::OutsideMargin, "outsideMargin"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectRelativeFromVertical>, 6> kRelativeHeightBaseWords{{
    {model::FloatingObjectRelativeFromVertical::Margin, "margin"},
    {model::FloatingObjectRelativeFromVertical::Page, "page"},
    {model::FloatingObjectRelativeFromVertical::TopMargin, "topMargin"},
    {model::FloatingObjectRelativeFromVertical::BottomMargin, "bottomMargin"},
    {model::FloatingObjectRelativeFromVertical::InsideMargin, "insideMargin"},
    {model::FloatingObjectRelativeFromVertical::OutsideMargin, "outsideMargin"},
}};

inline constexpr std::array<ValueWord<model::ShapeHorizontalAlignment>, 5> kShapeHorizontalAlignmentWords{{
    {model::ShapeHorizontalAlignment::Left, "left"},
    {model::ShapeHorizontalAlignment::Center, "center"},
    {model::ShapeHorizontalAlignment::Right, "right"},
    {model::ShapeHorizontalAlignment::Inside, "inside"},
    {model::ShapeHorizontalAlignment::Outside, "outside"},
}};

inline constexpr std::array<ValueWord<model::ShapeVerticalAlignment>, 5> kShapeVerticalAlignmentWords{{
    {model::ShapeVerticalAlignment::Top, "top"},
    {model::ShapeVerticalAlignment::Center, "center"},
    {model::ShapeVerticalAlignment::Bottom, "bottom"},
    {model::ShapeVerticalAlignment::Inside, "inside"},
    {model::ShapeVerticalAlignment::Outside, "outside"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectTextWrapSide>, 4> kWrapSideWords{{
    {model::FloatingObjectTextWrapSide::Both, "bothSides"},
    {model::FloatingObjectTextWrapSide::Left, "left"},
    {model::FloatingObjectTextWrapSide::Right, "right"},
    {model::FloatingObjectTextWrapSide::Largest, "largest"},
}};

/// The wrap elements of an anchor ("wrapNone"...).
inline constexpr std::array<ValueWord<model::FloatingObjectTextWrapType>, 5> kWrapElementNames{{
    {model::FloatingObjectTextWrapType::None, "wrapNone"},
    {model::FloatingObjectTextWrapType::TopAndBottom, "wrapTopAndBottom"},
    {model::FloatingObjectTextWrapType::Square, "wrapSquare"},
    {model::FloatingObjectTextWrapType::Tight, "wrapTight"},
    {model::FloatingObjectTextWrapType::Through, "wrapThrough"},
}};

/// How a text box's text sits vertically ("anchor" of "bodyPr").
inline constexpr std::array<ValueWord<model::VerticalAlignment>, 4> kTextBoxAnchorWords{{
    {model::VerticalAlignment::Top, "t"},
    {model::VerticalAlignment::Center, "ctr"},
    {model::VerticalAlignment::Bottom, "b"},
    {model::VerticalAlignment::Both, "just"},
}};

// The same choices in the words of VML styles.
inline constexpr std::array<ValueWord<model::ShapeRelativeHorizontalPosition>, 8> kVmlHorizontalPositionBaseWords{{
    {model::ShapeRelativeHorizontalPosition::Page, "page"},
    {model::ShapeRelativeHorizontalPosition::Character, "char"},
    {model::ShapeRelativeHorizontalPosition::Column, "text"},
    {model::ShapeRelativeHorizontalPosition::Margin, "margin"},
    {model::ShapeRelativeHorizontalPosition::LeftMargin, "left-margin-area"},
    {model::ShapeRelativeHorizontalPosition::RightMargin, "right-margin-area"},
    {model::ShapeRelativeHorizontalPosition::InsideMargin, "inner-margin-area"},
    {model::ShapeRelativeHorizontalPosition::OutsideMargin, "outer-margin-area"},
}};

inline constexpr std::array<ValueWord<model::ShapeRelativeVerticalPosition>, 8> kVmlVerticalPositionBaseWords{{
    {model::ShapeRelativeVerticalPosition::Page, "page"},
    {model::ShapeRelativeVerticalPosition::Line, "line"},
    {model::ShapeRelativeVerticalPosition::Paragraph, "text"},
    {model::ShapeRelativeVerticalPosition::Margin, "margin"},
    {model::ShapeRelativeVerticalPosition::TopMargin, "top-margin-area"},
    {model::ShapeRelativeVerticalPosition::BottomMargin, "bottom-margin-area"},
    {model::ShapeRelativeVerticalPosition::InsideMargin, "inner-margin-area"},
    {model::ShapeRelativeVerticalPosition::OutsideMargin, "outer-margin-area"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectRelativeFromHorizontal>, 6> kVmlRelativeWidthBaseWords{{
    {model::FloatingObjectRelativeFromHorizontal::Margin, "margin"},
    {model::FloatingObjectRelativeFromHorizontal::Page, "page"},
    {model::FloatingObjectRelativeFromHorizontal::LeftMargin, "left-margin-area"},
    {model::FloatingObjectRelativeFromHorizontal::RightMargin, "right-margin-area"},
    {model::FloatingObjectRelativeFromHorizontal::InsideMargin, "inner-margin-area"},
    {model::FloatingObjectRelativeFromHorizontal::OutsideMargin, "outer-margin-area"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectRelativeFromVertical>, 6> kVmlRelativeHeightBaseWords{{
    {model::FloatingObjectRelativeFromVertical::Margin, "margin"},
    {model::FloatingObjectRelativeFromVertical::Page, "page"},
    {model::FloatingObjectRelativeFromVertical::TopMargin, "top-margin-area"},
    {model::FloatingObjectRelativeFromVertical::BottomMargin, "bottom-margin-area"},
    {model::FloatingObjectRelativeFromVertical::InsideMargin, "inner-margin-area"},
    {model::FloatingObjectRelativeFromVertical::OutsideMargin, "outer-margin-area"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectTextWrapType>, 5> kVmlWrapTypeWords{{
    {model::FloatingObjectTextWrapType::None, "none"},
    {model::FloatingObjectTextWrapType::TopAndBottom, "topAndBottom"},
    {model::FloatingObjectTextWrapType::Square, "square"},
    {model::FloatingObjectTextWrapType::Through, "through"},
    {model::FloatingObjectTextWrapType::Tight, "tight"},
}};

inline constexpr std::array<ValueWord<model::FloatingObjectTextWrapSide>, 4> kVmlWrapSideWords{{
    {model::FloatingObjectTextWrapSide::Both, "both"},
    {model::FloatingObjectTextWrapSide::Left, "left"},
    {model::FloatingObjectTextWrapSide::Right, "right"},
    {model::FloatingObjectTextWrapSide::Largest, "largest"},
}};

/// A colour of the document theme by its scheme name ("accent1", "tx1"...), from the default
/// theme (the theme part is not read); none for an unknown name.
[[nodiscard]] std::optional<model::AlphaColor> schemeColor(std::string_view name) noexcept;
/// A preset colour by name ("red", "dkBlue", "ltGray"...); none for an unknown name.
[[nodiscard]] std::optional<model::AlphaColor> presetColor(std::string_view name) noexcept;

} // namespace velmo::formats
