#pragma once

#include "model/pictures/geometry.h"
#include "platform/image_codec.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::model {

using platform::OfficeImageFormat;

/// A picture a document holds: the bytes it is saved as, in their own format, and what the codec read
/// from them. The bytes never change; a document shares equal pictures through its ImageCache.
///
/// Three kinds share the class. A picture that decoded (raster) or whose records were walked (EMF,
/// WMF). A stand-in for a picture that could not be read: it keeps the original bytes, so saving
/// loses nothing, and says why in loadError(). And a placeholder shown while a linked picture is
/// fetched (isLoaded() false).
class OfficeImage {
public:
    /// Reads a picture. Null when the codec does not know the format or the data is damaged; then
    /// `error`, when given, receives the reason.
    [[nodiscard]] static std::unique_ptr<OfficeImage> createImage(const platform::IImageCodec& codec,
                                                                  std::span<const uint8_t> bytes,
                                                                  std::string* error = nullptr);
    /// A picture that could not be read: its bytes kept as they are, shown as a placeholder.
    [[nodiscard]] static std::unique_ptr<OfficeImage> createUnreadable(const platform::IImageCodec* codec,
                                                                       std::span<const uint8_t> bytes,
                                                                       std::string error);
    /// The placeholder of a linked picture still being fetched: a light box with a black frame of
    /// `pixelSize` (the default placeholder size where a side is 0 or less), not loaded. Its bytes are
    /// a PNG of that size, or of at most kMaxPlaceholderDrawnSide a side for a larger one; without a
    /// codec it has no bytes, and writers store nothing for it.
    [[nodiscard]] static std::unique_ptr<OfficeImage> createPlaceholder(const platform::IImageCodec* codec,
                                                                        platform::ImageSize pixelSize);

    /// Side of the default placeholder in pixels.
    static constexpr int32_t kPlaceholderSide = 32;
    static constexpr int32_t kMaxPlaceholderDrawnSide = 512;

    OfficeImage(const OfficeImage&) = delete;
    OfficeImage& operator=(const OfficeImage&) = delete;

    /// A copy for another document's cache (flags, checksum and load state included).
    [[nodiscard]] std::unique_ptr<OfficeImage> clone() const;

    [[nodiscard]] const std::vector<uint8_t>& bytes() const noexcept { return bytes_; }
    /// The format of bytes(); None for an unreadable picture whose format is unknown.
    [[nodiscard]] OfficeImageFormat rawFormat() const noexcept { return info_.format; }
    [[nodiscard]] bool isMetafile() const noexcept { return platform::isMetafileFormat(info_.format); }
    /// Why the picture could not be read; empty for a readable one.
    [[nodiscard]] const std::string& loadError() const noexcept { return loadError_; }
    /// Whether the bytes and their state are those of `other` (what makes two images one in a cache).
    [[nodiscard]] bool hasSameContent(const OfficeImage& other) const noexcept;

    // Sizes and resolution. Every size is at least 1 x 1.
    /// Raster: the file's own dots per inch (96 when it names none). Metafiles: always 96.
    [[nodiscard]] double horizontalResolution() const noexcept;
    [[nodiscard]] double verticalResolution() const noexcept;
    [[nodiscard]] platform::ImageSize sizeInPixels() const noexcept;
    /// Raster: pixels. Metafile: hundredths of a millimetre.
    [[nodiscard]] Size sizeInOriginalUnits() const noexcept;
    /// Raster: pixels x 1440 / DPI, truncated. Metafile: hundredths x 72 div 127.
    [[nodiscard]] Size sizeInTwips() const noexcept;
    /// Raster: pixels / DPI x 2540, rounded half to even. Metafile: as stored.
    [[nodiscard]] Size sizeInHundredthsOfMillimeter() const noexcept;
    /// The model unit is the twip, so this is sizeInTwips().
    [[nodiscard]] Size sizeInModelUnits() const noexcept { return sizeInTwips(); }
    /// Lets a reader that knows a metafile's physical size set it instead of the one from its records.
    void setMetafileSizeInHundredthsOfMillimeter(Size size) noexcept;

    /// CRC-32 (zlib's) of bytes(), computed on first request and kept: the bytes never change.
    [[nodiscard]] uint32_t crc32() const;

    /// The picture's bytes in `format`: its own when that is its format, a re-encoding for PNG and
    /// JPEG of a raster picture. Throws "File format is not supported" for the other conversions.
    [[nodiscard]] std::vector<uint8_t> imageBytes(const platform::IImageCodec& codec, OfficeImageFormat format) const;
    /// As imageBytes(), but the picture's own bytes when the conversion is not possible.
    [[nodiscard]] std::vector<uint8_t> imageBytesSafe(const platform::IImageCodec& codec, OfficeImageFormat format) const;
    /// The content type and file extension writers store a format under; empty for None and Exif.
    [[nodiscard]] static std::string_view contentType(OfficeImageFormat format) noexcept;
    [[nodiscard]] static std::string_view extension(OfficeImageFormat format) noexcept;

    /// Where a linked picture came from.
    [[nodiscard]] const std::u16string& uri() const noexcept { return uri_; }
    void setUri(std::u16string uri) { uri_ = std::move(uri); }
    /// False while the picture is a placeholder for one still being fetched.
    [[nodiscard]] bool isLoaded() const noexcept { return isLoaded_; }
    void setLoaded(bool loaded) noexcept { isLoaded_ = loaded; }
    [[nodiscard]] bool suppressStore() const noexcept { return suppressStore_; }
    void setSuppressStore(bool value) noexcept { suppressStore_ = value; }
    [[nodiscard]] bool suppressStorePlaceholder() const noexcept { return suppressStorePlaceholder_; }
    void setSuppressStorePlaceholder(bool value) noexcept { suppressStorePlaceholder_ = value; }
    /// Whether writers leave the bytes out.
    [[nodiscard]] bool shouldSuppressStore() const noexcept
    {
        return suppressStore_ || (suppressStorePlaceholder_ && !isLoaded_);
    }

private:
    OfficeImage(std::vector<uint8_t> bytes, const platform::ImageInfo& info) : bytes_(std::move(bytes)), info_(info) {}

    std::vector<uint8_t> bytes_;
    platform::ImageInfo info_;
    std::string loadError_;
    mutable std::optional<uint32_t> crc32_; // the bytes never change, so it never goes stale
    std::u16string uri_;
    bool isLoaded_ = true;
    bool suppressStore_ = false;
    bool suppressStorePlaceholder_ = false;
};

} // namespace velmo::model
