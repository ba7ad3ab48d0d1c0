#pragma once

// Small picture files built byte by byte (or with the libraries' own writers, never with the codec
// under test), so each test shows exactly the header field it is about.

#include "platform/image_codec.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace velmo::testing {

using Bytes = std::vector<uint8_t>;

/// A width x height RGBA picture whose pixels follow a pattern with every channel varying, and some
/// alpha below 255.
[[nodiscard]] platform::RgbaImage patternImage(int32_t width, int32_t height);

struct PngOptions {
    /// Pixels per metre; none when not set.
    std::optional<uint32_t> pixelsPerMeterX = std::nullopt;
    std::optional<uint32_t> pixelsPerMeterY = std::nullopt;
    /// 0: the density has no unit, only the aspect ratio.
    uint8_t densityUnit = 1;
    bool interlaced = false;
};

/// An 8-bit RGBA PNG with the given pixels (Adam7 interlaced when asked).
[[nodiscard]] Bytes makePng(const platform::RgbaImage& image, const PngOptions& options = {});
/// A PNG whose header claims the size, with a few bytes of image data: enough for the header to be read.
[[nodiscard]] Bytes makePngHeaderOnly(uint32_t width, uint32_t height);
/// A PNG with a palette of the given RGBA colours (transparency through tRNS) and one index per pixel.
[[nodiscard]] Bytes makePalettePng(int32_t width, int32_t height, const std::vector<uint32_t>& rgbaColors,
                                   const std::vector<uint8_t>& indexes);

struct JpegOptions {
    /// 0: no unit (aspect ratio only), 1: dots per inch, 2: dots per centimetre.
    uint8_t densityUnit = 0;
    uint16_t densityX = 1;
    uint16_t densityY = 1;
    bool writeJfif = true;
    bool progressive = false;
    bool cmyk = false;
    /// An Exif APP1 segment with this resolution in inches (unit 2) or centimetres (unit 3).
    std::optional<std::pair<uint32_t, uint32_t>> exifResolution = std::nullopt;
    uint16_t exifUnit = 2;
};

/// A JPEG of the picture (alpha dropped), written by libjpeg itself.
[[nodiscard]] Bytes makeJpeg(const platform::RgbaImage& image, const JpegOptions& options = {});

struct GifOptions {
    std::optional<uint8_t> transparentIndex = std::nullopt;
    bool interlaced = false;
    /// Screen size, frame position and frame size; the frame fills the screen when not set.
    int screenWidth = 0;
    int screenHeight = 0;
    int left = 0;
    int top = 0;
};

/// A GIF with one frame of indexes into `rgbColors`, written by giflib.
[[nodiscard]] Bytes makeGif(int width, int height, const std::vector<uint32_t>& rgbColors,
                            const std::vector<uint8_t>& indexes, const GifOptions& options = {});

struct TiffOptions {
    /// Resolution as a rational number of dots per unit; no tags when not set.
    std::optional<std::pair<uint32_t, uint32_t>> resolution = std::nullopt;
    /// 1: none, 2: inch, 3: centimetre.
    uint16_t resolutionUnit = 2;
    bool bigEndian = false;
};

/// An uncompressed 8-bit RGB TIFF (alpha dropped) built field by field.
[[nodiscard]] Bytes makeTiff(const platform::RgbaImage& image, const TiffOptions& options = {});

struct BmpOptions {
    int32_t pixelsPerMeterX = 0;
    int32_t pixelsPerMeterY = 0;
    bool topDown = false;
    /// Leave out the 14-byte file header: a bare DIB as the clipboard holds it.
    bool bare = false;
};

/// A 24-bit uncompressed BMP of the picture (alpha dropped).
[[nodiscard]] Bytes makeBmp24(const platform::RgbaImage& image, const BmpOptions& options = {});
/// A BMP with a 40-byte header, the given bit depth, compression, colour table (BGRA entries as 0xAARRGGBB
/// values) and pixel data, as it would be stored.
[[nodiscard]] Bytes makeBmp(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                            const std::vector<uint32_t>& colors, const Bytes& pixelData, const BmpOptions& options = {},
                            const std::vector<uint32_t>& bitMasks = {});

/// An icon file holding the given entries (each a DIB with its AND mask, or a PNG), with the sizes the
/// directory states.
struct IconEntry {
    uint8_t width;
    uint8_t height;
    uint16_t bitCount;
    Bytes data;
};
[[nodiscard]] Bytes makeIcon(const std::vector<IconEntry>& entries);
/// The DIB of a 32-bit icon entry: the picture's colours and alpha, and an AND mask of all zeroes.
[[nodiscard]] Bytes makeIconDib32(const platform::RgbaImage& image);
/// The DIB of a 1-bit icon entry (palette black and white) with the given AND mask rows set where
/// `transparent` says.
[[nodiscard]] Bytes makeIconDib1(int32_t width, int32_t height, const std::vector<bool>& white,
                                 const std::vector<bool>& transparent);

struct WmfOptions {
    /// The placeable header's bounds (left, top, right, bottom) and units per inch; none when not set.
    std::optional<std::array<int16_t, 4>> placeableBounds = std::nullopt;
    uint16_t unitsPerInch = 1440;
    std::optional<uint16_t> mapMode = std::nullopt;
    /// SETWINDOWEXT's width and height.
    std::optional<std::pair<int16_t, int16_t>> windowExtent = std::nullopt;
    bool endRecord = true;
};

[[nodiscard]] Bytes makeWmf(const WmfOptions& options);

struct EmfOptions {
    std::array<int32_t, 4> bounds{0, 0, 99, 49};
    std::array<int32_t, 4> frame{0, 0, 2540, 1270};
    std::array<int32_t, 2> devicePixels{1920, 1080};
    std::array<int32_t, 2> deviceMillimeters{508, 286};
    std::optional<std::pair<int32_t, int32_t>> windowExtent = std::nullopt;
    bool endRecord = true;
};

[[nodiscard]] Bytes makeEmf(const EmfOptions& options);

} // namespace velmo::testing
