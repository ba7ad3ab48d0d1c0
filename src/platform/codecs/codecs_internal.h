#pragma once

// Helpers shared by the decoders in this folder; not for use outside it.

#include "platform/image_codec.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace velmo::platform {

/// Throws core::EditorException "Invalid <format> image: <reason>".
[[noreturn]] void throwInvalidImage(std::string_view formatName, std::string_view reason);

/// Throws unless 1 <= width, height <= kMaxImageSide and width x height <= kMaxImagePixels.
void checkImageSize(std::string_view formatName, int64_t width, int64_t height);

/// An image of that size with every pixel transparent black; the size must have passed checkImageSize.
[[nodiscard]] RgbaImage makeTransparentImage(int32_t width, int32_t height, ImageResolution resolution);

/// Throws when an image handed to an encoder is empty, beyond the limits or has a pixel buffer of the wrong size.
void checkImageToEncode(std::string_view formatName, const RgbaImage& image);

/// The DPI of a density stored as a whole number of dots per unit, where `inchesPerUnit` inches make one
/// unit (39.37 for metres, 0.3937 for centimetres); nullopt for a zero density. Writers store
/// round(DPI x inchesPerUnit), so 96 DPI becomes 3780 dots per metre; when a whole DPI stores as
/// exactly this density, that DPI is the answer (3780 reads back as 96, not 96.012).
[[nodiscard]] std::optional<double> dpiFromDensity(uint32_t density, double inchesPerUnit);

/// The resolution a file states, when both axes are given and plausible: finite and at least
/// kMinPlausibleDpi. Lower values come from writers that store the pixel aspect ratio (1:1) with the
/// unit set to inches, and would make a small picture feet across.
[[nodiscard]] std::optional<ImageResolution> plausibleResolution(std::optional<double> horizontal,
                                                                 std::optional<double> vertical) noexcept;

inline constexpr double kMinPlausibleDpi = 10;

inline constexpr double kInchesPerMeter = 1 / 0.0254;
inline constexpr double kInchesPerCentimeter = 1 / 2.54;

/// Little-endian reads that never leave the span: a read past its end yields 0, so callers check
/// `contains` where running out means the data is truncated.
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    [[nodiscard]] size_t size() const noexcept { return bytes_.size(); }
    [[nodiscard]] bool contains(size_t offset, size_t length) const noexcept
    {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    [[nodiscard]] uint8_t u8(size_t offset) const noexcept { return contains(offset, 1) ? bytes_[offset] : 0; }
    [[nodiscard]] uint16_t u16(size_t offset) const noexcept
    {
        return contains(offset, 2) ? static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8) : 0;
    }
    [[nodiscard]] uint32_t u32(size_t offset) const noexcept
    {
        if (!contains(offset, 4))
            return 0;
        return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
               static_cast<uint32_t>(bytes_[offset + 2]) << 16 | static_cast<uint32_t>(bytes_[offset + 3]) << 24;
    }
    [[nodiscard]] int16_t i16(size_t offset) const noexcept { return static_cast<int16_t>(u16(offset)); }
    [[nodiscard]] int32_t i32(size_t offset) const noexcept { return static_cast<int32_t>(u32(offset)); }

private:
    std::span<const uint8_t> bytes_;
};

} // namespace velmo::platform
