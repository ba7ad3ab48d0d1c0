#pragma once

#include "model/alpha_color.h"
#include "model/border_info.h"
#include "model/section_properties.h"
#include "model/tables/table_units.h"

#include <array>
#include <cstdint>

namespace velmo::model {

enum class TableLayoutType : uint8_t { Fixed, Autofit };
/// Bits of a table's look: which parts of its style apply.
enum class TableLookType : uint8_t {
    None = 0,
    ApplyFirstRow = 1,
    ApplyLastRow = 2,
    ApplyFirstColumn = 4,
    ApplyLastColumn = 8,
    DoNotApplyRowBanding = 16,
    DoNotApplyColumnBanding = 32,
};
[[nodiscard]] constexpr TableLookType operator|(TableLookType a, TableLookType b) noexcept
{
    return static_cast<TableLookType>(static_cast<uint8_t>(a) | static_cast<uint8_t>(b));
}
[[nodiscard]] constexpr bool hasFlag(TableLookType set, TableLookType flag) noexcept
{
    return (static_cast<uint8_t>(set) & static_cast<uint8_t>(flag)) != 0;
}

enum class TableRowAlignment : uint8_t { Both, Center, Distribute, Left, NumTab, Right };
enum class HorizontalAlignMode : uint8_t { None, Center, Inside, Left, Outside, Right };
enum class VerticalAlignMode : uint8_t { None, Bottom, Center, Inline, Inside, Outside, Top };
enum class HorizontalAnchorTypes : uint8_t { Margin, Page, Column };
enum class VerticalAnchorTypes : uint8_t { Margin, Page, Paragraph };
enum class TextWrapping : uint8_t { Never, Around };
enum class TableCellVerticalAlignment : uint8_t { Top, Center, Bottom };
enum class MergingState : uint8_t { None, Continue, Restart };
enum class ShadingPattern : uint8_t {
    Clear, DiagCross, DiagStripe, HorzCross, HorzStripe, Nil, Pct5, Pct10, Pct12, Pct15, Pct20, Pct25, Pct30, Pct35,
    Pct37, Pct40, Pct45, Pct50, Pct55, Pct60, Pct62, Pct65, Pct70, Pct75, Pct80, Pct85, Pct87, Pct90, Pct95,
    ReverseDiagStripe, Solid, ThinDiagCross, ThinDiagStripe, ThinHorzCross, ThinHorzStripe, ThinReverseDiagStripe,
    ThinVertStripe, VertStripe,
};
/// The parts of a table style that apply to a cell depending on where it is.
enum class ConditionalTableStyleFormattingType : uint8_t {
    BottomLeftCell, BottomRightCell, TopLeftCell, TopRightCell, EvenRowBanding, OddRowBanding, EvenColumnBanding,
    OddColumnBanding, LastColumn, FirstColumn, LastRow, FirstRow, WholeTable,
};
inline constexpr int kConditionalTableStyleFormattingTypeCount = 13;

/// The edges a table, row or cell border can be on.
enum class TableBorderEdge : uint8_t { Left, Right, Top, Bottom, InsideHorizontal, InsideVertical };

struct TableGeneralSettingsInfo {
    int32_t tableStyleColumnBandSize = 1;
    int32_t tableStyleRowBandSize = 1;
    bool isTableOverlap = true;
    bool avoidDoubleBorders = false;
    TableLayoutType tableLayout = TableLayoutType::Autofit;
    TableLookType tableLook = TableLookType::None;
    AlphaColor backgroundColor = kEmptyColor;
    TableRowAlignment tableAlignment = TableRowAlignment::Left;

    bool operator==(const TableGeneralSettingsInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

struct TableFloatingPositionInfo {
    int32_t leftFromText = 0;
    int32_t rightFromText = 0;
    int32_t topFromText = 0;
    int32_t bottomFromText = 0;
    int32_t tableHorizontalPosition = 0;
    int32_t tableVerticalPosition = 0;
    HorizontalAlignMode horizAlign = HorizontalAlignMode::None;
    VerticalAlignMode vertAlign = VerticalAlignMode::None;
    HorizontalAnchorTypes horizAnchor = HorizontalAnchorTypes::Page;
    VerticalAnchorTypes vertAnchor = VerticalAnchorTypes::Page;
    TextWrapping textWrapping = TextWrapping::Never;

    bool operator==(const TableFloatingPositionInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

/// Which table properties a record sets (the others come from the style and the defaults).
enum class TablePropertiesOptions : uint32_t {
    None = 0,
    UseLeftMargin = 0x1,
    UseRightMargin = 0x2,
    UseTopMargin = 0x4,
    UseBottomMargin = 0x8,
    UseCellSpacing = 0x100,
    UseTableIndent = 0x200,
    UseTableLayout = 0x400,
    UseTableLook = 0x800,
    UsePreferredWidth = 0x1000,
    UseLeftBorder = 0x2000,
    UseRightBorder = 0x4000,
    UseTopBorder = 0x8000,
    UseBottomBorder = 0x10000,
    UseInsideHorizontalBorder = 0x20000,
    UseInsideVerticalBorder = 0x40000,
    UseBackgroundColor = 0x80000,
    UseFloatingPosition = 0x100000,
    UseTableAlignment = 0x200000,
    UseTableStyleColBandSize = 0x400000,
    UseTableStyleRowBandSize = 0x800000,
    UseIsTableOverlap = 0x1000000,
    UseAvoidDoubleBorders = 0x2000000,
    UseBorders = 0x7E000,
};

/// Every property of a table (or of a row's exception to it, or a style's), with its use mask.
struct TablePropertiesInfo {
    CellMarginsInfo cellMargins;
    WidthUnitInfo cellSpacing;
    WidthUnitInfo indent;
    WidthUnitInfo preferredWidth;
    TableGeneralSettingsInfo generalSettings;
    std::array<BorderInfo, 6> borders{}; // by TableBorderEdge
    TableFloatingPositionInfo floatingPosition;
    uint32_t mask = 0;

    [[nodiscard]] bool uses(TablePropertiesOptions option) const noexcept
    {
        return (mask & static_cast<uint32_t>(option)) != 0;
    }
    void use(TablePropertiesOptions option) noexcept { mask |= static_cast<uint32_t>(option); }
    [[nodiscard]] const BorderInfo& border(TableBorderEdge edge) const noexcept { return borders[static_cast<size_t>(edge)]; }
    bool operator==(const TablePropertiesInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

/// The use bit of a table border or cell margin edge.
[[nodiscard]] TablePropertiesOptions tableBorderOption(TableBorderEdge edge) noexcept;

enum class TableRowPropertiesOptions : uint16_t {
    None = 0,
    UseHeight = 0x1,
    UseWidthBefore = 0x2,
    UseWidthAfter = 0x4,
    UseCellSpacing = 0x8,
    UseCantSplit = 0x10,
    UseHideCellMark = 0x20,
    UseHeader = 0x40,
    UseGridBefore = 0x80,
    UseGridAfter = 0x100,
    UseTableRowAlignment = 0x200,
};

struct TableRowPropertiesInfo {
    HeightUnitInfo height;
    WidthUnitInfo widthBefore;
    WidthUnitInfo widthAfter;
    WidthUnitInfo cellSpacing;
    bool cantSplit = false;
    bool hideCellMark = false;
    bool header = false;
    int32_t gridBefore = 0;
    int32_t gridAfter = 0;
    TableRowAlignment tableRowAlignment = TableRowAlignment::Left;
    uint16_t mask = 0;

    [[nodiscard]] bool uses(TableRowPropertiesOptions option) const noexcept
    {
        return (mask & static_cast<uint16_t>(option)) != 0;
    }
    void use(TableRowPropertiesOptions option) noexcept { mask |= static_cast<uint16_t>(option); }
    bool operator==(const TableRowPropertiesInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

enum class TableCellPropertiesOptions : uint32_t {
    None = 0,
    UsePreferredWidth = 0x1,
    UseNoWrap = 0x2,
    UseLeftMargin = 0x4,
    UseRightMargin = 0x8,
    UseTopMargin = 0x10,
    UseBottomMargin = 0x20,
    UseVerticalAlignment = 0x40,
    UseLeftBorder = 0x1000,
    UseRightBorder = 0x2000,
    UseTopBorder = 0x4000,
    UseBottomBorder = 0x8000,
    UseInsideHorizontalBorder = 0x10000,
    UseInsideVerticalBorder = 0x20000,
    UseTopLeftDiagonalBorder = 0x40000,
    UseTopRightDiagonalBorder = 0x80000,
    UseBackgroundColor = 0x100000,
    UseForegroundColor = 0x200000,
    UseShading = 0x400000,
    UseHideCellMark = 0x800000,
    UseFitText = 0x1000000,
    UseTextDirection = 0x2000000,
    UseCellConditionalFormatting = 0x4000000,
};

/// The diagonal borders of a cell come after the six edges.
inline constexpr size_t kTopLeftDiagonalBorder = 6;
inline constexpr size_t kTopRightDiagonalBorder = 7;
/// A cell's conditional formatting when nothing else is set: the whole-table part (bit 12).
inline constexpr uint16_t kWholeTableConditionalFormatting = 4096;

struct TableCellPropertiesInfo {
    WidthUnitInfo preferredWidth;
    CellMarginsInfo cellMargins;
    std::array<BorderInfo, 8> borders{}; // by TableBorderEdge, then the two diagonals
    bool hideCellMark = false;
    bool noWrap = false;
    bool fitText = false;
    TextDirection textDirection = TextDirection::LeftToRightTopToBottom;
    TableCellVerticalAlignment verticalAlignment = TableCellVerticalAlignment::Top;
    int32_t columnSpan = 1;
    MergingState horizontalMerging = MergingState::None;
    MergingState verticalMerging = MergingState::None;
    uint16_t cellConditionalFormatting = kWholeTableConditionalFormatting;
    AlphaColor backgroundColor = kEmptyColor;
    AlphaColor foregroundColor = kEmptyColor;
    ShadingPattern shading = ShadingPattern::Clear;
    uint32_t mask = 0;

    [[nodiscard]] bool uses(TableCellPropertiesOptions option) const noexcept
    {
        return (mask & static_cast<uint32_t>(option)) != 0;
    }
    void use(TableCellPropertiesOptions option) noexcept { mask |= static_cast<uint32_t>(option); }
    [[nodiscard]] const BorderInfo& border(TableBorderEdge edge) const noexcept { return borders[static_cast<size_t>(edge)]; }
    bool operator==(const TableCellPropertiesInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept;
};

[[nodiscard]] TableCellPropertiesOptions tableCellBorderOption(TableBorderEdge edge) noexcept;

} // namespace velmo::model
