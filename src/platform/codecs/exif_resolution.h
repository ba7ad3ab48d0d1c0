#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <optional>
#include <span>

namespace velmo::platform {

/// The resolution an Exif block (the payload of a JPEG APP1 segment, starting "Exif\0\0") gives in its
/// first directory; nullopt when there is none, it has no unit or the block is malformed.
[[nodiscard]] std::optional<ImageResolution> readExifResolution(std::span<const uint8_t> app1) noexcept;

} // namespace velmo::platform
