#include "platform/codecs/png_codec.h"

#include "platform/codecs/codecs_internal.h"

#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

// libpng reports errors by calling our handler, which must not return: it leaves through png_longjmp
// back to the setjmp in the small functions below. Nothing between the setjmp and the jump has a
// destructor (the callbacks keep their state in a plain struct and never throw), so no C++ object is
// skipped, and every buffer libpng writes into belongs to the caller of those functions.

namespace velmo::platform {
namespace {

constexpr std::string_view kPng = "PNG";
/// Bounds for ancillary chunks (text, ICC profiles): their size, decompressed, and how many are kept.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{8} << 20;
constexpr png_uint_32 kMaxCachedChunks = 1000;

/// State shared with the libpng callbacks; trivially destructible.
struct PngContext {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t offset = 0;
    std::vector<uint8_t>* output = nullptr;
    char message[200] = {};
};

void recordFirstMessage(PngContext& context, const char* message) noexcept
{
    if (context.message[0] == '\0')
        std::snprintf(context.message, sizeof context.message, "%s", message != nullptr ? message : "");
}

[[noreturn]] void onPngError(png_structp png, png_const_charp message)
{
    recordFirstMessage(*static_cast<PngContext*>(png_get_error_ptr(png)), message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void readFromMemory(png_structp png, png_bytep out, size_t length)
{
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    if (length > context->size - context->offset) {
        recordFirstMessage(*context, "the data ends early");
        png_error(png, "the data ends early");
    }
    std::memcpy(out, context->data + context->offset, length);
    context->offset += length;
}

bool appendBytes(std::vector<uint8_t>& output, const uint8_t* data, size_t length) noexcept
{
    try {
        output.insert(output.end(), data, data + length);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void writeToMemory(png_structp png, png_bytep data, size_t length)
{
    auto* context = static_cast<PngContext*>(png_get_io_ptr(png));
    if (!appendBytes(*context->output, data, length))
        png_error(png, "out of memory");
}

void flushNothing(png_structp) {}

[[noreturn]] void throwPngError(const PngContext& context)
{
    throwInvalidImage(kPng, context.message[0] != '\0' ? context.message : "the data is corrupt");
}

/// Owns a libpng read structure whose input is the context's bytes.
class PngReadStruct {
public:
    explicit PngReadStruct(PngContext& context)
    {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, onPngError, onPngWarning);
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
        if (png_ == nullptr || info_ == nullptr) {
            png_destroy_read_struct(&png_, &info_, nullptr);
            throw std::bad_alloc();
        }
        png_set_read_fn(png_, &context, readFromMemory);
        png_set_chunk_malloc_max(png_, kMaxChunkBytes);
        png_set_chunk_cache_max(png_, kMaxCachedChunks);
    }
    ~PngReadStruct() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReadStruct(const PngReadStruct&) = delete;
    PngReadStruct& operator=(const PngReadStruct&) = delete;

    [[nodiscard]] png_structp png() const noexcept { return png_; }
    [[nodiscard]] png_infop info() const noexcept { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

/// Owns a libpng write structure whose output is the context's vector.
class PngWriteStruct {
public:
    explicit PngWriteStruct(PngContext& context)
    {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, onPngError, onPngWarning);
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
        if (png_ == nullptr || info_ == nullptr) {
            png_destroy_write_struct(&png_, &info_);
            throw std::bad_alloc();
        }
        png_set_write_fn(png_, &context, writeToMemory, flushNothing);
    }
    ~PngWriteStruct() { png_destroy_write_struct(&png_, &info_); }
    PngWriteStruct(const PngWriteStruct&) = delete;
    PngWriteStruct& operator=(const PngWriteStruct&) = delete;

    [[nodiscard]] png_structp png() const noexcept { return png_; }
    [[nodiscard]] png_infop info() const noexcept { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

bool readChunksBeforeImage(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    return true;
}

/// Asks libpng for 8-bit RGBA whatever the file stores.
bool requestRgba(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool readRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    return true;
}

/// Dots per metre for a pHYs chunk; 0 for a resolution that is not a sensible positive number.
png_uint_32 dotsPerMeter(double dpi) noexcept
{
    const double density = std::nearbyint(dpi * kInchesPerMeter);
    return density >= 1 && density <= 0x7FFFFFFF ? static_cast<png_uint_32>(density) : 0;
}

bool writeRgba(png_structp png, png_infop info, const RgbaImage& image, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const png_uint_32 horizontal = dotsPerMeter(image.resolution.horizontal);
    const png_uint_32 vertical = dotsPerMeter(image.resolution.vertical);
    if (horizontal != 0 && vertical != 0)
        png_set_pHYs(png, info, horizontal, vertical, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

ImageInfo infoOf(png_structp png, png_infop info)
{
    ImageInfo result;
    result.format = OfficeImageFormat::Png;
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    checkImageSize(kPng, width, height);
    result.sizeInPixels = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
    png_uint_32 horizontal = 0;
    png_uint_32 vertical = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    if (png_get_pHYs(png, info, &horizontal, &vertical, &unit) != 0 && unit == PNG_RESOLUTION_METER) {
        result.resolution = plausibleResolution(dpiFromDensity(horizontal, kInchesPerMeter),
                                                dpiFromDensity(vertical, kInchesPerMeter))
                                .value_or(ImageResolution{});
    }
    return result;
}

} // namespace

ImageInfo readPngInfo(std::span<const uint8_t> bytes)
{
    PngContext context{bytes.data(), bytes.size()};
    const PngReadStruct reader(context);
    if (!readChunksBeforeImage(reader.png(), reader.info()))
        throwPngError(context);
    return infoOf(reader.png(), reader.info());
}

RgbaImage decodePng(std::span<const uint8_t> bytes)
{
    PngContext context{bytes.data(), bytes.size()};
    const PngReadStruct reader(context);
    if (!readChunksBeforeImage(reader.png(), reader.info()))
        throwPngError(context);
    const ImageInfo info = infoOf(reader.png(), reader.info());
    if (!requestRgba(reader.png(), reader.info()))
        throwPngError(context);
    const size_t rowBytes = static_cast<size_t>(info.sizeInPixels.width) * 4;
    if (png_get_rowbytes(reader.png(), reader.info()) != rowBytes)
        throwInvalidImage(kPng, "the pixel layout is not supported");

    RgbaImage image = makeTransparentImage(info.sizeInPixels.width, info.sizeInPixels.height, info.resolution);
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = image.pixels.data() + y * rowBytes;
    if (!readRows(reader.png(), rows.data()))
        throwPngError(context);
    return image;
}

std::vector<uint8_t> encodePng(const RgbaImage& image)
{
    checkImageToEncode(kPng, image);
    std::vector<uint8_t> output;
    PngContext context;
    context.output = &output;
    const PngWriteStruct writer(context);
    const size_t rowBytes = static_cast<size_t>(image.width) * 4;
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(image.pixels.data() + y * rowBytes); // libpng only reads the rows
    if (!writeRgba(writer.png(), writer.info(), image, rows.data()))
        throwPngError(context);
    return output;
}

} // namespace velmo::platform
