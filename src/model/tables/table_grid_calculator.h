#pragma once

#include "model/tables/table_grid.h"

#include <cstdint>

namespace velmo::model {

class Table;
class TableWidthsCalculator;

/// Computes the column grid of a table (auto-fit): the columns' widths from the cells'
/// preferred widths and content, fitted into the available width. Results are cached on the
/// table until it changes.
class TableGridCalculator {
public:
    TableGridCalculator(const TableWidthsCalculator& widths, int32_t maxTableWidth, bool allowTablesToExtendIntoMargins) noexcept
        : widths_(widths), maxTableWidth_(maxTableWidth), allowTablesToExtendIntoMargins_(allowTablesToExtendIntoMargins)
    {
    }

    /// `percentBaseWidth` is what 100 % means for percent widths (layout units).
    [[nodiscard]] const TableGrid& calculateTableGrid(const Table& table, int32_t percentBaseWidth) const;

private:
    const TableWidthsCalculator& widths_;
    int32_t maxTableWidth_;
    bool allowTablesToExtendIntoMargins_;
};

} // namespace velmo::model
