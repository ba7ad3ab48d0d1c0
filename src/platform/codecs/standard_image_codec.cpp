#include "platform/codecs/standard_image_codec.h"

#include "core/editor_exception.h"
#include "platform/codecs/bmp_decoder.h"
#include "platform/codecs/gif_decoder.h"
#include "platform/codecs/ico_decoder.h"
#include "platform/codecs/image_format_detector.h"
#include "platform/codecs/jpeg_codec.h"
#include "platform/codecs/metafile_reader.h"
#include "platform/codecs/png_codec.h"
#include "platform/codecs/tiff_decoder.h"

namespace velmo::platform {

OfficeImageFormat StandardImageCodec::detectFormat(std::span<const uint8_t> bytes) const
{
    return detectImageFormat(bytes);
}

ImageInfo StandardImageCodec::readInfo(std::span<const uint8_t> bytes) const
{
    const OfficeImageFormat format = detectImageFormat(bytes);
    switch (format) {
    case OfficeImageFormat::Png:
        return readPngInfo(bytes);
    case OfficeImageFormat::Jpeg:
        return readJpegInfo(bytes);
    case OfficeImageFormat::Gif:
        return readGifInfo(bytes);
    case OfficeImageFormat::Tiff:
        return readTiffInfo(bytes);
    case OfficeImageFormat::Bmp:
    case OfficeImageFormat::MemoryBmp:
        return readBmpInfo(bytes, format);
    case OfficeImageFormat::Icon:
        return readIconInfo(bytes);
    case OfficeImageFormat::Emf:
        return readEmfInfo(bytes);
    case OfficeImageFormat::Wmf:
        return readWmfInfo(bytes);
    case OfficeImageFormat::None:
    case OfficeImageFormat::Exif:
        break;
    }
    throw core::EditorException::formatNotSupported();
}

RgbaImage StandardImageCodec::decode(std::span<const uint8_t> bytes) const
{
    const OfficeImageFormat format = detectImageFormat(bytes);
    switch (format) {
    case OfficeImageFormat::Png:
        return decodePng(bytes);
    case OfficeImageFormat::Jpeg:
        return decodeJpeg(bytes);
    case OfficeImageFormat::Gif:
        return decodeGif(bytes);
    case OfficeImageFormat::Tiff:
        return decodeTiff(bytes);
    case OfficeImageFormat::Bmp:
    case OfficeImageFormat::MemoryBmp:
        return decodeBmp(bytes, format);
    case OfficeImageFormat::Icon:
        return decodeIcon(bytes);
    case OfficeImageFormat::Emf:
    case OfficeImageFormat::Wmf:
    case OfficeImageFormat::None:
    case OfficeImageFormat::Exif:
        break;
    }
    throw core::EditorException::formatNotSupported();
}

std::vector<uint8_t> StandardImageCodec::encodePng(const RgbaImage& image) const
{
    return platform::encodePng(image);
}

std::vector<uint8_t> StandardImageCodec::encodeJpeg(const RgbaImage& image, int quality) const
{
    return platform::encodeJpeg(image, quality);
}

} // namespace velmo::platform
