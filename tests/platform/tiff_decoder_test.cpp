#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using namespace velmo::testing;

RgbaImage opaque(RgbaImage image)
{
    for (size_t i = 3; i < image.pixels.size(); i += 4)
        image.pixels[i] = 255;
    return image;
}

TEST(TiffDecoderTest, SizeAndResolutionOfTheFirstPage)
{
    using Resolution = std::pair<uint32_t, uint32_t>;
    struct Case {
        const char* name;
        TiffOptions options;
        ImageResolution resolution;
    };
    const Case cases[] = {
        {"96 DPI", {.resolution = Resolution{96, 96}}, {96, 96}},
        {"300 by 150 DPI, big-endian", {.resolution = Resolution{300, 150}, .bigEndian = true}, {300, 150}},
        {"dots per centimetre", {.resolution = Resolution{100, 50}, .resolutionUnit = 3}, {254, 127}},
        {"no unit", {.resolution = Resolution{300, 300}, .resolutionUnit = 1}, {96, 96}},
        {"no resolution", {}, {96, 96}},
        {"1 DPI", {.resolution = Resolution{1, 1}}, {96, 96}},
    };
    const RgbaImage pixels = patternImage(10, 7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfo info = imageCodec().readInfo(makeTiff(pixels, c.options));
        EXPECT_EQ(info.format, OfficeImageFormat::Tiff);
        EXPECT_EQ(info.sizeInPixels, (ImageSize{10, 7}));
        EXPECT_NEAR(info.resolution.horizontal, c.resolution.horizontal, 1e-3);
        EXPECT_NEAR(info.resolution.vertical, c.resolution.vertical, 1e-3);
    }
}

TEST(TiffDecoderTest, DecodesEitherByteOrderExactly)
{
    const RgbaImage expected = opaque(patternImage(13, 9));
    EXPECT_EQ(imageCodec().decode(makeTiff(expected)).pixels, expected.pixels);
    EXPECT_EQ(imageCodec().decode(makeTiff(expected, {.bigEndian = true})).pixels, expected.pixels);
}

TEST(TiffDecoderTest, HugeOrTruncatedFilesAreAnError)
{
    Bytes huge = makeTiff(patternImage(4, 4));
    // The first entry is the width, a long at offset 8 + 2 + 8.
    huge[18] = 0xA0;
    huge[19] = 0x86;
    huge[20] = 0x01; // 100000
    EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(huge); }), HasSubstr("beyond the limit"));

    const Bytes tiff = makeTiff(patternImage(8, 8));
    for (size_t length = 4; length < tiff.size(); length += 5) {
        SCOPED_TRACE(length);
        const Bytes cut(tiff.begin(), tiff.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THAT(errorOf([&] { return imageCodec().decode(cut); }), ::testing::StartsWith("Invalid TIFF image"));
    }
}

} // namespace
} // namespace velmo::platform
