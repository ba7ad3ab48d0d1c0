#include "model/tables/table_properties_info.h"

namespace velmo::model {

using core::hashCombine;
using core::hashOf;

namespace {

template <size_t N>
size_t hashBorders(const std::array<BorderInfo, N>& borders) noexcept
{
    size_t hash = 0;
    for (const BorderInfo& border : borders)
        hash = hashCombine({hash, border.hash()});
    return hash;
}

} // namespace

size_t TableGeneralSettingsInfo::hash() const noexcept
{
    return hashCombine({hashOf(tableStyleColumnBandSize), hashOf(tableStyleRowBandSize), static_cast<size_t>(isTableOverlap),
                        static_cast<size_t>(avoidDoubleBorders), static_cast<size_t>(tableLayout),
                        static_cast<size_t>(tableLook), backgroundColor, static_cast<size_t>(tableAlignment)});
}

size_t TableFloatingPositionInfo::hash() const noexcept
{
    return hashCombine({hashOf(leftFromText), hashOf(rightFromText), hashOf(topFromText), hashOf(bottomFromText),
                        hashOf(tableHorizontalPosition), hashOf(tableVerticalPosition), static_cast<size_t>(horizAlign),
                        static_cast<size_t>(vertAlign), static_cast<size_t>(horizAnchor), static_cast<size_t>(vertAnchor),
                        static_cast<size_t>(textWrapping)});
}

size_t TablePropertiesInfo::hash() const noexcept
{
    return hashCombine({cellMargins.hash(), cellSpacing.hash(), indent.hash(), preferredWidth.hash(), generalSettings.hash(),
                        hashBorders(borders), floatingPosition.hash(), mask});
}

TablePropertiesOptions tableBorderOption(TableBorderEdge edge) noexcept
{
    switch (edge) {
    case TableBorderEdge::Left: return TablePropertiesOptions::UseLeftBorder;
    case TableBorderEdge::Right: return TablePropertiesOptions::UseRightBorder;
    case TableBorderEdge::Top: return TablePropertiesOptions::UseTopBorder;
    case TableBorderEdge::Bottom: return TablePropertiesOptions::UseBottomBorder;
    case TableBorderEdge::InsideHorizontal: return TablePropertiesOptions::UseInsideHorizontalBorder;
    case TableBorderEdge::InsideVertical: return TablePropertiesOptions::UseInsideVerticalBorder;
    }
    return TablePropertiesOptions::None;
}

size_t TableRowPropertiesInfo::hash() const noexcept
{
    return hashCombine({height.hash(), widthBefore.hash(), widthAfter.hash(), cellSpacing.hash(), static_cast<size_t>(cantSplit),
                        static_cast<size_t>(hideCellMark), static_cast<size_t>(header), hashOf(gridBefore),
                        hashOf(gridAfter), static_cast<size_t>(tableRowAlignment), mask});
}

size_t TableCellPropertiesInfo::hash() const noexcept
{
    return hashCombine({preferredWidth.hash(), cellMargins.hash(), hashBorders(borders), static_cast<size_t>(hideCellMark),
                        static_cast<size_t>(noWrap), static_cast<size_t>(fitText), static_cast<size_t>(textDirection),
                        static_cast<size_t>(verticalAlignment), hashOf(columnSpan),
                        static_cast<size_t>(horizontalMerging), static_cast<size_t>(verticalMerging),
                        cellConditionalFormatting, backgroundColor, foregroundColor, static_cast<size_t>(shading), mask});
}

TableCellPropertiesOptions tableCellBorderOption(TableBorderEdge edge) noexcept
{
    switch (edge) {
    case TableBorderEdge::Left: return TableCellPropertiesOptions::UseLeftBorder;
    case TableBorderEdge::Right: return TableCellPropertiesOptions::UseRightBorder;
    case TableBorderEdge::Top: return TableCellPropertiesOptions::UseTopBorder;
    case TableBorderEdge::Bottom: return TableCellPropertiesOptions::UseBottomBorder;
    case TableBorderEdge::InsideHorizontal: return TableCellPropertiesOptions::UseInsideHorizontalBorder;
    case TableBorderEdge::InsideVertical: return TableCellPropertiesOptions::UseInsideVerticalBorder;
    }
    return TableCellPropertiesOptions::None;
}

} // namespace velmo::model
