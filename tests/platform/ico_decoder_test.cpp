#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using namespace velmo::testing;

TEST(IcoDecoderTest, TheLargestEntryIsRead)
{
    const RgbaImage small = patternImage(16, 16);
    const RgbaImage large = patternImage(32, 32);
    const Bytes icon = makeIcon({{16, 16, 32, makeIconDib32(small)}, {32, 32, 32, makeIconDib32(large)},
                                 {16, 16, 8, makeIconDib32(small)}});
    const ImageInfo info = imageCodec().readInfo(icon);
    EXPECT_EQ(info.format, OfficeImageFormat::Icon);
    EXPECT_EQ(info.sizeInPixels, (ImageSize{32, 32}));
    EXPECT_EQ(info.resolution, (ImageResolution{96, 96}));
    EXPECT_EQ(imageCodec().decode(icon).pixels, large.pixels) << "32-bit entries keep their own alpha";
}

TEST(IcoDecoderTest, TheAndMaskMakesPixelsTransparent)
{
    const std::vector<bool> white = {true, false, true, false};
    const std::vector<bool> transparent = {false, false, true, true};
    const RgbaImage image = imageCodec().decode(makeIcon({{2, 2, 1, makeIconDib1(2, 2, white, transparent)}}));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(pixelAt(image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(image, 1, 0), 0x000000FFu);
    EXPECT_EQ(pixelAt(image, 0, 1) & 0xFF, 0u);
    EXPECT_EQ(pixelAt(image, 1, 1) & 0xFF, 0u);
}

TEST(IcoDecoderTest, PngEntriesAreDecodedAsPng)
{
    const RgbaImage pixels = patternImage(48, 48);
    const Bytes icon = makeIcon({{48, 48, 32, makePng(pixels)}});
    EXPECT_EQ(imageCodec().readInfo(icon).sizeInPixels, (ImageSize{48, 48}));
    EXPECT_EQ(imageCodec().decode(icon).pixels, pixels.pixels);
}

TEST(IcoDecoderTest, EntriesOutsideTheFileAreNotRead)
{
    const RgbaImage pixels = patternImage(8, 8);
    Bytes icon = makeIcon({{8, 8, 32, makeIconDib32(pixels)}, {64, 64, 32, makeIconDib32(pixels)}});
    // The second, larger entry claims to lie far past the end.
    icon[6 + 16 + 12] = 0xFF;
    icon[6 + 16 + 13] = 0xFF;
    icon[6 + 16 + 14] = 0xFF;
    EXPECT_EQ(imageCodec().readInfo(icon).sizeInPixels, (ImageSize{8, 8}));

    Bytes nothingInside = makeIcon({{8, 8, 32, makeIconDib32(pixels)}});
    nothingInside.resize(6 + 16 + 10);
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(nothingInside); }), HasSubstr("Invalid ICO image: the data ends early"));
    Bytes directoryCut = makeIcon({{8, 8, 32, makeIconDib32(pixels)}, {8, 8, 32, makeIconDib32(pixels)}});
    directoryCut.resize(6 + 16 + 4);
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(directoryCut); }), HasSubstr("the data ends early"));
}

} // namespace
} // namespace velmo::platform
