#pragma once

#include "model/alpha_color.h"
#include "model/pictures/used_options_formatting.h"

#include <cstdint>

namespace velmo::model {

enum class UsedShapeOption : uint8_t { UseFillColor, UseOutlineColor, UseOutlineWidth, UseRotation };

/// The outline and fill of a floating object's shape.
struct ShapeInfo {
    AlphaColor fillColor = kEmptyColor;
    AlphaColor outlineColor = kEmptyColor;
    int32_t outlineWidth = 0; // model units
    int32_t rotation = 0;     // 1/60000 degree

    friend bool operator==(const ShapeInfo&, const ShapeInfo&) = default;
    [[nodiscard]] uint64_t hash() const noexcept
    {
        return uint64_t{fillColor} ^ uint64_t{outlineColor} << 32 ^ static_cast<uint64_t>(static_cast<uint32_t>(outlineWidth)) << 7 ^
               static_cast<uint32_t>(rotation);
    }
};

using ShapeFormatting = UsedOptionsFormatting<ShapeInfo, UsedShapeOption>;

} // namespace velmo::model
