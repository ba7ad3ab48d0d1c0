#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>

namespace velmo::platform {

/// Size of a GIF file: its logical screen, or its first frame when the screen is given as empty.
/// GIF has no resolution.
[[nodiscard]] ImageInfo readGifInfo(std::span<const uint8_t> bytes);
/// The first frame laid on a transparent canvas of that size; later frames of an animation are not read.
[[nodiscard]] RgbaImage decodeGif(std::span<const uint8_t> bytes);

} // namespace velmo::platform
