#pragma once

#include "platform/image_codec.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace velmo::platform {

/// The "BM" file header that comes before the DIB in a .bmp file.
inline constexpr size_t kBmpFileHeaderSize = 14;

/// Whether the bytes start "BM" and a DIB header of a size this decoder knows.
[[nodiscard]] bool looksLikeBmpFile(std::span<const uint8_t> bytes) noexcept;

/// Whether the bytes start with a DIB header this decoder reads: a known header size, a positive width,
/// a non-zero height, one plane and a known bit depth.
[[nodiscard]] bool looksLikeDibHeader(std::span<const uint8_t> bytes) noexcept;

/// What a DIB holds besides its colours.
enum class DibKind {
    /// A plain bitmap: a .bmp file after its file header, or a bare DIB.
    Bitmap,
    /// An icon entry: the stored height counts two images, the colours and then a one-bit AND mask
    /// whose set bits make the pixel transparent.
    IconEntry,
};

/// Size and resolution of a .bmp file (`format` Bmp) or a bare DIB (`format` MemoryBmp).
[[nodiscard]] ImageInfo readBmpInfo(std::span<const uint8_t> bytes, OfficeImageFormat format);
/// Pixels of a .bmp file or a bare DIB; uncompressed 1, 4, 8, 16, 24 and 32 bits, RLE4, RLE8 and bit fields.
[[nodiscard]] RgbaImage decodeBmp(std::span<const uint8_t> bytes, OfficeImageFormat format);

/// Size of the DIB of an icon entry (half its stored height).
[[nodiscard]] ImageSize readIconDibSize(std::span<const uint8_t> dib);
/// Pixels of the DIB of an icon entry, made transparent where its AND mask says so.
[[nodiscard]] RgbaImage decodeIconDib(std::span<const uint8_t> dib);

} // namespace velmo::platform
