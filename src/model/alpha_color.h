#pragma once

#include <cstdint>

namespace velmo::model {

/// A 32-bit ARGB colour: alpha in the top byte, then red, green, blue. 0 means automatic.
using AlphaColor = uint32_t;

inline constexpr AlphaColor kEmptyColor = 0;
inline constexpr AlphaColor kTransparentColor = 0x00FFFFFF;

[[nodiscard]] constexpr AlphaColor opaqueColor(uint8_t red, uint8_t green, uint8_t blue) noexcept
{
    return 0xFF000000u | static_cast<AlphaColor>(red) << 16 | static_cast<AlphaColor>(green) << 8 | blue;
}

/// Whether the colour can be drawn: not automatic, not transparent and not the "no colour" marker.
[[nodiscard]] constexpr bool isValidColor(AlphaColor color) noexcept
{
    return color != kEmptyColor && color != kTransparentColor && color != 0x00010203;
}

} // namespace velmo::model
