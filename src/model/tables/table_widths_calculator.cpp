#include "model/tables/table_widths_calculator.h"

#include "model/piece_table.h"
#include "model/tables/table.h"
#include "model/tables/table_border_calculator.h"
#include "model/tables/table_style_resolution.h"

#include <algorithm>

namespace velmo::model {

namespace {

constexpr int32_t kMaxCellWidth = 32767;

/// The cell of `row` that covers grid column `column`; null when none does.
const TableCell* cellAtColumn(const TableRow& row, int32_t column)
{
    for (int32_t index = 0; index < row.cellCount(); ++index) {
        const TableCell& cell = row.cell(index);
        if (cell.startColumnIndexConsideringRowGrid() <= column && column <= cell.endColumnIndexConsideringRowGrid())
            return &cell;
    }
    return nullptr;
}

int32_t borderWidth(const BorderInfo& border)
{
    return TableBorderCalculator::actualWidth(border.style, border.width);
}

} // namespace

const TableCell& firstCellInVerticalMergingGroup(const TableCell& cell)
{
    const TableCell* current = &cell;
    const int32_t column = cell.startColumnIndexConsideringRowGrid();
    while (current->verticalMerging() == MergingState::Continue) {
        const TableRow* above = current->row().previous();
        const TableCell* next = above ? cellAtColumn(*above, column) : nullptr;
        if (!next)
            break;
        current = next;
    }
    return *current;
}

int32_t TableWidthsCalculator::horizontalExtras(const TableCell& cell) const
{
    int32_t extras = 0;
    for (const TableBorderEdge edge : {TableBorderEdge::Left, TableBorderEdge::Right}) {
        const WidthUnitInfo margin = actualCellMargin(cell, edge);
        if (margin.type == WidthUnitType::ModelUnits)
            extras += toLayoutUnits(margin.value);
    }
    // Each side's border is the one that wins against the neighbour's, unless cell spacing
    // keeps them apart.
    const TableRow& row = cell.row();
    const WidthUnitInfo spacing = row.properties().uses(TableRowPropertiesOptions::UseCellSpacing)
                                      ? row.properties().cellSpacing
                                      : tablePropertiesSource(cell.table(), TablePropertiesOptions::UseCellSpacing).cellSpacing;
    const bool spaced = spacing.type == WidthUnitType::ModelUnits && spacing.value > 0;
    const auto sideBorder = [&](const TableCell* neighbour, TableBorderEdge own, TableBorderEdge facing) {
        const BorderInfo mine = actualCellBorder(cell, own);
        if (!neighbour || spaced)
            return mine;
        const BorderInfo theirs = actualCellBorder(*neighbour, facing);
        // The left cell's border counts as the first one.
        const bool neighbourFirst = own == TableBorderEdge::Left;
        const int chosen = neighbourFirst ? TableBorderCalculator::chooseBorder(theirs, mine)
                                          : TableBorderCalculator::chooseBorder(mine, theirs);
        return (chosen == 0) == neighbourFirst ? theirs : mine;
    };
    extras += toLayoutUnits(borderWidth(sideBorder(cell.previous(), TableBorderEdge::Left, TableBorderEdge::Right)) +
                            borderWidth(sideBorder(cell.next(), TableBorderEdge::Right, TableBorderEdge::Left)));

    if (spaced) {
        const bool edgeCell = cell.isFirstCellInRow() || cell.isLastCellInRow();
        const bool gap = (cell.isFirstCellInRow() && row.gridBefore() > 0) || (cell.isLastCellInRow() && row.gridAfter() > 0);
        extras += toLayoutUnits(spacing.value) * (edgeCell && !gap ? 3 : 2);
    }
    return extras;
}

ParagraphContentWidths TableWidthsCalculator::contentWidths(const TableCell& cell, int32_t percentBaseWidth) const
{
    const PieceTable& pieceTable = cell.table().pieceTable();
    ParagraphContentWidths result;
    ParagraphIndex paragraph = cell.startParagraphIndex();
    while (paragraph <= cell.endParagraphIndex()) {
        const TableCell* inner = pieceTable.tableCellsManager().cell(paragraph);
        if (inner && inner != &cell) {
            // A nested table: its own total widths, then past its paragraphs.
            const Table* nested = &inner->table();
            while (nested->parentCell() && nested->parentCell() != &cell)
                nested = &nested->parentCell()->table();
            const ParagraphContentWidths widths = calculateTableWidths(*nested, percentBaseWidth);
            result.minWidth = std::max(result.minWidth, widths.minWidth);
            result.maxWidth = std::max(result.maxWidth, widths.maxWidth);
            paragraph = nested->endParagraphIndex() + 1;
            continue;
        }
        const ParagraphContentWidths widths = measurer_.measureParagraph(pieceTable, paragraph);
        result.minWidth = std::max(result.minWidth, widths.minWidth);
        result.maxWidth = std::max(result.maxWidth, widths.maxWidth);
        ++paragraph;
    }
    return result;
}

CellWidths TableWidthsCalculator::calculateCellWidths(const TableCell& measuredCell, int32_t percentBaseWidth) const
{
    const TableCell& cell = firstCellInVerticalMergingGroup(measuredCell);
    const int32_t extras = horizontalExtras(cell);
    const WidthUnitInfo& preferred = cell.properties().preferredWidth;
    int32_t preferredWidth = 0;
    if (preferred.type == WidthUnitType::ModelUnits)
        preferredWidth = toLayoutUnits(preferred.value);
    else if (preferred.type == WidthUnitType::FiftiethsOfPercent)
        preferredWidth = static_cast<int32_t>(static_cast<int64_t>(percentBaseWidth) * preferred.value / 5000);

    const bool fixed =
        tablePropertiesSource(cell.table(), TablePropertiesOptions::UseTableLayout).generalSettings.tableLayout ==
        TableLayoutType::Fixed;
    if (fixed && !simpleView_) {
        const int32_t width = std::max(extras, preferred.type == WidthUnitType::ModelUnits ? preferredWidth : 0);
        return {width, width, extras, width};
    }
    ParagraphContentWidths content = contentWidths(cell, percentBaseWidth);
    if (cell.properties().noWrap)
        content.minWidth = content.maxWidth;
    const int32_t maxWidth = std::min(content.maxWidth + extras, kMaxCellWidth);
    CellWidths result{std::min(content.minWidth + extras, kMaxCellWidth), maxWidth, extras, maxWidth};
    if (preferredWidth > 0)
        result.maxWidth = std::max(result.minWidth, preferredWidth);
    return result;
}

ParagraphContentWidths TableWidthsCalculator::calculateTableWidths(const Table& table, int32_t percentBaseWidth) const
{
    ParagraphContentWidths result;
    table.forEachRow([&](const TableRow& row) {
        ParagraphContentWidths rowWidths;
        for (int32_t index = 0; index < row.cellCount(); ++index) {
            const CellWidths widths = calculateCellWidths(row.cell(index), percentBaseWidth);
            rowWidths.minWidth += widths.minWidth;
            rowWidths.maxWidth += widths.maxWidth;
        }
        result.minWidth = std::max(result.minWidth, rowWidths.minWidth);
        result.maxWidth = std::max(result.maxWidth, rowWidths.maxWidth);
    });
    return result;
}

} // namespace velmo::model
