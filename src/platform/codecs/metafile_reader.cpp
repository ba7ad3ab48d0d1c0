#include "platform/codecs/metafile_reader.h"

#include "platform/codecs/codecs_internal.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace velmo::platform {
namespace {

constexpr std::string_view kWmf = "WMF";
constexpr std::string_view kEmf = "EMF";

constexpr double kHundredthsPerInch = 2540;

// Windows metafile: the optional placeable header, the metafile header and records of 16-bit words.
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr uint16_t kWmfHeaderWords = kWmfHeaderSize / 2;
constexpr size_t kWmfRecordHeaderSize = 6;
constexpr uint16_t kMetaEof = 0x0000;
constexpr uint16_t kMetaSetMapMode = 0x0103;
constexpr uint16_t kMetaSetWindowExt = 0x020C;

// Enhanced metafile: a header record and records of 32-bit words.
constexpr size_t kEmfMinHeaderSize = 88;
constexpr size_t kEmfRecordHeaderSize = 8;
constexpr uint32_t kEmrEof = 14;
constexpr uint32_t kEmrSetWindowExtEx = 9;

/// Mapping modes as metafiles store them.
enum class MapMode : uint16_t {
    Text = 1,
    LowMetric = 2,
    HighMetric = 3,
    LowEnglish = 4,
    HighEnglish = 5,
    Twips = 6,
    Isotropic = 7,
    Anisotropic = 8,
};

/// Hundredths of a millimetre in one logical unit. The modes without a physical unit (text, isotropic,
/// anisotropic, unknown values) count 96 logical units an inch, as a screen does.
double hundredthsPerLogicalUnit(uint16_t mode) noexcept
{
    switch (static_cast<MapMode>(mode)) {
    case MapMode::LowMetric:
        return 10;
    case MapMode::HighMetric:
        return 1;
    case MapMode::LowEnglish:
        return kHundredthsPerInch / 100;
    case MapMode::HighEnglish:
        return kHundredthsPerInch / 1000;
    case MapMode::Twips:
        return kHundredthsPerInch / 1440;
    case MapMode::Text:
    case MapMode::Isotropic:
    case MapMode::Anisotropic:
        break;
    }
    return kHundredthsPerInch / kDefaultImageDpi;
}

/// |value| x factor rounded to the nearest whole number (halves to even), kept within 32 bits.
int32_t scaled(int64_t value, double factor) noexcept
{
    const double result = std::nearbyint(static_cast<double>(std::llabs(value)) * factor);
    return result >= std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                          : static_cast<int32_t>(result);
}

ImageSize scaledSize(int64_t width, int64_t height, double factor) noexcept
{
    return {scaled(width, factor), scaled(height, factor)};
}

ImageInfo metafileInfo(OfficeImageFormat format, ImageSize hundredths)
{
    ImageInfo info;
    info.format = format;
    info.metafileSizeInHundredthsOfMillimeter = hundredths;
    const double pixelsPerHundredth = kDefaultImageDpi / kHundredthsPerInch;
    info.sizeInPixels = scaledSize(hundredths.width, hundredths.height, pixelsPerHundredth);
    return info;
}

/// The size a placeable header gives, when its bounds and units per inch are usable.
std::optional<ImageSize> placeableSize(const LittleEndianReader& reader)
{
    const int64_t width = int64_t{reader.i16(10)} - reader.i16(6);
    const int64_t height = int64_t{reader.i16(12)} - reader.i16(8);
    const uint16_t unitsPerInch = reader.u16(14);
    if (width == 0 || height == 0 || unitsPerInch == 0)
        return std::nullopt;
    return scaledSize(width, height, kHundredthsPerInch / unitsPerInch);
}

} // namespace

ImageInfo readWmfInfo(std::span<const uint8_t> bytes)
{
    const LittleEndianReader reader(bytes);
    std::optional<ImageSize> placeable;
    size_t headerOffset = 0;
    if (reader.u32(0) == kPlaceableKey) {
        if (!reader.contains(0, kPlaceableHeaderSize))
            throwInvalidImage(kWmf, "the data ends early");
        placeable = placeableSize(reader);
        headerOffset = kPlaceableHeaderSize;
    }
    if (!reader.contains(headerOffset, kWmfHeaderSize))
        throwInvalidImage(kWmf, "the data ends early");
    if (reader.u16(headerOffset + 2) != kWmfHeaderWords)
        throwInvalidImage(kWmf, "the metafile header is malformed");

    uint16_t mapMode = static_cast<uint16_t>(MapMode::Text);
    int64_t extentWidth = 0;
    int64_t extentHeight = 0;
    // Every record is at least three words long, so the walk ends within bytes.size() / 6 steps.
    for (uint64_t at = headerOffset + kWmfHeaderSize;;) {
        if (!reader.contains(at, kWmfRecordHeaderSize))
            throwInvalidImage(kWmf, "the data ends early");
        const uint64_t recordBytes = uint64_t{reader.u32(at)} * 2;
        const uint16_t function = reader.u16(at + 4);
        if (recordBytes < kWmfRecordHeaderSize)
            throwInvalidImage(kWmf, "a record is shorter than its header");
        if (!reader.contains(at, recordBytes))
            throwInvalidImage(kWmf, "the data ends early");
        if (function == kMetaEof)
            break;
        if (function == kMetaSetMapMode && recordBytes >= kWmfRecordHeaderSize + 2)
            mapMode = reader.u16(at + 6);
        if (function == kMetaSetWindowExt && recordBytes >= kWmfRecordHeaderSize + 4) {
            extentHeight = reader.i16(at + 6);
            extentWidth = reader.i16(at + 8);
        }
        at += recordBytes;
    }

    if (placeable)
        return metafileInfo(OfficeImageFormat::Wmf, *placeable);
    if (extentWidth != 0 && extentHeight != 0)
        return metafileInfo(OfficeImageFormat::Wmf,
                            scaledSize(extentWidth, extentHeight, hundredthsPerLogicalUnit(mapMode)));
    return metafileInfo(OfficeImageFormat::Wmf, {});
}

ImageInfo readEmfInfo(std::span<const uint8_t> bytes)
{
    const LittleEndianReader reader(bytes);
    if (!reader.contains(0, kEmfMinHeaderSize))
        throwInvalidImage(kEmf, "the data ends early");
    const uint32_t headerSize = reader.u32(4);
    if (headerSize < kEmfMinHeaderSize || headerSize % 4 != 0)
        throwInvalidImage(kEmf, "the metafile header is malformed");

    int64_t extentWidth = 0;
    int64_t extentHeight = 0;
    // Every record is at least eight bytes long, so the walk ends within bytes.size() / 8 steps.
    for (uint64_t at = headerSize;;) {
        if (!reader.contains(at, kEmfRecordHeaderSize))
            throwInvalidImage(kEmf, "the data ends early");
        const uint32_t type = reader.u32(at);
        const uint32_t recordBytes = reader.u32(at + 4);
        if (recordBytes < kEmfRecordHeaderSize || recordBytes % 4 != 0)
            throwInvalidImage(kEmf, "a record has an impossible size");
        if (!reader.contains(at, recordBytes))
            throwInvalidImage(kEmf, "the data ends early");
        if (type == kEmrEof)
            break;
        if (type == kEmrSetWindowExtEx && recordBytes >= kEmfRecordHeaderSize + 8) {
            extentWidth = reader.i32(at + 8);
            extentHeight = reader.i32(at + 12);
        }
        at += recordBytes;
    }

    const int64_t frameWidth = int64_t{reader.i32(32)} - reader.i32(24);
    const int64_t frameHeight = int64_t{reader.i32(36)} - reader.i32(28);
    if (frameWidth > 0 && frameHeight > 0)
        return metafileInfo(OfficeImageFormat::Emf, scaledSize(frameWidth, frameHeight, 1));

    const int64_t boundsWidth = int64_t{reader.i32(16)} - reader.i32(8);
    const int64_t boundsHeight = int64_t{reader.i32(20)} - reader.i32(12);
    if (boundsWidth > 0 && boundsHeight > 0) {
        const int32_t devicePixelsWide = reader.i32(72);
        const int32_t devicePixelsHigh = reader.i32(76);
        const int32_t deviceMillimetersWide = reader.i32(80);
        const int32_t deviceMillimetersHigh = reader.i32(84);
        if (devicePixelsWide > 0 && devicePixelsHigh > 0 && deviceMillimetersWide > 0 && deviceMillimetersHigh > 0) {
            return metafileInfo(OfficeImageFormat::Emf,
                                {scaled(boundsWidth, 100.0 * deviceMillimetersWide / devicePixelsWide),
                                 scaled(boundsHeight, 100.0 * deviceMillimetersHigh / devicePixelsHigh)});
        }
        return metafileInfo(OfficeImageFormat::Emf,
                            scaledSize(boundsWidth, boundsHeight, kHundredthsPerInch / kDefaultImageDpi));
    }
    if (extentWidth != 0 && extentHeight != 0)
        return metafileInfo(OfficeImageFormat::Emf,
                            scaledSize(extentWidth, extentHeight, kHundredthsPerInch / kDefaultImageDpi));
    return metafileInfo(OfficeImageFormat::Emf, {});
}

} // namespace velmo::platform
