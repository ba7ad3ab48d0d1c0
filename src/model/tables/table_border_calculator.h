#pragma once

#include "model/border_info.h"

#include <cstdint>
#include <vector>

namespace velmo::model {

class TableCell;

/// Line counts, weights and drawn widths of table border styles, and which of two borders that
/// meet between cells is drawn.
class TableBorderCalculator {
public:
    /// How many lines the style draws (0 for no line).
    [[nodiscard]] static int32_t lineCount(BorderLineStyle style) noexcept;
    /// The style's strength when two borders compete.
    [[nodiscard]] static int32_t weight(BorderLineStyle style) noexcept;
    /// The width the lines and gaps of a border of nominal width `width` take together.
    [[nodiscard]] static int32_t actualWidth(BorderLineStyle style, int32_t width) noexcept;
    /// The lines' edges as fractions of the actual width, in pairs (start, end) per line.
    [[nodiscard]] static std::vector<float> drawingProportions(BorderLineStyle style);
    /// Of two competing borders, the one drawn: a present one over a missing one, then the
    /// heavier, the higher style, the darker; a full tie keeps `first`. Returns 0 for `first`.
    [[nodiscard]] static int chooseBorder(const BorderInfo& first, const BorderInfo& second) noexcept;
};

/// Which cell's border is drawn between two neighbouring cells of a row.
enum class VerticalBorderSource : uint8_t { LeftCell, RightCell, Both };

/// With cell spacing both cells draw their own border; otherwise the left cell's right border
/// and the right cell's left border compete.
[[nodiscard]] VerticalBorderSource verticalBorderSource(const TableCell& left, const TableCell& right);

/// The border drawn on the boundary above `below` (a cell of the row under the boundary) where
/// it meets `above` (null when there is no cell above); a full tie keeps the upper border.
[[nodiscard]] BorderInfo horizontalBorderBetween(const TableCell* above, const TableCell* below);

} // namespace velmo::model
