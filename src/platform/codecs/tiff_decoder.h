#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>

namespace velmo::platform {

/// Size and resolution of the first page of a TIFF file.
[[nodiscard]] ImageInfo readTiffInfo(std::span<const uint8_t> bytes);
/// Pixels of the first page, in any layout and compression the TIFF library reads as RGBA.
[[nodiscard]] RgbaImage decodeTiff(std::span<const uint8_t> bytes);

} // namespace velmo::platform
