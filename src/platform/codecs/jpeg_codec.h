#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmo::platform {

/// Size and resolution of a JPEG file: the JFIF density, else the Exif resolution, else the default.
[[nodiscard]] ImageInfo readJpegInfo(std::span<const uint8_t> bytes);
/// Pixels of a baseline or progressive JPEG in grey, YCbCr, RGB or CMYK. A stream cut short is an error,
/// even where only its end marker is missing, since the decoder cannot tell that from missing pixels.
[[nodiscard]] RgbaImage decodeJpeg(std::span<const uint8_t> bytes);
/// A baseline JFIF file of the image laid over white, with its resolution as the density.
[[nodiscard]] std::vector<uint8_t> encodeJpeg(const RgbaImage& image, int quality);

} // namespace velmo::platform
