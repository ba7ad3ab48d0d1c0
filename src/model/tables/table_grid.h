#pragma once

#include <cstdint>
#include <vector>

namespace velmo::model {

/// One column of a table's grid, in layout units.
struct TableGridColumn {
    int32_t width = 0;
    int32_t minWidth = 0;
    int32_t maxWidth = 0;
    int32_t preferredWidth = 0;
    int32_t totalHorizontalMargins = 0;
    bool percentBased = false;

    bool operator==(const TableGridColumn&) const = default;
};

/// The columns a table is laid out on.
struct TableGrid {
    std::vector<TableGridColumn> columns;

    [[nodiscard]] int32_t totalWidth() const noexcept
    {
        int32_t total = 0;
        for (const TableGridColumn& column : columns)
            total += column.width;
        return total;
    }
};

/// A computed grid with the inputs it was computed for.
struct TableGridLayoutInfo {
    TableGrid grid;
    int32_t maxTableWidth = 0;
    int32_t percentBaseWidth = 0;
    bool allowTablesToExtendIntoMargins = false;
    bool simpleView = false;
};

} // namespace velmo::model
