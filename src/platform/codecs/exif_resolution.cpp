#include "platform/codecs/exif_resolution.h"

#include "platform/codecs/codecs_internal.h"


#include <algorithm>
#include <array>

namespace velmo::platform {
namespace {

constexpr std::array<uint8_t, 6> kExifStart = {'E', 'x', 'i', 'f', 0, 0};
constexpr uint16_t kXResolutionTag = 0x011A;
constexpr uint16_t kYResolutionTag = 0x011B;
constexpr uint16_t kResolutionUnitTag = 0x0128;
constexpr uint16_t kShortType = 3;
constexpr uint16_t kRationalType = 5;
constexpr size_t kEntrySize = 12;

/// Reads the TIFF structure inside the block in its own byte order; reads past the end yield 0.
class TiffReader {
public:
    TiffReader(std::span<const uint8_t> bytes, bool bigEndian) noexcept : bytes_(bytes), bigEndian_(bigEndian) {}
    [[nodiscard]] bool contains(size_t offset, size_t length) const noexcept
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    [[nodiscard]] uint16_t u16(size_t offset) const noexcept
    {
        if (!contains(offset, 2))
            return 0;
        const unsigned first = bytes_[offset];
        const unsigned second = bytes_[offset + 1];
        return static_cast<uint16_t>(bigEndian_ ? first << 8 | second : second << 8 | first);
    }
    [[nodiscard]] uint32_t u32(size_t offset) const noexcept
    {
        const uint32_t first = u16(offset);
        const uint32_t second = u16(offset + 2);
        return bigEndian_ ? first << 16 | second : second << 16 | first;
    }

private:
    std::span<const uint8_t> bytes_;
    bool bigEndian_;
};

std::optional<double> rationalAt(const TiffReader& tiff, size_t entry)
{
    if (tiff.u16(entry + 2) != kRationalType || tiff.u32(entry + 4) != 1)
        return std::nullopt;
    const size_t offset = tiff.u32(entry + 8);
    if (!tiff.contains(offset, 8))
        return std::nullopt;
    const uint32_t numerator = tiff.u32(offset);
    const uint32_t denominator = tiff.u32(offset + 4);
    if (numerator == 0 || denominator == 0)
        return std::nullopt;
    return static_cast<double>(numerator) / denominator;
}

} // namespace

std::optional<ImageResolution> readExifResolution(std::span<const uint8_t> app1) noexcept
{
    if (app1.size() < kExifStart.size() + 8 || !std::equal(kExifStart.begin(), kExifStart.end(), app1.begin()))
        return std::nullopt;
    const std::span<const uint8_t> block = app1.subspan(kExifStart.size());
    const bool bigEndian = block[0] == 'M' && block[1] == 'M';
    if (!bigEndian && !(block[0] == 'I' && block[1] == 'I'))
        return std::nullopt;
    const TiffReader tiff(block, bigEndian);
    const size_t directory = tiff.u32(4);
    const uint16_t count = tiff.u16(directory);
    if (!tiff.contains(directory + 2, size_t{count} * kEntrySize))
        return std::nullopt;

    std::optional<double> horizontal;
    std::optional<double> vertical;
    uint16_t unit = 2; // inches unless the block says otherwise
    for (uint16_t i = 0; i < count; ++i) {
        const size_t entry = directory + 2 + i * kEntrySize;
        switch (tiff.u16(entry)) {
        case kXResolutionTag:
            horizontal = rationalAt(tiff, entry);
            break;
        case kYResolutionTag:
            vertical = rationalAt(tiff, entry);
            break;
        case kResolutionUnitTag:
            if (tiff.u16(entry + 2) == kShortType)
                unit = tiff.u16(entry + 8);
            break;
        default:
            break;
        }
    }
    if (unit != 2 && unit != 3)
        return std::nullopt;
    const double scale = unit == 3 ? 2.54 : 1;
    if (!horizontal || !vertical)
        return std::nullopt;
    return plausibleResolution(*horizontal * scale, *vertical * scale);
}

} // namespace velmo::platform
