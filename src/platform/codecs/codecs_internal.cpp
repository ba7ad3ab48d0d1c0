#include "platform/codecs/codecs_internal.h"

#include "core/editor_exception.h"

#include <cmath>
#include <string>

namespace velmo::platform {

void throwInvalidImage(std::string_view formatName, std::string_view reason)
{
    std::string message;
    message.reserve(formatName.size() + reason.size() + 20);
    message.append("Invalid ").append(formatName).append(" image: ").append(reason);
    throw core::EditorException(message);
}

void checkImageSize(std::string_view formatName, int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        throwInvalidImage(formatName, "the picture has no pixels (" + std::to_string(width) + " x " +
                                          std::to_string(height) + ")");
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        throwInvalidImage(formatName, std::to_string(width) + " x " + std::to_string(height) +
                                          " pixels is beyond the limit of " + std::to_string(kMaxImageSide) +
                                          " pixels a side and " + std::to_string(kMaxImagePixels) + " in all");
}

RgbaImage makeTransparentImage(int32_t width, int32_t height, ImageResolution resolution)
{
    RgbaImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    image.resolution = resolution;
    return image;
}

void checkImageToEncode(std::string_view formatName, const RgbaImage& image)
{
    checkImageSize(formatName, image.width, image.height);
    if (image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4)
        throwInvalidImage(formatName, "the pixel buffer does not match the picture's size");
}

std::optional<double> dpiFromDensity(uint32_t density, double inchesPerUnit)
{
    if (density == 0)
        return std::nullopt;
    const double exact = density / inchesPerUnit;
    const double whole = std::nearbyint(exact);
    if (whole >= 1 && std::nearbyint(whole * inchesPerUnit) == density)
        return whole;
    return exact;
}

std::optional<ImageResolution> plausibleResolution(std::optional<double> horizontal,
                                                   std::optional<double> vertical) noexcept
{
    const auto isPlausible = [](std::optional<double> dpi) {
        return dpi && std::isfinite(*dpi) && *dpi >= kMinPlausibleDpi;
    };
    if (!isPlausible(horizontal) || !isPlausible(vertical))
        return std::nullopt;
    return ImageResolution{*horizontal, *vertical};
}

} // namespace velmo::platform
