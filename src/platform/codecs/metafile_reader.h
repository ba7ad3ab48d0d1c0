#pragma once

#include "platform/image_codec.h"

#include <cstdint>
#include <span>

namespace velmo::platform {

/// Size of a Windows metafile, with or without its placeable header, after walking its records to the
/// end record. The physical size comes from the placeable header's bounds and units per inch; without
/// one, from the window extent converted by the mapping mode in force (96 logical units an inch for
/// the modes without a physical unit); 0 x 0 when neither is there.
[[nodiscard]] ImageInfo readWmfInfo(std::span<const uint8_t> bytes);
/// Size of an enhanced metafile, after walking its records to the end record. The physical size is the
/// header's frame; when the frame is empty, the bounds in device pixels converted by the reference
/// device's millimetres per pixel (96 DPI when the header gives no device), then the window extent at
/// 96 DPI; 0 x 0 when none is usable.
[[nodiscard]] ImageInfo readEmfInfo(std::span<const uint8_t> bytes);

} // namespace velmo::platform
