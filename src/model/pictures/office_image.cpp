#include "model/pictures/office_image.h"

#include "core/editor_exception.h"
#include "model/document_model_unit_converter.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>

namespace velmo::model {

namespace {

constexpr uint32_t kPlaceholderFill = 0xF0F0F0FF;   // RGBA
constexpr uint32_t kPlaceholderFrame = 0x000000FF;  // opaque black

int32_t atLeastOne(int64_t value) noexcept
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, 1, INT32_MAX));
}

/// A light box with a one-pixel black frame around the whole picture.
platform::RgbaImage placeholderPixels(platform::ImageSize size)
{
    platform::RgbaImage image;
    image.width = size.width;
    image.height = size.height;
    image.pixels.resize(static_cast<size_t>(size.width) * static_cast<size_t>(size.height) * 4);
    for (int32_t y = 0; y < size.height; ++y) {
        for (int32_t x = 0; x < size.width; ++x) {
            const bool frame = x == 0 || y == 0 || x == size.width - 1 || y == size.height - 1;
            const uint32_t color = frame ? kPlaceholderFrame : kPlaceholderFill;
            uint8_t* pixel = image.pixels.data() + (static_cast<size_t>(y) * static_cast<size_t>(size.width) + static_cast<size_t>(x)) * 4;
            pixel[0] = static_cast<uint8_t>(color >> 24);
            pixel[1] = static_cast<uint8_t>(color >> 16);
            pixel[2] = static_cast<uint8_t>(color >> 8);
            pixel[3] = static_cast<uint8_t>(color);
        }
    }
    return image;
}

} // namespace

std::unique_ptr<OfficeImage> OfficeImage::createImage(const platform::IImageCodec& codec, std::span<const uint8_t> bytes,
                                                      std::string* error)
{
    try {
        const platform::ImageInfo info = codec.readInfo(bytes);
        // Raster data is decoded once here, so that damage past the headers shows now and not when
        // the picture is drawn. The codec caps sizes before it allocates.
        if (!platform::isMetafileFormat(info.format))
            (void)codec.decode(bytes);
        return std::unique_ptr<OfficeImage>(new OfficeImage(std::vector<uint8_t>(bytes.begin(), bytes.end()), info));
    } catch (const core::EditorException& failure) {
        if (error)
            *error = failure.what();
    } catch (const std::bad_alloc&) {
        if (error)
            *error = "Not enough memory to read the picture";
    }
    return nullptr;
}

std::unique_ptr<OfficeImage> OfficeImage::createUnreadable(const platform::IImageCodec* codec, std::span<const uint8_t> bytes,
                                                           std::string error)
{
    platform::ImageInfo info;
    info.format = codec ? codec->detectFormat(bytes) : OfficeImageFormat::None;
    info.sizeInPixels = {kPlaceholderSide, kPlaceholderSide};
    if (codec) {
        // The headers may still tell the size even when the data behind them is damaged.
        try {
            const platform::ImageInfo headers = codec->readInfo(bytes);
            if (headers.sizeInPixels.width > 0 && headers.sizeInPixels.height > 0)
                info = headers;
        } catch (const core::EditorException&) {
        }
    }
    auto image = std::unique_ptr<OfficeImage>(new OfficeImage(std::vector<uint8_t>(bytes.begin(), bytes.end()), info));
    image->loadError_ = error.empty() ? std::string("The picture could not be read") : std::move(error);
    return image;
}

std::unique_ptr<OfficeImage> OfficeImage::createPlaceholder(const platform::IImageCodec* codec, platform::ImageSize pixelSize)
{
    platform::ImageInfo info;
    info.format = OfficeImageFormat::Png;
    info.sizeInPixels.width = pixelSize.width > 0 ? std::min(pixelSize.width, platform::kMaxImageSide) : kPlaceholderSide;
    info.sizeInPixels.height = pixelSize.height > 0 ? std::min(pixelSize.height, platform::kMaxImageSide) : kPlaceholderSide;
    std::vector<uint8_t> bytes;
    if (codec) {
        // The size comes from the document: the box is drawn no larger than kMaxPlaceholderDrawnSide
        // a side, so a hostile target size costs no memory.
        const platform::ImageSize drawn{std::min(info.sizeInPixels.width, kMaxPlaceholderDrawnSide),
                                        std::min(info.sizeInPixels.height, kMaxPlaceholderDrawnSide)};
        bytes = codec->encodePng(placeholderPixels(drawn));
    }
    auto image = std::unique_ptr<OfficeImage>(new OfficeImage(std::move(bytes), info));
    image->isLoaded_ = false;
    return image;
}

std::unique_ptr<OfficeImage> OfficeImage::clone() const
{
    auto copy = std::unique_ptr<OfficeImage>(new OfficeImage(bytes_, info_));
    copy->loadError_ = loadError_;
    copy->crc32_ = crc32_;
    copy->uri_ = uri_;
    copy->isLoaded_ = isLoaded_;
    copy->suppressStore_ = suppressStore_;
    copy->suppressStorePlaceholder_ = suppressStorePlaceholder_;
    return copy;
}

bool OfficeImage::hasSameContent(const OfficeImage& other) const noexcept
{
    return isLoaded_ == other.isLoaded_ && loadError_ == other.loadError_ && info_.sizeInPixels == other.info_.sizeInPixels &&
           bytes_ == other.bytes_;
}

double OfficeImage::horizontalResolution() const noexcept
{
    const double dpi = info_.resolution.horizontal;
    return isMetafile() || !(dpi > 0) ? platform::kDefaultImageDpi : dpi;
}

double OfficeImage::verticalResolution() const noexcept
{
    const double dpi = info_.resolution.vertical;
    return isMetafile() || !(dpi > 0) ? platform::kDefaultImageDpi : dpi;
}

platform::ImageSize OfficeImage::sizeInPixels() const noexcept
{
    return {atLeastOne(info_.sizeInPixels.width), atLeastOne(info_.sizeInPixels.height)};
}

Size OfficeImage::sizeInOriginalUnits() const noexcept
{
    if (isMetafile())
        return sizeInHundredthsOfMillimeter();
    const platform::ImageSize pixels = sizeInPixels();
    return {pixels.width, pixels.height};
}

Size OfficeImage::sizeInTwips() const noexcept
{
    if (isMetafile()) {
        const Size hundredths = sizeInHundredthsOfMillimeter();
        return {atLeastOne(int64_t{hundredths.width} * 72 / 127), atLeastOne(int64_t{hundredths.height} * 72 / 127)};
    }
    const platform::ImageSize pixels = sizeInPixels();
    return {atLeastOne(static_cast<int64_t>(std::trunc(pixels.width * 1440.0 / horizontalResolution()))),
            atLeastOne(static_cast<int64_t>(std::trunc(pixels.height * 1440.0 / verticalResolution())))};
}

Size OfficeImage::sizeInHundredthsOfMillimeter() const noexcept
{
    if (isMetafile()) {
        const platform::ImageSize stored = info_.metafileSizeInHundredthsOfMillimeter;
        return {atLeastOne(stored.width), atLeastOne(stored.height)};
    }
    const platform::ImageSize pixels = sizeInPixels();
    return {atLeastOne(roundHalfToEven(pixels.width / horizontalResolution() * 2540)),
            atLeastOne(roundHalfToEven(pixels.height / verticalResolution() * 2540))};
}

void OfficeImage::setMetafileSizeInHundredthsOfMillimeter(Size size) noexcept
{
    info_.metafileSizeInHundredthsOfMillimeter = {size.width, size.height};
}

uint32_t OfficeImage::crc32() const
{
    if (!crc32_) {
        uLong crc = ::crc32_z(0L, Z_NULL, 0);
        crc = ::crc32_z(crc, bytes_.data(), bytes_.size());
        crc32_ = static_cast<uint32_t>(crc);
    }
    return *crc32_;
}

std::vector<uint8_t> OfficeImage::imageBytes(const platform::IImageCodec& codec, OfficeImageFormat format) const
{
    if (format == rawFormat())
        return bytes_;
    if (isMetafile() || !loadError_.empty() || (format != OfficeImageFormat::Png && format != OfficeImageFormat::Jpeg))
        throw core::EditorException::formatNotSupported();
    const platform::RgbaImage pixels = codec.decode(bytes_);
    constexpr int kJpegQuality = 90;
    return format == OfficeImageFormat::Png ? codec.encodePng(pixels) : codec.encodeJpeg(pixels, kJpegQuality);
}

std::vector<uint8_t> OfficeImage::imageBytesSafe(const platform::IImageCodec& codec, OfficeImageFormat format) const
{
    try {
        return imageBytes(codec, format);
    } catch (const core::EditorException&) {
        return bytes_;
    }
}

std::string_view OfficeImage::contentType(OfficeImageFormat format) noexcept
{
    switch (format) {
    case OfficeImageFormat::None: return {};
    case OfficeImageFormat::Bmp: return "image/bitmap";
    case OfficeImageFormat::Emf: return "application/x-msmetafile";
    case OfficeImageFormat::Exif: return {};
    case OfficeImageFormat::Gif: return "image/gif";
    case OfficeImageFormat::Icon: return "image/x-icon";
    case OfficeImageFormat::Jpeg: return "image/jpeg";
    case OfficeImageFormat::MemoryBmp: return "image/bitmap";
    case OfficeImageFormat::Png: return "image/png";
    case OfficeImageFormat::Tiff: return "image/tiff";
    case OfficeImageFormat::Wmf: return "application/x-msmetafile";
    }
    return {};
}

std::string_view OfficeImage::extension(OfficeImageFormat format) noexcept
{
    switch (format) {
    case OfficeImageFormat::None: return {};
    case OfficeImageFormat::Bmp: return "bmp";
    case OfficeImageFormat::Emf: return "emf";
    case OfficeImageFormat::Exif: return {};
    case OfficeImageFormat::Gif: return "gif";
    case OfficeImageFormat::Icon: return "ico";
    case OfficeImageFormat::Jpeg: return "jpg";
    case OfficeImageFormat::MemoryBmp: return "bmp";
    case OfficeImageFormat::Png: return "png";
    case OfficeImageFormat::Tiff: return "tif";
    case OfficeImageFormat::Wmf: return "wmf";
    }
    return {};
}

} // namespace velmo::model
