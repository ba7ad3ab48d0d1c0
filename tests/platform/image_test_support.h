#pragma once

#include "core/editor_exception.h"
#include "platform/codecs/standard_image_codec.h"

#include <cstdlib>
#include <exception>
#include <string>

namespace velmo::testing {

/// The codec under test, seen through its interface.
inline const platform::IImageCodec& imageCodec()
{
    static const platform::StandardImageCodec codec;
    return codec;
}

/// The message of the EditorException `action` throws; "(no error)" when it returns, and a marker for
/// any other exception, so a test sees which way it failed.
template <typename Action>
std::string errorOf(Action&& action)
{
    try {
        (void)action();
    } catch (const core::EditorException& error) {
        return error.what();
    } catch (const std::exception& error) {
        return std::string("(not an EditorException) ") + error.what();
    }
    return "(no error)";
}

/// Mean absolute difference per channel of two pictures of the same size.
inline double meanDifference(const platform::RgbaImage& first, const platform::RgbaImage& second)
{
    if (first.pixels.size() != second.pixels.size() || first.pixels.empty())
        return 1e9;
    double total = 0;
    for (size_t i = 0; i < first.pixels.size(); ++i)
        total += std::abs(int{first.pixels[i]} - int{second.pixels[i]});
    return total / static_cast<double>(first.pixels.size());
}

/// The RGBA of one pixel as 0xRRGGBBAA.
inline uint32_t pixelAt(const platform::RgbaImage& image, int32_t x, int32_t y)
{
    const uint8_t* pixel = image.pixels.data() + (static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4;
    return uint32_t{pixel[0]} << 24 | uint32_t{pixel[1]} << 16 | uint32_t{pixel[2]} << 8 | pixel[3];
}

} // namespace velmo::testing
