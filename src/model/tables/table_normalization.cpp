#include "model/tables/table_normalization.h"

#include "model/document_model.h"
#include "model/tables/table.h"

#include <algorithm>

namespace velmo::model {

namespace {

/// The cell of `row` that starts at grid column `column`; null when none does.
TableCell* cellStartingAt(const TableRow* row, int32_t column)
{
    if (!row)
        return nullptr;
    for (int32_t index = 0; index < row->cellCount(); ++index) {
        TableCell& cell = row->cell(index);
        if (cell.startColumnIndexConsideringRowGrid() == column)
            return &cell;
    }
    return nullptr;
}

template <typename Change>
void changeCellCore(TableCell& cell, Change change)
{
    auto& cache = cell.table().documentModel().cache().tableCellPropertiesCache();
    TableCellPropertiesInfo properties = cache[cell.propertiesIndex()];
    change(properties);
    cell.setPropertiesIndexCore(cache.add(properties));
}

template <typename Change>
void changeRowCore(TableRow& row, Change change)
{
    auto& cache = row.table().documentModel().cache().tableRowPropertiesCache();
    TableRowPropertiesInfo properties = cache[row.propertiesIndex()];
    change(properties);
    row.setPropertiesIndexCore(cache.add(properties));
}

void setVerticalMerging(TableCell& cell, MergingState state)
{
    if (cell.verticalMerging() != state)
        changeCellCore(cell, [state](TableCellPropertiesInfo& properties) { properties.verticalMerging = state; });
}

} // namespace

void removeInvalidVerticalSpans(Table& table)
{
    if (table.rowCount() < 2) {
        table.forEachCell([](TableCell& cell) { setVerticalMerging(cell, MergingState::None); });
        table.resetCachedLayoutInfo();
        return;
    }
    for (int32_t rowIndex = 0; rowIndex < table.rowCount(); ++rowIndex) {
        TableRow& row = table.row(rowIndex);
        for (int32_t index = 0; index < row.cellCount(); ++index) {
            TableCell& cell = row.cell(index);
            const int32_t column = cell.startColumnIndexConsideringRowGrid();
            const TableCell* below = cellStartingAt(row.next(), column);
            const bool continuesBelow = below && below->verticalMerging() == MergingState::Continue;
            if (cell.verticalMerging() == MergingState::Restart && !continuesBelow) {
                setVerticalMerging(cell, MergingState::None);
            } else if (cell.verticalMerging() == MergingState::Continue && rowIndex == 0) {
                setVerticalMerging(cell, MergingState::None);
            } else if (cell.verticalMerging() == MergingState::Continue) {
                const TableCell* above = cellStartingAt(row.previous(), column);
                const bool mergedAbove = above && above->verticalMerging() != MergingState::None;
                if (!mergedAbove)
                    setVerticalMerging(cell, continuesBelow ? MergingState::Restart : MergingState::None);
            }
        }
    }
    table.resetCachedLayoutInfo();
}

void normalizeCellColumnSpans(Table& table)
{
    int32_t widest = 0;
    table.forEachRow([&](TableRow& row) {
        if (row.gridBefore() < 0 || row.gridAfter() < 0) {
            changeRowCore(row, [](TableRowPropertiesInfo& properties) {
                properties.gridBefore = std::max(properties.gridBefore, 0);
                properties.gridAfter = std::max(properties.gridAfter, 0);
            });
        }
        int32_t columns = row.gridBefore();
        for (int32_t index = 0; index < row.cellCount(); ++index) {
            TableCell& cell = row.cell(index);
            if (cell.columnSpan() < 1)
                changeCellCore(cell, [](TableCellPropertiesInfo& properties) { properties.columnSpan = 1; });
            columns += cell.columnSpan();
        }
        widest = std::max(widest, columns + row.gridAfter());
    });
    table.forEachRow([&](TableRow& row) {
        const int32_t covered = row.lastCell().endColumnIndexConsideringRowGrid() + 1 + row.gridAfter();
        if (covered < widest)
            changeRowCore(row, [&](TableRowPropertiesInfo& properties) {
                properties.gridAfter += widest - covered;
                properties.use(TableRowPropertiesOptions::UseGridAfter);
            });
    });
    table.resetCachedLayoutInfo();
}

} // namespace velmo::model
