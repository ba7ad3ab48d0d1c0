#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using namespace velmo::testing;

const std::vector<uint32_t> kColors = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::vector<uint8_t> indexPattern(int width, int height)
{
    std::vector<uint8_t> indexes;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            indexes.push_back(static_cast<uint8_t>((x + 2 * y) % 4));
    }
    return indexes;
}

TEST(GifDecoderTest, FirstFrameWithItsColoursAndTransparency)
{
    const Bytes gif = makeGif(3, 2, kColors, {0, 1, 2, 3, 3, 0}, {.transparentIndex = 3});
    const ImageInfo info = imageCodec().readInfo(gif);
    EXPECT_EQ(info.format, OfficeImageFormat::Gif);
    EXPECT_EQ(info.sizeInPixels, (ImageSize{3, 2}));
    EXPECT_EQ(info.resolution, (ImageResolution{96, 96}));
    const RgbaImage image = imageCodec().decode(gif);
    EXPECT_EQ(pixelAt(image, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(image, 1, 0), 0x00FF00FFu);
    EXPECT_EQ(pixelAt(image, 2, 0), 0x0000FFFFu);
    EXPECT_EQ(pixelAt(image, 0, 1) & 0xFF, 0u) << "the transparent index";
    EXPECT_EQ(pixelAt(image, 2, 1), 0xFF0000FFu);
}

TEST(GifDecoderTest, InterlacedRowsLandWhereTheyBelong)
{
    const std::vector<uint8_t> indexes = indexPattern(5, 11);
    const RgbaImage plain = imageCodec().decode(makeGif(5, 11, kColors, indexes));
    const RgbaImage interlaced = imageCodec().decode(makeGif(5, 11, kColors, indexes, {.interlaced = true}));
    EXPECT_EQ(plain.pixels, interlaced.pixels);
    EXPECT_EQ(pixelAt(plain, 0, 1), 0x0000FFFFu);
}

TEST(GifDecoderTest, AFrameSmallerThanTheScreenSitsAtItsOffsetOnATransparentCanvas)
{
    const Bytes gif = makeGif(2, 2, kColors, {0, 1, 2, 3}, {.screenWidth = 4, .screenHeight = 3, .left = 1, .top = 1});
    EXPECT_EQ(imageCodec().readInfo(gif).sizeInPixels, (ImageSize{4, 3}));
    const RgbaImage image = imageCodec().decode(gif);
    EXPECT_EQ(pixelAt(image, 0, 0), 0u);
    EXPECT_EQ(pixelAt(image, 1, 1), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(image, 2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(image, 3, 2), 0u);

    const Bytes beyond = makeGif(3, 3, kColors, indexPattern(3, 3), {.screenWidth = 2, .screenHeight = 2, .left = 1, .top = 1});
    const RgbaImage clipped = imageCodec().decode(beyond);
    EXPECT_EQ(clipped.width, 2) << "the part outside the screen is dropped";
    EXPECT_EQ(pixelAt(clipped, 1, 1), 0xFF0000FFu);
}

TEST(GifDecoderTest, HugeOrBrokenFilesAreAnError)
{
    const Bytes huge = makeGif(2, 2, kColors, {0, 1, 2, 3}, {.screenWidth = 65535, .screenHeight = 65535});
    EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(huge); }), HasSubstr("65535 x 65535 pixels is beyond the limit"));

    const Bytes gif = makeGif(16, 16, kColors, indexPattern(16, 16));
    for (size_t length = 6; length < gif.size() - 1; ++length) {
        SCOPED_TRACE(length);
        const Bytes cut(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THAT(errorOf([&] { return imageCodec().decode(cut); }), ::testing::StartsWith("Invalid GIF image"));
    }
    Bytes noFrame(gif.begin(), gif.begin() + 13 + 3 * 4);
    noFrame.push_back(0x3B);
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(noFrame); }), HasSubstr("holds no picture"));
}

} // namespace
} // namespace velmo::platform
