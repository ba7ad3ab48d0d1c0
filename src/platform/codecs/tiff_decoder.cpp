#include "platform/codecs/tiff_decoder.h"

#include "platform/codecs/codecs_internal.h"

#include <tiffio.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace velmo::platform {
namespace {

constexpr std::string_view kTiff = "TIFF";
/// Largest single allocation libtiff may make (strip and tile buffers, directories): the output limit.
constexpr tmsize_t kMaxSingleAllocation = static_cast<tmsize_t>(kMaxImagePixels) * 4;

/// The bytes libtiff reads through the procedures below, and the first error it reported.
struct TiffSource {
    std::span<const uint8_t> bytes;
    uint64_t offset = 0;
    char message[200] = {};
};

tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t size)
{
    auto* source = static_cast<TiffSource*>(handle);
    if (size <= 0 || source->offset >= source->bytes.size())
        return 0;
    const uint64_t available = std::min<uint64_t>(static_cast<uint64_t>(size), source->bytes.size() - source->offset);
    std::memcpy(buffer, source->bytes.data() + source->offset, available);
    source->offset += available;
    return static_cast<tmsize_t>(available);
}

tmsize_t writeProc(thandle_t, void*, tmsize_t)
{
    return 0;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* source = static_cast<TiffSource*>(handle);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = source->offset;
    else if (whence == SEEK_END)
        base = source->bytes.size();
    if (offset > UINT64_MAX - base)
        return static_cast<toff_t>(-1);
    source->offset = base + offset;
    return source->offset;
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    return static_cast<TiffSource*>(handle)->bytes.size();
}

int mapProc(thandle_t, void**, toff_t*)
{
    return 0;
}

void unmapProc(thandle_t, void*, toff_t) {}

/// libtiff's messages go to the source, never to the terminal; the first error is kept for the user.
int onTiffError(TIFF*, void* userData, const char*, const char* format, va_list arguments)
{
    auto* source = static_cast<TiffSource*>(userData);
    if (source->message[0] == '\0')
        std::vsnprintf(source->message, sizeof source->message, format, arguments);
    return 1;
}

int onTiffWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const noexcept { TIFFClose(tiff); }
};

struct TiffOptionsFreer {
    void operator()(TIFFOpenOptions* options) const noexcept { TIFFOpenOptionsFree(options); }
};

/// An open TIFF file over memory, at its first directory.
class TiffFile {
public:
    explicit TiffFile(std::span<const uint8_t> bytes) : source_{bytes}
    {
        const std::unique_ptr<TIFFOpenOptions, TiffOptionsFreer> options(TIFFOpenOptionsAlloc());
        if (options == nullptr)
            throw std::bad_alloc();
        TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxSingleAllocation);
        TIFFOpenOptionsSetErrorHandlerExtR(options.get(), onTiffError, &source_);
        TIFFOpenOptionsSetWarningHandlerExtR(options.get(), onTiffWarning, &source_);
        // "m": the bytes are already in memory, so libtiff must not try to map them.
        tiff_.reset(TIFFClientOpenExt("memory", "rm", &source_, readProc, writeProc, seekProc, closeProc, sizeProc,
                                      mapProc, unmapProc, options.get()));
        if (tiff_ == nullptr)
            throwError();
    }

    [[nodiscard]] TIFF* get() const noexcept { return tiff_.get(); }
    [[noreturn]] void throwError() const
    {
        throwInvalidImage(kTiff, source_.message[0] != '\0' ? source_.message : "the data is corrupt");
    }

private:
    TiffSource source_;
    std::unique_ptr<TIFF, TiffCloser> tiff_;
};

ImageResolution resolutionOf(TIFF* tiff)
{
    float horizontal = 0;
    float vertical = 0;
    uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &horizontal) != 1 ||
        TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &vertical) != 1 || (unit != RESUNIT_INCH && unit != RESUNIT_CENTIMETER))
        return {};
    const double scale = unit == RESUNIT_CENTIMETER ? 2.54 : 1;
    return plausibleResolution(horizontal * scale, vertical * scale).value_or(ImageResolution{});
}

ImageInfo infoOf(TIFF* tiff)
{
    uint32_t width = 0;
    uint32_t height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    checkImageSize(kTiff, width, height);
    ImageInfo info;
    info.format = OfficeImageFormat::Tiff;
    info.sizeInPixels = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
    info.resolution = resolutionOf(tiff);
    return info;
}

/// libtiff hands back alpha premultiplied; our pixels keep it apart.
void unpremultiply(std::vector<uint8_t>& pixels) noexcept
{
    for (size_t i = 0; i < pixels.size(); i += 4) {
        const unsigned alpha = pixels[i + 3];
        if (alpha == 0 || alpha == 255)
            continue;
        for (size_t channel = 0; channel < 3; ++channel)
            pixels[i + channel] = static_cast<uint8_t>(std::min(255u, (pixels[i + channel] * 255u + alpha / 2) / alpha));
    }
}

} // namespace

ImageInfo readTiffInfo(std::span<const uint8_t> bytes)
{
    const TiffFile file(bytes);
    return infoOf(file.get());
}

RgbaImage decodeTiff(std::span<const uint8_t> bytes)
{
    const TiffFile file(bytes);
    const ImageInfo info = infoOf(file.get());
    char reason[1024] = {};
    if (TIFFRGBAImageOK(file.get(), reason) != 1)
        throwInvalidImage(kTiff, reason[0] != '\0' ? reason : "the pixel layout is not supported");

    RgbaImage image = makeTransparentImage(info.sizeInPixels.width, info.sizeInPixels.height, info.resolution);
    std::vector<uint32_t> raster(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    if (TIFFReadRGBAImageOriented(file.get(), static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height),
                                  raster.data(), ORIENTATION_TOPLEFT, /*stop_on_error=*/1) != 1)
        file.throwError();
    for (size_t i = 0; i < raster.size(); ++i) {
        image.pixels[i * 4] = static_cast<uint8_t>(TIFFGetR(raster[i]));
        image.pixels[i * 4 + 1] = static_cast<uint8_t>(TIFFGetG(raster[i]));
        image.pixels[i * 4 + 2] = static_cast<uint8_t>(TIFFGetB(raster[i]));
        image.pixels[i * 4 + 3] = static_cast<uint8_t>(TIFFGetA(raster[i]));
    }
    unpremultiply(image.pixels);
    return image;
}

} // namespace velmo::platform
