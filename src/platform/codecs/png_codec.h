#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmo::platform {

/// Size and resolution (pHYs) of a PNG file, from the chunks before its image data.
[[nodiscard]] ImageInfo readPngInfo(std::span<const uint8_t> bytes);
/// Pixels of a PNG file in any colour type and depth; 16-bit samples keep their high byte.
[[nodiscard]] RgbaImage decodePng(std::span<const uint8_t> bytes);
/// An 8-bit RGBA PNG of the image with a pHYs chunk for its resolution.
[[nodiscard]] std::vector<uint8_t> encodePng(const RgbaImage& image);

} // namespace velmo::platform
