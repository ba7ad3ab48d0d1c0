#pragma once

#include "core/positions.h"
#include "model/tables/table_units.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace velmo::model {

class PieceTable;
class Table;
class TableCell;
class TableRow;

/// The widths of one paragraph's content, in layout units: the widest piece that cannot be
/// broken (or floating object that text wraps around) and the widest line between line breaks.
struct ParagraphContentWidths {
    int32_t minWidth = 0;
    int32_t maxWidth = 0;
};

/// Measures paragraph content for the column grid; layout provides it, tests stub it.
class ITableCellContentMeasurer {
public:
    virtual ~ITableCellContentMeasurer() = default;
    [[nodiscard]] virtual ParagraphContentWidths measureParagraph(const PieceTable& pieceTable,
                                                                  ParagraphIndex paragraphIndex) const = 0;
};

/// What a cell needs, in layout units, with its margins, borders and spacing included.
struct CellWidths {
    int32_t minWidth = 0;
    int32_t maxWidth = 0;
    int32_t totalHorizontalMargins = 0;
    /// The widest line of the content itself (with the extras), before any preferred width.
    int32_t contentMaxWidth = 0;
};

/// The widths of cell content that the column grid is built from.
class TableWidthsCalculator {
public:
    TableWidthsCalculator(const ITableCellContentMeasurer& measurer, std::function<int32_t(int32_t)> toLayoutUnits,
                          bool simpleView = false)
        : measurer_(measurer), toLayoutUnits_(std::move(toLayoutUnits)), simpleView_(simpleView)
    {
    }

    [[nodiscard]] CellWidths calculateCellWidths(const TableCell& cell, int32_t percentBaseWidth) const;
    /// The widths of every cell of a row, in order (cheaper than asking cell by cell).
    [[nodiscard]] std::vector<CellWidths> calculateRowWidths(const TableRow& row, int32_t percentBaseWidth) const;
    /// The widest row's total minimum and maximum widths of a (nested) table.
    [[nodiscard]] ParagraphContentWidths calculateTableWidths(const Table& table, int32_t percentBaseWidth) const;
    [[nodiscard]] int32_t toLayoutUnits(int32_t modelUnits) const { return toLayoutUnits_(modelUnits); }
    [[nodiscard]] bool simpleView() const noexcept { return simpleView_; }

private:
    /// What all cells of a row share: spacing, layout, and the border width on each side of each cell.
    struct RowContext {
        WidthUnitInfo spacing;
        bool spaced = false;
        bool fixed = false;
        std::vector<int32_t> leftBorders;
        std::vector<int32_t> rightBorders;
    };
    [[nodiscard]] RowContext rowContext(const TableRow& row) const;
    [[nodiscard]] CellWidths cellWidths(const TableCell& cell, const RowContext& context, int32_t percentBaseWidth) const;
    [[nodiscard]] int32_t horizontalExtras(const TableCell& cell, const RowContext& context) const;
    [[nodiscard]] ParagraphContentWidths contentWidths(const TableCell& cell, int32_t percentBaseWidth) const;

    const ITableCellContentMeasurer& measurer_;
    std::function<int32_t(int32_t)> toLayoutUnits_;
    bool simpleView_;
};

/// The cell that starts the vertical merge `cell` belongs to (the cell itself when not merged).
[[nodiscard]] const TableCell& firstCellInVerticalMergingGroup(const TableCell& cell);

} // namespace velmo::model
