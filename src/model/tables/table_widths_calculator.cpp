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
    if (cell.verticalMerging() != MergingState::Continue)
        return cell;
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

TableWidthsCalculator::RowContext TableWidthsCalculator::rowContext(const TableRow& row) const
{
    RowContext context;
    const Table& table = row.table();
    context.spacing = row.properties().uses(TableRowPropertiesOptions::UseCellSpacing)
                          ? row.properties().cellSpacing
                          : tablePropertiesSource(table, TablePropertiesOptions::UseCellSpacing).cellSpacing;
    context.spaced = context.spacing.type == WidthUnitType::ModelUnits && context.spacing.value > 0;
    context.fixed = !simpleView_ && tablePropertiesSource(table, TablePropertiesOptions::UseTableLayout)
                                            .generalSettings.tableLayout == TableLayoutType::Fixed;
    // Between two cells the border that wins against the neighbour's counts for both, unless
    // cell spacing keeps them apart; each cell's own borders are looked up once.
    const int32_t count = row.cellCount();
    context.leftBorders.resize(static_cast<size_t>(count));
    context.rightBorders.resize(static_cast<size_t>(count));
    std::vector<BorderInfo> left(static_cast<size_t>(count));
    std::vector<BorderInfo> right(static_cast<size_t>(count));
    for (int32_t index = 0; index < count; ++index) {
        left[static_cast<size_t>(index)] = actualCellBorder(row.cell(index), TableBorderEdge::Left);
        right[static_cast<size_t>(index)] = actualCellBorder(row.cell(index), TableBorderEdge::Right);
    }
    for (int32_t index = 0; index < count; ++index) {
        const auto at = static_cast<size_t>(index);
        BorderInfo leftSide = left[at];
        if (index > 0 && !context.spaced && TableBorderCalculator::chooseBorder(right[at - 1], left[at]) == 0)
            leftSide = right[at - 1];
        BorderInfo rightSide = right[at];
        if (index + 1 < count && !context.spaced && TableBorderCalculator::chooseBorder(right[at], left[at + 1]) == 1)
            rightSide = left[at + 1];
        context.leftBorders[at] = toLayoutUnits(borderWidth(leftSide));
        context.rightBorders[at] = toLayoutUnits(borderWidth(rightSide));
    }
    return context;
}

int32_t TableWidthsCalculator::horizontalExtras(const TableCell& cell, const RowContext& context) const
{
    int32_t extras = 0;
    for (const TableBorderEdge edge : {TableBorderEdge::Left, TableBorderEdge::Right}) {
        const WidthUnitInfo margin = actualCellMargin(cell, edge);
        if (margin.type == WidthUnitType::ModelUnits)
            extras += toLayoutUnits(margin.value);
    }
    const auto at = static_cast<size_t>(cell.indexInRow());
    extras += context.leftBorders[at] + context.rightBorders[at];
    if (context.spaced) {
        const TableRow& row = cell.row();
        const bool edgeCell = cell.isFirstCellInRow() || cell.isLastCellInRow();
        const bool gap = (cell.isFirstCellInRow() && row.gridBefore() > 0) || (cell.isLastCellInRow() && row.gridAfter() > 0);
        extras += toLayoutUnits(context.spacing.value) * (edgeCell && !gap ? 3 : 2);
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
    return cellWidths(cell, rowContext(cell.row()), percentBaseWidth);
}

std::vector<CellWidths> TableWidthsCalculator::calculateRowWidths(const TableRow& row, int32_t percentBaseWidth) const
{
    const RowContext context = rowContext(row);
    std::vector<CellWidths> result;
    result.reserve(static_cast<size_t>(row.cellCount()));
    for (int32_t index = 0; index < row.cellCount(); ++index) {
        const TableCell& cell = row.cell(index);
        // A cell that continues a vertical merge is measured through the cell that starts it.
        result.push_back(cell.verticalMerging() == MergingState::Continue ? calculateCellWidths(cell, percentBaseWidth)
                                                                           : cellWidths(cell, context, percentBaseWidth));
    }
    return result;
}

CellWidths TableWidthsCalculator::cellWidths(const TableCell& cell, const RowContext& context, int32_t percentBaseWidth) const
{
    const int32_t extras = horizontalExtras(cell, context);
    const WidthUnitInfo& preferred = cell.properties().preferredWidth;
    int32_t preferredWidth = 0;
    if (preferred.type == WidthUnitType::ModelUnits)
        preferredWidth = toLayoutUnits(preferred.value);
    else if (preferred.type == WidthUnitType::FiftiethsOfPercent)
        preferredWidth = static_cast<int32_t>(static_cast<int64_t>(percentBaseWidth) * preferred.value / 5000);
    if (context.fixed) {
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
        for (const CellWidths& widths : calculateRowWidths(row, percentBaseWidth)) {
            rowWidths.minWidth += widths.minWidth;
            rowWidths.maxWidth += widths.maxWidth;
        }
        result.minWidth = std::max(result.minWidth, rowWidths.minWidth);
        result.maxWidth = std::max(result.maxWidth, rowWidths.maxWidth);
    });
    return result;
}

} // namespace velmo::model
