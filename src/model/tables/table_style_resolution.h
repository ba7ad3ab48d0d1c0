#pragma once

#include "model/tables/table.h"

#include <array>

namespace velmo::model {

class MergedCharacterProperties;
class MergedParagraphProperties;
class TableStyle;

/// The row's place for the table style (computed once, then cached on the row).
[[nodiscard]] ConditionalRowType conditionalRowType(const TableRow& row);
/// The cell's place for the table style (computed once, then cached on the cell).
[[nodiscard]] ConditionalColumnType conditionalColumnType(const TableCell& cell);
/// The conditional parts of a table style that apply to a cell, in the order they count.
struct ConditionalParts {
    std::array<ConditionalTableStyleFormattingType, 8> parts{};
    size_t count = 0;

    void add(ConditionalTableStyleFormattingType part) noexcept { parts[count++] = part; }
    [[nodiscard]] const ConditionalTableStyleFormattingType* begin() const noexcept { return parts.data(); }
    [[nodiscard]] const ConditionalTableStyleFormattingType* end() const noexcept { return parts.data() + count; }
};

/// The conditional parts of a table style that apply to the cell, first set wins: the corner,
/// the first or last row, the first or last column, the column band, the row band, the whole table.
[[nodiscard]] ConditionalParts applicableConditionalParts(const TableCell& cell);

/// The table's style; null when its index names none. A deleted style is an internal error.
[[nodiscard]] const TableStyle* tableStyleOf(const Table& table);

/// Adds the character (paragraph) properties that the cell's table cell style and then the
/// table's style give the cell, below what `merged` already holds.
void mergeTableStyleCharacterProperties(MergedCharacterProperties& merged, const TableCell& cell);
void mergeTableStyleParagraphProperties(MergedParagraphProperties& merged, const TableCell& cell);

/// The record that supplies a table property: the table's own when it sets it, else the style's
/// parts for the cell (or the style's own without a cell), its parents', else the defaults.
[[nodiscard]] const TablePropertiesInfo& tablePropertiesSource(const Table& table, TablePropertiesOptions option,
                                                              const TableCell* cell = nullptr);

/// The cell's margin on an edge (Left, Right, Top or Bottom) and its border on any edge, after the
/// cell's own properties, its styles and the table's.
[[nodiscard]] WidthUnitInfo actualCellMargin(const TableCell& cell, TableBorderEdge edge);
[[nodiscard]] BorderInfo actualCellBorder(const TableCell& cell, TableBorderEdge edge);

} // namespace velmo::model
