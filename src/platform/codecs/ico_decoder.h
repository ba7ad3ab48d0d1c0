#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>

namespace velmo::platform {

/// Size of an icon or cursor file: that of its largest entry (the deepest colours among equals), which
/// is also the one decodeIcon reads. Icons have no resolution of their own.
[[nodiscard]] ImageInfo readIconInfo(std::span<const uint8_t> bytes);
/// Pixels of the largest entry, stored as a DIB with an AND mask or as PNG.
[[nodiscard]] RgbaImage decodeIcon(std::span<const uint8_t> bytes);

} // namespace velmo::platform
