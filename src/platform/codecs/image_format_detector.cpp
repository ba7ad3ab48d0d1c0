#include "platform/codecs/image_format_detector.h"

#include "platform/codecs/bmp_decoder.h"
#include "platform/codecs/codecs_internal.h"

#include <algorithm>
#include <array>

namespace velmo::platform {
namespace {

bool startsWith(std::span<const uint8_t> bytes, std::span<const uint8_t> signature) noexcept
{
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::array<uint8_t, 3> kJpegSignature = {0xFF, 0xD8, 0xFF};
constexpr std::array<uint8_t, 6> kGif87Signature = {'G', 'I', 'F', '8', '7', 'a'};
constexpr std::array<uint8_t, 6> kGif89Signature = {'G', 'I', 'F', '8', '9', 'a'};
constexpr std::array<uint8_t, 4> kTiffIntelSignature = {'I', 'I', 42, 0};
constexpr std::array<uint8_t, 4> kTiffMotorolaSignature = {'M', 'M', 0, 42};
constexpr std::array<uint8_t, 4> kBigTiffIntelSignature = {'I', 'I', 43, 0};
constexpr std::array<uint8_t, 4> kBigTiffMotorolaSignature = {'M', 'M', 0, 43};

constexpr uint32_t kPlaceableWmfKey = 0x9AC6CDD7;
constexpr uint32_t kEmfHeaderType = 1;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr size_t kEmfSignatureOffset = 40;

bool isIcon(const LittleEndianReader& reader) noexcept
{
    const uint16_t type = reader.u16(2);
    return reader.contains(0, 6 + 16) && reader.u16(0) == 0 && (type == 1 || type == 2) && reader.u16(4) > 0;
}

bool isWindowsMetafile(const LittleEndianReader& reader) noexcept
{
    if (reader.u32(0) == kPlaceableWmfKey)
        return true;
    const uint16_t type = reader.u16(0);
    const uint16_t version = reader.u16(4);
    return reader.contains(0, 18) && (type == 1 || type == 2) && reader.u16(2) == 9 &&
           (version == 0x0100 || version == 0x0300);
}

} // namespace

OfficeImageFormat detectImageFormat(std::span<const uint8_t> bytes) noexcept
{
    const LittleEndianReader reader(bytes);
    if (startsWith(bytes, kPngSignature))
        return OfficeImageFormat::Png;
    if (startsWith(bytes, kJpegSignature))
        return OfficeImageFormat::Jpeg;
    if (startsWith(bytes, kGif87Signature) || startsWith(bytes, kGif89Signature))
        return OfficeImageFormat::Gif;
    if (startsWith(bytes, kTiffIntelSignature) || startsWith(bytes, kTiffMotorolaSignature) ||
        startsWith(bytes, kBigTiffIntelSignature) || startsWith(bytes, kBigTiffMotorolaSignature))
        return OfficeImageFormat::Tiff;
    if (looksLikeBmpFile(bytes))
        return OfficeImageFormat::Bmp;
    if (reader.u32(0) == kEmfHeaderType && reader.u32(kEmfSignatureOffset) == kEmfSignature)
        return OfficeImageFormat::Emf;
    if (isWindowsMetafile(reader))
        return OfficeImageFormat::Wmf;
    if (isIcon(reader))
        return OfficeImageFormat::Icon;
    if (looksLikeDibHeader(bytes))
        return OfficeImageFormat::MemoryBmp;
    return OfficeImageFormat::None;
}

} // namespace velmo::platform
