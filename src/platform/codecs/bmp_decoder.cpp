#include "platform/codecs/bmp_decoder.h"

#include "platform/codecs/codecs_internal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

namespace velmo::platform {
namespace {

constexpr std::string_view kBmp = "BMP";
constexpr std::string_view kIcon = "ICO";

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

// Compression values of the info header.
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kJpeg = 4;
constexpr uint32_t kPng = 5;
constexpr uint32_t kAlphaBitFields = 6;

constexpr uint32_t kMaxPaletteEntries = 256;

/// The core header, the info header and its versions 2 to 5.
bool isKnownHeaderSize(uint32_t size) noexcept
{
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
           size == 124;
}

bool isKnownBitCount(uint16_t bitCount) noexcept
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

/// One colour channel of a bit-field pixel: the value under `mask`, scaled to 0..255.
class Channel {
public:
    explicit Channel(uint32_t mask) noexcept
        : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), max_(mask == 0 ? 0 : mask >> shift_)
    {
    }
    [[nodiscard]] bool isPresent() const noexcept { return mask_ != 0; }
    [[nodiscard]] uint8_t value(uint32_t pixel) const noexcept
    {
        if (max_ == 0)
            return 0;
        const uint64_t raw = (pixel & mask_) >> shift_;
        return static_cast<uint8_t>((raw * 255 + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    int shift_;
    uint64_t max_;
};

struct Rgba {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

/// The fields of a DIB header this decoder uses, with sizes already checked against the limits.
struct DibHeader {
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    std::array<uint32_t, 4> masks{}; // red, green, blue, alpha
    /// Offset of the colour table from the start of the header, and the size of one entry in it.
    size_t colorTableOffset = 0;
    size_t paletteEntrySize = 4;
    /// Entries the file stores in its colour table, and how many of them index the pixels.
    uint64_t storedColorCount = 0;
    uint32_t paletteSize = 0;
    ImageResolution resolution;
};

DibHeader parseDibHeader(std::span<const uint8_t> dib, DibKind kind, std::string_view formatName)
{
    const LittleEndianReader reader(dib);
    DibHeader header;
    header.headerSize = reader.u32(0);
    if (!reader.contains(0, 4))
        throwInvalidImage(formatName, "the data ends early");
    if (!isKnownHeaderSize(header.headerSize))
        throwInvalidImage(formatName, "unknown bitmap header size " + std::to_string(header.headerSize));
    if (!reader.contains(0, header.headerSize))
        throwInvalidImage(formatName, "the data ends early");

    int64_t width = 0;
    int64_t height = 0;
    uint32_t storedColors = 0;
    if (header.headerSize == kCoreHeaderSize) {
        width = reader.u16(4);
        height = reader.u16(6);
        header.bitCount = reader.u16(10);
        header.paletteEntrySize = 3;
    } else {
        width = reader.i32(4);
        height = reader.i32(8);
        header.bitCount = reader.u16(14);
        header.compression = reader.u32(16);
        storedColors = reader.u32(32);
        if (kind == DibKind::Bitmap) {
            header.resolution = plausibleResolution(dpiFromDensity(std::max(reader.i32(24), 0), kInchesPerMeter),
                                                    dpiFromDensity(std::max(reader.i32(28), 0), kInchesPerMeter))
                                    .value_or(ImageResolution{});
        }
    }
    if (height < 0) {
        header.topDown = true;
        height = -height;
    }
    if (kind == DibKind::IconEntry)
        height /= 2;
    checkImageSize(formatName, width, height);
    header.width = static_cast<int32_t>(width);
    header.height = static_cast<int32_t>(height);

    if (!isKnownBitCount(header.bitCount))
        throwInvalidImage(formatName, "unsupported bit depth " + std::to_string(header.bitCount));
    switch (header.compression) {
    case kRgb:
        break;
    case kRle8:
    case kRle4:
        if (header.bitCount != (header.compression == kRle8 ? 8 : 4))
            throwInvalidImage(formatName, "run-length compression does not match the bit depth");
        if (header.topDown)
            throwInvalidImage(formatName, "run-length pictures cannot be stored top-down");
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (header.bitCount != 16 && header.bitCount != 32)
            throwInvalidImage(formatName, "bit fields need 16 or 32 bits a pixel");
        break;
    case kJpeg:
    case kPng:
        throwInvalidImage(formatName, "embedded JPEG or PNG data is not supported");
    default:
        throwInvalidImage(formatName, "unknown compression " + std::to_string(header.compression));
    }

    header.colorTableOffset = header.headerSize;
    if (header.compression == kBitFields || header.compression == kAlphaBitFields) {
        // The masks start at offset 40: inside the larger headers, right after the 40-byte one, where
        // they push the colour table back. Headers from 56 bytes on hold an alpha mask too.
        const size_t maskCount = header.compression == kAlphaBitFields || header.headerSize >= 56 ? 4 : 3;
        if (!reader.contains(kInfoHeaderSize, maskCount * 4))
            throwInvalidImage(formatName, "the data ends early");
        for (size_t i = 0; i < maskCount; ++i)
            header.masks[i] = reader.u32(kInfoHeaderSize + i * 4);
        if (header.headerSize == kInfoHeaderSize)
            header.colorTableOffset += maskCount * 4;
    } else if (header.bitCount == 16) {
        header.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (header.bitCount == 32) {
        // Plain 32-bit pixels of a bitmap leave the fourth byte unused; in an icon it is the alpha.
        header.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, kind == DibKind::IconEntry ? 0xFF000000 : 0};
    }

    if (header.bitCount <= 8) {
        const uint32_t maxColors = 1u << header.bitCount;
        header.storedColorCount = storedColors == 0 || storedColors > kMaxPaletteEntries ? maxColors : storedColors;
        header.paletteSize = static_cast<uint32_t>(std::min<uint64_t>(header.storedColorCount, maxColors));
    } else {
        header.storedColorCount = storedColors;
    }
    return header;
}

/// Offset of the pixels from the start of the header when nothing else says where they are.
uint64_t pixelsAfterColorTable(const DibHeader& header)
{
    return header.colorTableOffset + header.storedColorCount * header.paletteEntrySize;
}

std::vector<Rgba> readPalette(const LittleEndianReader& reader, const DibHeader& header, std::string_view formatName)
{
    std::vector<Rgba> palette(header.paletteSize);
    if (!reader.contains(header.colorTableOffset, palette.size() * header.paletteEntrySize))
        throwInvalidImage(formatName, "the data ends early");
    for (size_t i = 0; i < palette.size(); ++i) {
        const size_t entry = header.colorTableOffset + i * header.paletteEntrySize;
        palette[i] = {reader.u8(entry + 2), reader.u8(entry + 1), reader.u8(entry), 255};
    }
    return palette;
}

class PixelWriter {
public:
    explicit PixelWriter(RgbaImage& image) noexcept : image_(image) {}
    /// Sets a pixel given bottom-up or top-down; positions outside the image are ignored.
    void set(int64_t x, int64_t y, Rgba color) noexcept
    {
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height)
            return;
        uint8_t* pixel = image_.pixels.data() + (static_cast<size_t>(y) * static_cast<size_t>(image_.width) + static_cast<size_t>(x)) * 4;
        pixel[0] = color.red;
        pixel[1] = color.green;
        pixel[2] = color.blue;
        pixel[3] = color.alpha;
    }

private:
    RgbaImage& image_;
};

Rgba paletteColor(const std::vector<Rgba>& palette, uint32_t index) noexcept
{
    return index < palette.size() ? palette[index] : Rgba{};
}

void decodeUncompressed(const LittleEndianReader& reader, const DibHeader& header, uint64_t pixelOffset,
                        const std::vector<Rgba>& palette, RgbaImage& image, std::string_view formatName)
{
    const uint64_t rowBits = static_cast<uint64_t>(header.width) * header.bitCount;
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    const uint64_t needed = (static_cast<uint64_t>(header.height) - 1) * stride + (rowBits + 7) / 8;
    if (!reader.contains(pixelOffset, needed))
        throwInvalidImage(formatName, "the data ends early");

    const Channel red(header.masks[0]);
    const Channel green(header.masks[1]);
    const Channel blue(header.masks[2]);
    const Channel alpha(header.masks[3]);
    PixelWriter writer(image);
    const uint32_t indexMask = header.bitCount <= 8 ? (1u << header.bitCount) - 1 : 0;
    for (int64_t row = 0; row < header.height; ++row) {
        const uint64_t rowStart = pixelOffset + static_cast<uint64_t>(row) * stride;
        const int64_t y = header.topDown ? row : header.height - 1 - row;
        for (int64_t x = 0; x < header.width; ++x) {
            const uint64_t bit = static_cast<uint64_t>(x) * header.bitCount;
            const size_t at = rowStart + bit / 8;
            Rgba color;
            switch (header.bitCount) {
            case 1:
            case 4:
            case 8: {
                const int shift = 8 - header.bitCount - static_cast<int>(bit % 8);
                color = paletteColor(palette, (reader.u8(at) >> shift) & indexMask);
                break;
            }
            case 24:
                color = {reader.u8(at + 2), reader.u8(at + 1), reader.u8(at), 255};
                break;
            default: {
                const uint32_t value = header.bitCount == 16 ? reader.u16(at) : reader.u32(at);
                color = {red.value(value), green.value(value), blue.value(value),
                         alpha.isPresent() ? alpha.value(value) : uint8_t{255}};
                break;
            }
            }
            writer.set(x, y, color);
        }
    }
}

/// RLE4 and RLE8: pairs (count, colour) and escapes for end of line, end of picture, a jump and literal
/// runs. Pixels the data never reaches stay transparent. Runs past the right edge are counted, not
/// drawn, so the work stays within the picture's pixels plus the data's length.
void decodeRunLength(const LittleEndianReader& reader, const DibHeader& header, uint64_t pixelOffset,
                     const std::vector<Rgba>& palette, RgbaImage& image, std::string_view formatName)
{
    const bool fourBit = header.compression == kRle4;
    PixelWriter writer(image);
    int64_t x = 0;
    int64_t row = 0;
    uint64_t at = pixelOffset;
    const auto visibleOf = [&](int count) {
        return static_cast<int>(std::clamp<int64_t>(header.width - x, 0, count));
    };
    const auto put = [&](uint32_t index) {
        writer.set(x, header.height - 1 - row, paletteColor(palette, index));
        ++x;
    };
    while (row < header.height) {
        if (!reader.contains(at, 2))
            throwInvalidImage(formatName, "the data ends early");
        const uint8_t count = reader.u8(at);
        const uint8_t value = reader.u8(at + 1);
        at += 2;
        if (count > 0) {
            const int visible = visibleOf(count);
            for (int i = 0; i < visible; ++i)
                put(fourBit ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            x += count - visible;
            continue;
        }
        if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (!reader.contains(at, 2))
                throwInvalidImage(formatName, "the data ends early");
            x += reader.u8(at);
            row += reader.u8(at + 1);
            at += 2;
        } else {
            const uint64_t literalBytes = fourBit ? (value + 1u) / 2 : value;
            if (!reader.contains(at, literalBytes))
                throwInvalidImage(formatName, "the data ends early");
            const int visible = visibleOf(value);
            for (int i = 0; i < visible; ++i) {
                const uint8_t byte = reader.u8(at + (fourBit ? i / 2 : i));
                put(fourBit ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
            }
            x += value - visible;
            at += (literalBytes + 1) / 2 * 2;
        }
    }
}

/// 32-bit pictures whose alpha is zero everywhere were written by programs that leave the byte unused.
void makeOpaqueWhenAlphaIsUnused(RgbaImage& image) noexcept
{
    for (size_t i = 3; i < image.pixels.size(); i += 4) {
        if (image.pixels[i] != 0)
            return;
    }
    for (size_t i = 3; i < image.pixels.size(); i += 4)
        image.pixels[i] = 255;
}

RgbaImage decodeDib(std::span<const uint8_t> dib, const DibHeader& header, uint64_t pixelOffset,
                    std::string_view formatName)
{
    const LittleEndianReader reader(dib);
    const std::vector<Rgba> palette = readPalette(reader, header, formatName);
    RgbaImage image = makeTransparentImage(header.width, header.height, header.resolution);
    if (header.compression == kRle4 || header.compression == kRle8) {
        decodeRunLength(reader, header, pixelOffset, palette, image, formatName);
    } else {
        decodeUncompressed(reader, header, pixelOffset, palette, image, formatName);
        if (Channel(header.masks[3]).isPresent())
            makeOpaqueWhenAlphaIsUnused(image);
    }
    return image;
}

std::span<const uint8_t> dibOfBmp(std::span<const uint8_t> bytes, OfficeImageFormat format)
{
    if (format != OfficeImageFormat::Bmp)
        return bytes;
    if (bytes.size() < kBmpFileHeaderSize)
        throwInvalidImage(kBmp, "the data ends early");
    return bytes.subspan(kBmpFileHeaderSize);
}

/// Where the pixels start, from the start of the DIB header. A .bmp file names the offset in its file
/// header; one that points inside the headers or past the end is ignored in favour of the computed one.
uint64_t pixelOffsetOf(std::span<const uint8_t> bytes, OfficeImageFormat format, const DibHeader& header)
{
    const uint64_t computed = pixelsAfterColorTable(header);
    if (format != OfficeImageFormat::Bmp)
        return computed;
    const uint64_t named = LittleEndianReader(bytes).u32(10);
    if (named < kBmpFileHeaderSize + header.colorTableOffset || named >= bytes.size())
        return computed;
    return named - kBmpFileHeaderSize;
}

bool hasTranslucentPixel(const RgbaImage& image) noexcept
{
    for (size_t i = 3; i < image.pixels.size(); i += 4) {
        if (image.pixels[i] != 255)
            return true;
    }
    return false;
}

/// The icon's one-bit AND mask follows its colours, rows padded to four bytes; a set bit is transparent.
/// An icon cut short before its mask stays opaque.
void applyAndMask(std::span<const uint8_t> dib, const DibHeader& header, uint64_t pixelOffset, RgbaImage& image)
{
    const LittleEndianReader reader(dib);
    const uint64_t colorStride = (static_cast<uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
    const uint64_t maskOffset = pixelOffset + colorStride * static_cast<uint64_t>(header.height);
    const uint64_t maskStride = (static_cast<uint64_t>(header.width) + 31) / 32 * 4;
    if (!reader.contains(maskOffset, maskStride * static_cast<uint64_t>(header.height)))
        return;
    for (int64_t row = 0; row < header.height; ++row) {
        const int64_t y = header.topDown ? row : header.height - 1 - row;
        for (int64_t x = 0; x < header.width; ++x) {
            const uint8_t byte = reader.u8(maskOffset + static_cast<uint64_t>(row) * maskStride + static_cast<uint64_t>(x) / 8);
            if ((byte >> (7 - x % 8)) & 1)
                image.pixels[(static_cast<size_t>(y) * static_cast<size_t>(header.width) + static_cast<size_t>(x)) * 4 + 3] = 0;
        }
    }
}

} // namespace

bool looksLikeBmpFile(std::span<const uint8_t> bytes) noexcept
{
    const LittleEndianReader reader(bytes);
    return reader.u8(0) == 'B' && reader.u8(1) == 'M' && isKnownHeaderSize(reader.u32(kBmpFileHeaderSize));
}

bool looksLikeDibHeader(std::span<const uint8_t> bytes) noexcept
{
    const LittleEndianReader reader(bytes);
    const uint32_t headerSize = reader.u32(0);
    if (!isKnownHeaderSize(headerSize) || !reader.contains(0, headerSize))
        return false;
    if (headerSize == kCoreHeaderSize)
        return reader.u16(4) > 0 && reader.u16(6) > 0 && reader.u16(8) == 1 && isKnownBitCount(reader.u16(10));
    return reader.i32(4) > 0 && reader.i32(8) != 0 && reader.u16(12) == 1 && isKnownBitCount(reader.u16(14)) &&
           reader.u32(16) <= kAlphaBitFields;
}

ImageInfo readBmpInfo(std::span<const uint8_t> bytes, OfficeImageFormat format)
{
    const DibHeader header = parseDibHeader(dibOfBmp(bytes, format), DibKind::Bitmap, kBmp);
    ImageInfo info;
    info.format = format;
    info.sizeInPixels = {header.width, header.height};
    info.resolution = header.resolution;
    return info;
}

RgbaImage decodeBmp(std::span<const uint8_t> bytes, OfficeImageFormat format)
{
    const std::span<const uint8_t> dib = dibOfBmp(bytes, format);
    const DibHeader header = parseDibHeader(dib, DibKind::Bitmap, kBmp);
    return decodeDib(dib, header, pixelOffsetOf(bytes, format, header), kBmp);
}

ImageSize readIconDibSize(std::span<const uint8_t> dib)
{
    const DibHeader header = parseDibHeader(dib, DibKind::IconEntry, kIcon);
    return {header.width, header.height};
}

RgbaImage decodeIconDib(std::span<const uint8_t> dib)
{
    const DibHeader header = parseDibHeader(dib, DibKind::IconEntry, kIcon);
    const uint64_t pixelOffset = pixelsAfterColorTable(header);
    RgbaImage image = decodeDib(dib, header, pixelOffset, kIcon);
    // Icons with an alpha channel of their own ignore the mask; the others take transparency from it.
    const bool hasOwnAlpha = Channel(header.masks[3]).isPresent() && hasTranslucentPixel(image);
    if (!hasOwnAlpha)
        applyAndMask(dib, header, pixelOffset, image);
    return image;
}

} // namespace velmo::platform
