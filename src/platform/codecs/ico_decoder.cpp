#include "platform/codecs/ico_decoder.h"

#include "platform/codecs/bmp_decoder.h"
#include "platform/codecs/codecs_internal.h"
#include "platform/codecs/png_codec.h"

#include <algorithm>
#include <array>

namespace velmo::platform {
namespace {

constexpr std::string_view kIcon = "ICO";
constexpr size_t kDirectoryHeaderSize = 6;
constexpr size_t kDirectoryEntrySize = 16;
constexpr std::array<uint8_t, 4> kPngStart = {0x89, 'P', 'N', 'G'};

bool isPng(std::span<const uint8_t> entry) noexcept
{
    return entry.size() >= kPngStart.size() && std::equal(kPngStart.begin(), kPngStart.end(), entry.begin());
}

/// The bytes of the entry to show: the largest picture, then the most bits a pixel. Entries whose data lies
/// outside the file are passed over; sizes of 0 in the directory mean 256.
std::span<const uint8_t> bestEntry(std::span<const uint8_t> bytes)
{
    const LittleEndianReader reader(bytes);
    const uint16_t count = reader.u16(4);
    if (count == 0)
        throwInvalidImage(kIcon, "the icon has no entries");
    if (!reader.contains(kDirectoryHeaderSize, count * kDirectoryEntrySize))
        throwInvalidImage(kIcon, "the data ends early");

    std::span<const uint8_t> best;
    uint32_t bestArea = 0;
    uint16_t bestBitCount = 0;
    for (uint16_t i = 0; i < count; ++i) {
        const size_t entry = kDirectoryHeaderSize + i * kDirectoryEntrySize;
        const uint32_t width = reader.u8(entry) == 0 ? 256 : reader.u8(entry);
        const uint32_t height = reader.u8(entry + 1) == 0 ? 256 : reader.u8(entry + 1);
        const uint16_t bitCount = reader.u16(entry + 6);
        const uint32_t size = reader.u32(entry + 8);
        const uint32_t offset = reader.u32(entry + 12);
        if (size == 0 || !reader.contains(offset, size))
            continue;
        const uint32_t area = width * height;
        if (best.empty() || area > bestArea || (area == bestArea && bitCount > bestBitCount)) {
            best = bytes.subspan(offset, size);
            bestArea = area;
            bestBitCount = bitCount;
        }
    }
    if (best.empty())
        throwInvalidImage(kIcon, "the data ends early");
    return best;
}

} // namespace

ImageInfo readIconInfo(std::span<const uint8_t> bytes)
{
    const std::span<const uint8_t> entry = bestEntry(bytes);
    ImageInfo info;
    info.format = OfficeImageFormat::Icon;
    info.sizeInPixels = isPng(entry) ? readPngInfo(entry).sizeInPixels : readIconDibSize(entry);
    return info;
}

RgbaImage decodeIcon(std::span<const uint8_t> bytes)
{
    const std::span<const uint8_t> entry = bestEntry(bytes);
    RgbaImage image = isPng(entry) ? decodePng(entry) : decodeIconDib(entry);
    image.resolution = {};
    return image;
}

} // namespace velmo::platform
