#pragma once

#include "model/alpha_color.h"
#include "model/border_info.h"
#include "model/character_formatting_info.h"
#include "model/numbering_format.h"
#include "model/paragraph_formatting_info.h"
#include "model/section_properties.h"
#include "model/tab_formatting_info.h"
#include "model/tables/table_properties_info.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace velmo::formats {

/// The namespaces of a word-processing package (transitional, and the strict forms readers also accept).
inline constexpr std::string_view kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr std::string_view kWordStrictNamespace = "http://purl.oclc.org/ooxml/wordprocessingml/main";
inline constexpr std::string_view kRelationshipsNamespace = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr std::string_view kRelationshipsStrictNamespace = "http://purl.oclc.org/ooxml/officeDocument/relationships";
inline constexpr std::string_view kPackageRelationshipsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr std::string_view kContentTypesNamespace = "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr std::string_view kMarkupCompatibilityNamespace = "http://schemas.openxmlformats.org/markup-compatibility/2006";
inline constexpr std::string_view kWordprocessingShapeNamespace = "http://schemas.microsoft.com/office/word/2010/wordprocessingShape";
/// Relationship types are this prefix and a word ("styles", "header"...).
inline constexpr std::string_view kRelationshipTypePrefix = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

/// The message of every error about a package's content (as opposed to its container).
inline constexpr std::string_view kInvalidOpenXmlFileMessage = "Invalid OpenXml file";
inline constexpr std::string_view kEncryptedFilesNotSupportedMessage = "Encrypted files are not currently supported";

/// A model value and the attribute word that stands for it.
template <typename Enum>
struct ValueWord {
    Enum value;
    std::string_view word;
};

/// The word of `value` in `table`; `fallback` when the table lacks it.
template <typename Enum, size_t N>
[[nodiscard]] constexpr std::string_view wordOf(const std::array<ValueWord<Enum>, N>& table, Enum value,
                                                std::string_view fallback = {}) noexcept
{
    for (const ValueWord<Enum>& entry : table) {
        if (entry.value == value)
            return entry.word;
    }
    return fallback;
}

/// The value of `word` in `table` (exact comparison); none when the table lacks it.
template <typename Enum, size_t N>
[[nodiscard]] constexpr std::optional<Enum> valueOf(const std::array<ValueWord<Enum>, N>& table, std::string_view word) noexcept
{
    for (const ValueWord<Enum>& entry : table) {
        if (entry.word == word)
            return entry.value;
    }
    return std::nullopt;
}

inline constexpr std::array<ValueWord<model::ParagraphAlignment>, 4> kParagraphAlignmentWords{{
    {model::ParagraphAlignment::Left, "left"},
    {model::ParagraphAlignment::Right, "right"},
    {model::ParagraphAlignment::Center, "center"},
    {model::ParagraphAlignment::Justify, "both"},
}};

inline constexpr std::array<ValueWord<model::TabAlignmentType>, 4> kTabAlignmentWords{{
    {model::TabAlignmentType::Left, "left"},
    {model::TabAlignmentType::Center, "center"},
    {model::TabAlignmentType::Right, "right"},
    {model::TabAlignmentType::Decimal, "decimal"},
}};

inline constexpr std::array<ValueWord<model::TabLeaderType>, 6> kTabLeaderWords{{
    {model::TabLeaderType::None, "none"},
    {model::TabLeaderType::Dots, "dot"},
    {model::TabLeaderType::MiddleDots, "middleDot"},
    {model::TabLeaderType::Hyphens, "hyphen"},
    {model::TabLeaderType::Underline, "underscore"},
    {model::TabLeaderType::ThickLine, "heavy"},
}};

inline constexpr std::array<ValueWord<model::SectionStartType>, 5> kSectionStartWords{{
    {model::SectionStartType::NextPage, "nextPage"},
    {model::SectionStartType::OddPage, "oddPage"},
    {model::SectionStartType::EvenPage, "evenPage"},
    {model::SectionStartType::Continuous, "continuous"},
    {model::SectionStartType::Column, "nextColumn"},
}};

inline constexpr std::array<ValueWord<model::LineNumberingRestart>, 3> kLineNumberingRestartWords{{
    {model::LineNumberingRestart::NewPage, "newPage"},
    {model::LineNumberingRestart::NewSection, "newSection"},
    {model::LineNumberingRestart::Continuous, "continuous"},
}};

inline constexpr std::array<ValueWord<model::FootNotePosition>, 4> kNotePositionWords{{
    {model::FootNotePosition::BottomOfPage, "pageBottom"},
    {model::FootNotePosition::BelowText, "beneathText"},
    {model::FootNotePosition::EndOfDocument, "docEnd"},
    {model::FootNotePosition::EndOfSection, "sectEnd"},
}};

inline constexpr std::array<ValueWord<model::VerticalAlignment>, 4> kVerticalAlignmentWords{{
    {model::VerticalAlignment::Top, "top"},
    {model::VerticalAlignment::Both, "both"},
    {model::VerticalAlignment::Center, "center"},
    {model::VerticalAlignment::Bottom, "bottom"},
}};

inline constexpr std::array<ValueWord<model::TableCellVerticalAlignment>, 3> kCellVerticalAlignmentWords{{
    {model::TableCellVerticalAlignment::Top, "top"},
    {model::TableCellVerticalAlignment::Center, "center"},
    {model::TableCellVerticalAlignment::Bottom, "bottom"},
}};

inline constexpr std::array<ValueWord<model::WidthUnitType>, 4> kWidthUnitWords{{
    {model::WidthUnitType::Nil, "nil"},
    {model::WidthUnitType::Auto, "auto"},
    {model::WidthUnitType::FiftiethsOfPercent, "pct"},
    {model::WidthUnitType::ModelUnits, "dxa"},
}};

inline constexpr std::array<ValueWord<model::HeightUnitType>, 3> kHeightUnitWords{{
    {model::HeightUnitType::Minimum, "atLeast"},
    {model::HeightUnitType::Auto, "auto"},
    {model::HeightUnitType::Exact, "exact"},
}};

inline constexpr std::array<ValueWord<model::TableLayoutType>, 2> kTableLayoutWords{{
    {model::TableLayoutType::Fixed, "fixed"},
    {model::TableLayoutType::Autofit, "autofit"},
}};

inline constexpr std::array<ValueWord<model::TableRowAlignment>, 8> kTableRowAlignmentWords{{
    {model::TableRowAlignment::Both, "both"},
    {model::TableRowAlignment::Center, "center"},
    {model::TableRowAlignment::Distribute, "distribute"},
    {model::TableRowAlignment::Left, "left"},
    {model::TableRowAlignment::NumTab, "numTab"},
    {model::TableRowAlignment::Right, "right"},
    // Written by newer producers for left and right in left-to-right tables.
    {model::TableRowAlignment::Left, "start"},
    {model::TableRowAlignment::Right, "end"},
}};

inline constexpr std::array<ValueWord<model::MergingState>, 2> kMergingStateWords{{
    {model::MergingState::Restart, "restart"},
    {model::MergingState::Continue, "continue"},
}};

inline constexpr std::array<ValueWord<model::TextDirection>, 6> kTextDirectionWords{{
    {model::TextDirection::LeftToRightTopToBottom, "lrTb"},
    {model::TextDirection::TopToBottomRightToLeft, "tbRl"},
    {model::TextDirection::TopToBottomLeftToRightRotated, "tbLrV"},
    {model::TextDirection::BottomToTopLeftToRight, "btLr"},
    {model::TextDirection::LeftToRightTopToBottomRotated, "lrTbV"},
    {model::TextDirection::TopToBottomRightToLeftRotated, "tbRlV"},
}};

inline constexpr std::array<ValueWord<model::UnderlineType>, 18> kUnderlineWords{{
    {model::UnderlineType::None, "none"},
    {model::UnderlineType::Single, "single"},
    {model::UnderlineType::Dotted, "dotted"},
    {model::UnderlineType::Dashed, "dash"},
    {model::UnderlineType::DashDotted, "dotDash"},
    {model::UnderlineType::DashDotDotted, "dotDotDash"},
    {model::UnderlineType::Double, "double"},
    {model::UnderlineType::HeavyWave, "wavyHeavy"},
    {model::UnderlineType::LongDashed, "dashLong"},
    {model::UnderlineType::ThickSingle, "thick"},
    {model::UnderlineType::ThickDotted, "dottedHeavy"},
    {model::UnderlineType::ThickDashed, "dashedHeavy"},
    {model::UnderlineType::ThickDashDotted, "dashDotHeavy"},
    {model::UnderlineType::ThickDashDotDotted, "dashDotDotHeavy"},
    {model::UnderlineType::ThickLongDashed, "dashLongHeavy"},
    {model::UnderlineType::DoubleWave, "wavyDouble"},
    {model::UnderlineType::Wave, "wave"},
    {model::UnderlineType::DashSmallGap, "dashSmallGap"},
}};

inline constexpr std::array<ValueWord<model::ConditionalTableStyleFormattingType>, 13> kConditionalStyleWords{{
    {model::ConditionalTableStyleFormattingType::WholeTable, "wholeTable"},
    {model::ConditionalTableStyleFormattingType::FirstRow, "firstRow"},
    {model::ConditionalTableStyleFormattingType::LastRow, "lastRow"},
    {model::ConditionalTableStyleFormattingType::FirstColumn, "firstCol"},
    {model::ConditionalTableStyleFormattingType::LastColumn, "lastCol"},
    {model::ConditionalTableStyleFormattingType::OddRowBanding, "band1Horz"},
    {model::ConditionalTableStyleFormattingType::EvenRowBanding, "band2Horz"},
    {model::ConditionalTableStyleFormattingType::OddColumnBanding, "band1Vert"},
    {model::ConditionalTableStyleFormattingType::EvenColumnBanding, "band2Vert"},
    {model::ConditionalTableStyleFormattingType::TopRightCell, "neCell"},
    {model::ConditionalTableStyleFormattingType::TopLeftCell, "nwCell"},
    {model::ConditionalTableStyleFormattingType::BottomRightCell, "seCell"},
    {model::ConditionalTableStyleFormattingType::BottomLeftCell, "swCell"},
}};

inline constexpr std::array<ValueWord<model::HorizontalAnchorTypes>, 3> kHorizontalAnchorWords{{
    {model::HorizontalAnchorTypes::Column, "text"},
    {model::HorizontalAnchorTypes::Margin, "margin"},
    {model::HorizontalAnchorTypes::Page, "page"},
}};

inline constexpr std::array<ValueWord<model::VerticalAnchorTypes>, 3> kVerticalAnchorWords{{
    {model::VerticalAnchorTypes::Paragraph, "text"},
    {model::VerticalAnchorTypes::Margin, "margin"},
    {model::VerticalAnchorTypes::Page, "page"},
}};

inline constexpr std::array<ValueWord<model::HorizontalAlignMode>, 5> kHorizontalAlignWords{{
    {model::HorizontalAlignMode::Left, "left"},
    {model::HorizontalAlignMode::Center, "center"},
    {model::HorizontalAlignMode::Right, "right"},
    {model::HorizontalAlignMode::Inside, "inside"},
    {model::HorizontalAlignMode::Outside, "outside"},
}};

inline constexpr std::array<ValueWord<model::VerticalAlignMode>, 6> kVerticalAlignWords{{
    {model::VerticalAlignMode::Top, "top"},
    {model::VerticalAlignMode::Center, "center"},
    {model::VerticalAlignMode::Bottom, "bottom"},
    {model::VerticalAlignMode::Inline, "inline"},
    {model::VerticalAlignMode::Inside, "inside"},
    {model::VerticalAlignMode::Outside, "outside"},
}};

/// Shading patterns in the order of the model's enumeration.
[[nodiscard]] std::string_view shadingPatternWord(model::ShadingPattern pattern) noexcept;
[[nodiscard]] std::optional<model::ShadingPattern> shadingPatternOf(std::string_view word) noexcept;
/// The pattern's share of the foreground in thousandths (solid 1000, pct25 250); 0 for the others.
[[nodiscard]] int32_t shadingPatternShare(model::ShadingPattern pattern) noexcept;
/// Border line styles: the plain line words, then the art border names.
[[nodiscard]] std::string_view borderLineStyleWord(model::BorderLineStyle style) noexcept;
[[nodiscard]] std::optional<model::BorderLineStyle> borderLineStyleOf(std::string_view word) noexcept;
/// Number formats of page numbers and notes.
[[nodiscard]] std::string_view numberingFormatWord(model::NumberingFormat format) noexcept;
[[nodiscard]] std::optional<model::NumberingFormat> numberingFormatOf(std::string_view word) noexcept;

/// "rrggbb" in lower case, or "auto" for an automatic or transparent colour.
[[nodiscard]] std::string colorWord(model::AlphaColor color);
/// An opaque colour from six hexadecimal digits; none for anything else (including "auto").
[[nodiscard]] std::optional<model::AlphaColor> parseHexColor(std::string_view text) noexcept;

/// The text without leading and trailing blanks.
[[nodiscard]] std::string_view trimBlanks(std::string_view text) noexcept;
/// On/off words: "1", "on", "true" and "0", "off", "false"; none for any other text.
[[nodiscard]] std::optional<bool> parseOnOff(std::string_view text) noexcept;
/// An integer as documents write it: blanks and a sign allowed, a 64-bit value clamped to 32 bits,
/// a decimal number truncated towards zero; none when the text is no number.
[[nodiscard]] std::optional<int32_t> parseInteger(std::string_view text) noexcept;
/// Hexadecimal digits with blanks around them; none when the text is not that or overflows 32 bits.
[[nodiscard]] std::optional<uint32_t> parseHexInteger(std::string_view text) noexcept;
/// A floating-point number (blanks, sign, decimal point, exponent), without a "pt" suffix.
[[nodiscard]] std::optional<double> parseFloat(std::string_view text) noexcept;

} // namespace velmo::formats
