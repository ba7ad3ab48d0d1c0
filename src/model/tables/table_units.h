#pragma once

#include "core/hash_combine.h"

#include <cstdint>

namespace velmo::model {

/// How a width is given. With FiftiethsOfPercent, 5000 means 100 %.
enum class WidthUnitType : uint8_t { Nil, Auto, FiftiethsOfPercent, ModelUnits };

struct WidthUnitInfo {
    WidthUnitType type = WidthUnitType::Nil;
    int32_t value = 0;

    bool operator==(const WidthUnitInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept { return core::hashCombine({static_cast<size_t>(type), core::hashOf(value)}); }
};

enum class HeightUnitType : uint8_t { Minimum, Auto, Exact };

struct HeightUnitInfo {
    HeightUnitType type = HeightUnitType::Auto;
    int32_t value = 0;

    bool operator==(const HeightUnitInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept { return core::hashCombine({static_cast<size_t>(type), core::hashOf(value)}); }
};

/// The four margins of a cell (or a table's default for its cells).
struct CellMarginsInfo {
    WidthUnitInfo left;
    WidthUnitInfo right;
    WidthUnitInfo top;
    WidthUnitInfo bottom;

    bool operator==(const CellMarginsInfo&) const = default;
    [[nodiscard]] size_t hash() const noexcept
    {
        return core::hashCombine({left.hash(), right.hash(), top.hash(), bottom.hash()});
    }
};

} // namespace velmo::model
