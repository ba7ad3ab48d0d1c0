#include "platform/codecs/jpeg_codec.h"

#include "platform/codecs/codecs_internal.h"
#include "platform/codecs/exif_resolution.h"

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports fatal errors through error_exit, which must not return: ours jumps back to the setjmp
// in the small functions below. Nothing between them has a destructor (the handlers keep their state in
// plain structs and never throw), and every buffer libjpeg writes into belongs to their callers.

namespace velmo::platform {
namespace {

constexpr std::string_view kJpeg = "JPEG";
/// Progressive files may split the picture into many scans, each a pass over all coefficients; real
/// encoders use about ten. More than this is a file built to keep the decoder busy.
constexpr int kMaxScans = 256;
/// Working memory libjpeg may take beyond the output (coefficients of progressive files).
constexpr long kMaxWorkingMemory = 1024L << 20;
constexpr unsigned kMaxMarkerLength = 0xFFFF;

/// libjpeg's error manager with the jump target and the first message; trivially destructible.
struct JpegErrors {
    jpeg_error_mgr base{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
};

JpegErrors& errorsOf(j_common_ptr info) noexcept
{
    return *reinterpret_cast<JpegErrors*>(info->err);
}

[[noreturn]] void failWith(j_common_ptr info, const char* message) noexcept
{
    JpegErrors& errors = errorsOf(info);
    if (errors.message[0] == '\0')
        std::snprintf(errors.message, sizeof errors.message, "%s", message);
    std::longjmp(errors.jump, 1);
}

[[noreturn]] void onJpegErrorExit(j_common_ptr info)
{
    char message[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, message);
    failWith(info, message);
}

/// Warnings are tolerated (many real files have stray bytes between segments), except the end of the
/// data: past it libjpeg would invent grey pixels.
void onJpegMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        failWith(info, "the data ends early");
}

void onJpegOutputMessage(j_common_ptr) {}

void onJpegProgress(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        failWith(info, "the picture has too many scans");
}

void installErrorHandlers(JpegErrors& errors) noexcept
{
    jpeg_std_error(&errors.base);
    errors.base.error_exit = onJpegErrorExit;
    errors.base.emit_message = onJpegMessage;
    errors.base.output_message = onJpegOutputMessage;
}

/// Owns a libjpeg decompressor; its error manager and progress monitor live as long as it does.
class JpegDecompressor {
public:
    JpegDecompressor() noexcept
    {
        installErrorHandlers(errors_);
        info_.err = &errors_.base;
        progress_.progress_monitor = onJpegProgress;
    }
    ~JpegDecompressor() { jpeg_destroy_decompress(&info_); }
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    [[nodiscard]] j_decompress_ptr info() noexcept { return &info_; }
    [[nodiscard]] JpegErrors& errors() noexcept { return errors_; }
    [[nodiscard]] jpeg_progress_mgr* progress() noexcept { return &progress_; }
    [[noreturn]] void throwError() const
    {
        throwInvalidImage(kJpeg, errors_.message[0] != '\0' ? errors_.message : "the data is corrupt");
    }

private:
    JpegErrors errors_;
    jpeg_progress_mgr progress_{};
    jpeg_decompress_struct info_{};
};

bool readHeader(JpegDecompressor& decompressor, std::span<const uint8_t> bytes)
{
    j_decompress_ptr info = decompressor.info();
    if (setjmp(decompressor.errors().jump))
        return false;
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxWorkingMemory;
    info->progress = decompressor.progress();
    jpeg_mem_src(info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_save_markers(info, JPEG_APP0 + 1, kMaxMarkerLength);
    jpeg_read_header(info, TRUE);
    return true;
}

bool isCmyk(J_COLOR_SPACE space) noexcept
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

bool startDecompress(JpegDecompressor& decompressor)
{
    j_decompress_ptr info = decompressor.info();
    if (setjmp(decompressor.errors().jump))
        return false;
    info->out_color_space = isCmyk(info->jpeg_color_space) ? JCS_CMYK : JCS_EXT_RGBA;
    jpeg_start_decompress(info);
    return true;
}

/// Ink to light. Adobe's encoders, the usual source of CMYK JPEGs, store the inks inverted.
void cmykToRgba(const uint8_t* cmyk, uint8_t* rgba, size_t pixels, bool inverted) noexcept
{
    for (size_t i = 0; i < pixels; ++i, cmyk += 4, rgba += 4) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int channel = 0; channel < 3; ++channel) {
            const unsigned ink = inverted ? cmyk[channel] : 255u - cmyk[channel];
            rgba[channel] = static_cast<uint8_t>((ink * k + 127) / 255);
        }
        rgba[3] = 255;
    }
}

/// Reads every row into `pixels`; CMYK rows pass through `cmykRow` (4 bytes a pixel) first.
bool readRows(JpegDecompressor& decompressor, uint8_t* pixels, uint8_t* cmykRow)
{
    j_decompress_ptr info = decompressor.info();
    if (setjmp(decompressor.errors().jump))
        return false;
    const size_t rowBytes = static_cast<size_t>(info->output_width) * 4;
    while (info->output_scanline < info->output_height) {
        uint8_t* target = pixels + static_cast<size_t>(info->output_scanline) * rowBytes;
        JSAMPROW row = cmykRow != nullptr ? cmykRow : target;
        if (jpeg_read_scanlines(info, &row, 1) != 1)
            failWith(reinterpret_cast<j_common_ptr>(info), "the data ends early");
        if (cmykRow != nullptr)
            cmykToRgba(cmykRow, target, info->output_width, info->saw_Adobe_marker);
    }
    return true;
}

std::optional<ImageResolution> jfifResolution(const jpeg_decompress_struct& info)
{
    if (!info.saw_JFIF_marker || (info.density_unit != 1 && info.density_unit != 2))
        return std::nullopt;
    const double inchesPerUnit = info.density_unit == 1 ? 1 : kInchesPerCentimeter;
    return plausibleResolution(dpiFromDensity(info.X_density, inchesPerUnit),
                               dpiFromDensity(info.Y_density, inchesPerUnit));
}

ImageResolution resolutionOf(const jpeg_decompress_struct& info)
{
    if (const std::optional<ImageResolution> jfif = jfifResolution(info))
        return *jfif;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next) {
        if (marker->marker != JPEG_APP0 + 1)
            continue;
        if (const std::optional<ImageResolution> exif = readExifResolution({marker->data, marker->data_length}))
            return *exif;
    }
    return {};
}

ImageInfo infoOf(const jpeg_decompress_struct& info)
{
    checkImageSize(kJpeg, info.image_width, info.image_height);
    ImageInfo result;
    result.format = OfficeImageFormat::Jpeg;
    result.sizeInPixels = {static_cast<int32_t>(info.image_width), static_cast<int32_t>(info.image_height)};
    result.resolution = resolutionOf(info);
    return result;
}

/// Owns a libjpeg compressor and the memory its output is written to.
class JpegCompressor {
public:
    JpegCompressor() noexcept
    {
        installErrorHandlers(errors_);
        info_.err = &errors_.base;
    }
    ~JpegCompressor()
    {
        jpeg_destroy_compress(&info_);
        std::free(output_);
    }
    JpegCompressor(const JpegCompressor&) = delete;
    JpegCompressor& operator=(const JpegCompressor&) = delete;

    [[nodiscard]] j_compress_ptr info() noexcept { return &info_; }
    [[nodiscard]] JpegErrors& errors() noexcept { return errors_; }
    [[nodiscard]] unsigned char** output() noexcept { return &output_; }
    [[nodiscard]] unsigned long* outputSize() noexcept { return &outputSize_; }
    [[nodiscard]] std::vector<uint8_t> bytes() const { return std::vector<uint8_t>(output_, output_ + outputSize_); }
    [[noreturn]] void throwError() const
    {
        throwInvalidImage(kJpeg, errors_.message[0] != '\0' ? errors_.message : "the picture cannot be encoded");
    }

private:
    JpegErrors errors_;
    jpeg_compress_struct info_{};
    unsigned char* output_ = nullptr; // malloc'd by libjpeg's memory destination
    unsigned long outputSize_ = 0;
};

/// A JFIF density: whole dots per inch, 1 to 65535.
UINT16 jfifDensity(double dpi) noexcept
{
    const double rounded = std::nearbyint(dpi);
    return rounded >= 1 && rounded <= 0xFFFF ? static_cast<UINT16>(rounded) : 96;
}

void layOverWhite(const uint8_t* rgba, uint8_t* rgb, size_t pixels) noexcept
{
    for (size_t i = 0; i < pixels; ++i, rgba += 4, rgb += 3) {
        const unsigned alpha = rgba[3];
        for (int channel = 0; channel < 3; ++channel)
            rgb[channel] = static_cast<uint8_t>((rgba[channel] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
}

bool compress(JpegCompressor& compressor, const RgbaImage& image, int quality, uint8_t* rgbRow)
{
    j_compress_ptr info = compressor.info();
    if (setjmp(compressor.errors().jump))
        return false;
    jpeg_create_compress(info);
    jpeg_mem_dest(info, compressor.output(), compressor.outputSize());
    info->image_width = static_cast<JDIMENSION>(image.width);
    info->image_height = static_cast<JDIMENSION>(image.height);
    info->input_components = 3;
    info->in_color_space = JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    info->write_JFIF_header = TRUE;
    info->density_unit = 1;
    info->X_density = jfifDensity(image.resolution.horizontal);
    info->Y_density = jfifDensity(image.resolution.vertical);
    jpeg_start_compress(info, TRUE);
    const size_t width = static_cast<size_t>(image.width);
    while (info->next_scanline < info->image_height) {
        layOverWhite(image.pixels.data() + info->next_scanline * width * 4, rgbRow, width);
        JSAMPROW row = rgbRow;
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

ImageInfo readJpegInfo(std::span<const uint8_t> bytes)
{
    JpegDecompressor decompressor;
    if (!readHeader(decompressor, bytes))
        decompressor.throwError();
    return infoOf(*decompressor.info());
}

RgbaImage decodeJpeg(std::span<const uint8_t> bytes)
{
    JpegDecompressor decompressor;
    if (!readHeader(decompressor, bytes))
        decompressor.throwError();
    const ImageInfo info = infoOf(*decompressor.info());
    if (!startDecompress(decompressor))
        decompressor.throwError();
    const jpeg_decompress_struct& state = *decompressor.info();
    if (state.output_width != static_cast<JDIMENSION>(info.sizeInPixels.width) ||
        state.output_height != static_cast<JDIMENSION>(info.sizeInPixels.height) || state.output_components != 4)
        throwInvalidImage(kJpeg, "the pixel layout is not supported");

    RgbaImage image = makeTransparentImage(info.sizeInPixels.width, info.sizeInPixels.height, info.resolution);
    std::vector<uint8_t> cmykRow(isCmyk(state.jpeg_color_space) ? image.pixels.size() / image.height : 0);
    if (!readRows(decompressor, image.pixels.data(), cmykRow.empty() ? nullptr : cmykRow.data()))
        decompressor.throwError();
    return image;
}

std::vector<uint8_t> encodeJpeg(const RgbaImage& image, int quality)
{
    checkImageToEncode(kJpeg, image);
    if (quality < 1 || quality > 100)
        throwInvalidImage(kJpeg, "the quality " + std::to_string(quality) + " is not between 1 and 100");
    JpegCompressor compressor;
    std::vector<uint8_t> rgbRow(static_cast<size_t>(image.width) * 3);
    if (!compress(compressor, image, quality, rgbRow.data()))
        compressor.throwError();
    return compressor.bytes();
}

} // namespace velmo::platform
