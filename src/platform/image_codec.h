#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velmo::platform {

/// Picture formats, numbered as documents and writers store them. Detection yields None, Bmp, MemoryBmp
/// (a bare device-independent bitmap without a file header, as the clipboard carries it), Emf, Gif, Icon,
/// Jpeg, Png, Tiff and Wmf; Exif is never detected (an Exif JPEG is Jpeg).
enum class OfficeImageFormat {
    None = 0,
    Bmp = 1,
    Emf = 2,
    Exif = 3,
    Gif = 4,
    Icon = 5,
    Jpeg = 6,
    MemoryBmp = 7,
    Png = 8,
    Tiff = 9,
    Wmf = 10,
};

/// True for the vector formats, whose bytes are kept as they are and never decoded to pixels.
[[nodiscard]] constexpr bool isMetafileFormat(OfficeImageFormat format) noexcept
{
    return format == OfficeImageFormat::Emf || format == OfficeImageFormat::Wmf;
}

/// A width and a height; the unit is given where it is used.
struct ImageSize {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

/// Dots per inch on each axis.
struct ImageResolution {
    double horizontal = 96;
    double vertical = 96;
    friend bool operator==(const ImageResolution&, const ImageResolution&) = default;
};

/// The resolution a picture has when its file names none; metafiles always have it.
inline constexpr double kDefaultImageDpi = 96;

/// Decoders refuse pictures beyond these bounds before allocating anything, so a header that claims a
/// huge picture costs nothing: at most 65536 pixels on a side and 64 Mi pixels (256 MiB of RGBA) in all.
inline constexpr int32_t kMaxImageSide = 0x10000;
inline constexpr int64_t kMaxImagePixels = 0x4000000;

/// What the headers of a picture tell without decoding its pixels.
struct ImageInfo {
    OfficeImageFormat format = OfficeImageFormat::None;
    /// Raster: the picture's pixels. Metafile: its physical size at 96 DPI, 0 x 0 when the file names none.
    ImageSize sizeInPixels;
    /// The file's own resolution, or kDefaultImageDpi when it names none (always so for metafiles).
    ImageResolution resolution;
    /// Metafiles only: the physical size in hundredths of a millimetre, 0 x 0 when the file names none.
    ImageSize metafileSizeInHundredthsOfMillimeter;
};

/// Decoded pixels: rows top to bottom, four bytes a pixel in the order red, green, blue, alpha, alpha not
/// premultiplied. `pixels` holds exactly width x height x 4 bytes.
struct RgbaImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
    ImageResolution resolution;
};

/// Reads and writes picture files. Every method is safe on hostile bytes: sizes are checked against the
/// limits above before anything is allocated, and bad data ends in core::EditorException, never a crash.
class IImageCodec {
public:
    virtual ~IImageCodec() = default;

    /// The format the bytes are in, judged by their signature; None when no format matches. Never throws.
    [[nodiscard]] virtual OfficeImageFormat detectFormat(std::span<const uint8_t> bytes) const = 0;
    /// Format, size and resolution from the headers (for metafiles, from their records). Throws
    /// core::EditorException: "File format is not supported" for an unknown format, else a message that
    /// starts "Invalid <format> image: " and says what is wrong.
    [[nodiscard]] virtual ImageInfo readInfo(std::span<const uint8_t> bytes) const = 0;
    /// The picture's pixels, from the first frame or page, and from the largest entry of an icon. Throws like
    /// readInfo, also for data that is truncated or corrupt past the headers. Metafiles have no pixels
    /// here: they give "File format is not supported".
    [[nodiscard]] virtual RgbaImage decode(std::span<const uint8_t> bytes) const = 0;
    /// A PNG file of the pixels, alpha kept, with the image's resolution. Throws core::EditorException when
    /// the image is empty, beyond the limits or its pixel buffer has the wrong size.
    [[nodiscard]] virtual std::vector<uint8_t> encodePng(const RgbaImage& image) const = 0;
    /// A JPEG file (JFIF, baseline, `quality` 1 to 100) of the pixels laid over white, since JPEG has no
    /// alpha, with the image's resolution. Throws like encodePng, and for a quality out of range.
    [[nodiscard]] virtual std::vector<uint8_t> encodeJpeg(const RgbaImage& image, int quality) const = 0;
};

} // namespace velmo::platform
