#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using namespace velmo::testing;

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

RgbaImage opaque(RgbaImage image)
{
    for (size_t i = 3; i < image.pixels.size(); i += 4)
        image.pixels[i] = 255;
    return image;
}

/// Red, green, blue and white as colour table entries (0xAARRGGBB, stored B, G, R, reserved).
const std::vector<uint32_t> kFourColors = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};

TEST(BmpDecoderTest, ResolutionComesFromPixelsPerMetre)
{
    struct Case {
        const char* name;
        BmpOptions options;
        ImageResolution resolution;
    };
    const Case cases[] = {
        {"96 DPI", {.pixelsPerMeterX = 3780, .pixelsPerMeterY = 3780}, {96, 96}},
        {"72 DPI", {.pixelsPerMeterX = 2835, .pixelsPerMeterY = 2835}, {72, 72}},
        {"none", {}, {96, 96}},
        {"negative", {.pixelsPerMeterX = -5, .pixelsPerMeterY = 3780}, {96, 96}},
        {"bare DIB", {.pixelsPerMeterX = 11811, .pixelsPerMeterY = 11811, .bare = true}, {300, 300}},
    };
    const RgbaImage pixels = patternImage(100, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfo info = imageCodec().readInfo(makeBmp24(pixels, c.options));
        EXPECT_EQ(info.format, c.options.bare ? OfficeImageFormat::MemoryBmp : OfficeImageFormat::Bmp);
        EXPECT_EQ(info.sizeInPixels, (ImageSize{100, 50}));
        EXPECT_EQ(info.resolution, c.resolution);
    }
}

TEST(BmpDecoderTest, UncompressedDepthsDecodeToTheSamePixels)
{
    const RgbaImage expected = opaque(patternImage(7, 5));
    EXPECT_EQ(imageCodec().decode(makeBmp24(expected)).pixels, expected.pixels);
    EXPECT_EQ(imageCodec().decode(makeBmp24(expected, {.topDown = true})).pixels, expected.pixels);
    EXPECT_EQ(imageCodec().decode(makeBmp24(expected, {.bare = true})).pixels, expected.pixels);

    struct Case {
        const char* name;
        uint16_t bitCount;
        uint32_t compression;
        std::vector<uint32_t> colors;
        Bytes pixelData; // two rows of three pixels, bottom row first
        std::vector<uint32_t> masks;
        std::array<uint32_t, 6> expected; // top row, then bottom row, as 0xRRGGBBAA
    };
    const Case cases[] = {
        {"1 bit", 1, kRgb, {0x00000000, 0x00FFFFFF}, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}, {},
         {0x000000FF, 0xFFFFFFFF, 0x000000FF, 0xFFFFFFFF, 0x000000FF, 0xFFFFFFFF}},
        {"4 bit", 4, kRgb, kFourColors, {0x01, 0x20, 0, 0, 0x32, 0x10, 0, 0}, {},
         {0xFFFFFFFF, 0x0000FFFF, 0x00FF00FF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF}},
        {"8 bit, an index past the table is black", 8, kRgb, kFourColors, {0, 1, 2, 0, 3, 9, 0, 0}, {},
         {0xFFFFFFFF, 0x000000FF, 0xFF0000FF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF}},
        {"16 bit 5-5-5", 16, kRgb, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0}, {},
         {0xFFFFFFFF, 0x000000FF, 0x000000FF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF}},
        {"16 bit 5-6-5 bit fields", 16, kBitFields, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {0xF800, 0x07E0, 0x001F}, {0x000000FF, 0x000000FF, 0x000000FF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF}},
        {"32 bit, plain: the fourth byte is not alpha", 32, kRgb, {},
         {0, 0, 0xFF, 0x00, 0, 0xFF, 0, 0x00, 0xFF, 0, 0, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {},
         {0x000000FF, 0x000000FF, 0x000000FF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF}},
        {"32 bit fields with alpha", 32, kAlphaBitFields, {},
         {0, 0, 0xFF, 0x80, 0, 0xFF, 0, 0xFF, 0xFF, 0, 0, 0x00, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF},
         {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
         {0x000000FF, 0x000000FF, 0x000000FF, 0xFF000080, 0x00FF00FF, 0x0000FF00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RgbaImage image = imageCodec().decode(makeBmp(3, 2, c.bitCount, c.compression, c.colors, c.pixelData, {}, c.masks));
        ASSERT_EQ(image.width, 3);
        ASSERT_EQ(image.height, 2);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(pixelAt(image, i % 3, i / 3), c.expected[static_cast<size_t>(i)]) << "pixel " << i;
    }
}

TEST(BmpDecoderTest, RunLengthDataDecodesAndSkippedPixelsStayTransparent)
{
    // 4 x 3, bottom row first: a run of 4 red; end of line; a literal run of 3 (green, blue, white), padded;
    // end of line; a jump right by 2; a run of 1 white; end of picture.
    const Bytes rle8 = {4, 0, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 1};
    const RgbaImage image = imageCodec().decode(makeBmp(4, 3, 8, kRle8, kFourColors, rle8));
    EXPECT_EQ(pixelAt(image, 0, 2), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(image, 3, 2), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(image, 0, 1), 0x00FF00FFu);
    EXPECT_EQ(pixelAt(image, 2, 1), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(image, 3, 1), 0u) << "after the literal run";
    EXPECT_EQ(pixelAt(image, 1, 0), 0u) << "jumped over";
    EXPECT_EQ(pixelAt(image, 2, 0), 0xFFFFFFFFu);

    // 6 x 1: a run of 3 alternating white and blue, then a literal run of red, green and blue.
    const Bytes rle4 = {3, 0x32, 0, 3, 0x01, 0x20, 0, 1};
    const RgbaImage four = imageCodec().decode(makeBmp(6, 1, 4, kRle4, kFourColors, rle4));
    const std::array<uint32_t, 6> expected = {0xFFFFFFFF, 0x0000FFFF, 0xFFFFFFFF, 0xFF0000FF, 0x00FF00FF, 0x0000FFFF};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(pixelAt(four, x, 0), expected[static_cast<size_t>(x)]) << "pixel " << x;

    const Bytes unfinished = {4, 0, 0, 0, 0, 3, 1};
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(makeBmp(4, 3, 8, kRle8, kFourColors, unfinished)); }),
                HasSubstr("the data ends early"));
    const Bytes jumpsFar = {0, 2, 255, 255, 0, 2, 255, 255, 0, 1};
    EXPECT_NO_THROW((void)imageCodec().decode(makeBmp(4, 3, 8, kRle8, kFourColors, jumpsFar)));
}

TEST(BmpDecoderTest, HostileHeadersAreAnError)
{
    struct Case {
        const char* name;
        Bytes bytes;
        const char* error;
    };
    const Bytes row(12, 0);
    Bytes cutColorTable = makeBmp(1, 1, 8, kRgb, std::vector<uint32_t>(200, 0), {});
    cutColorTable.resize(14 + 40 + 100);
    const Case cases[] = {
        {"100000 x 100000", makeBmp(100000, 100000, 24, kRgb, {}, row), "100000 x 100000 pixels is beyond the limit"},
        {"zero width", makeBmp(0, 1, 24, kRgb, {}, row), "no pixels"},
        {"pixels cut short", makeBmp(4, 4, 24, kRgb, {}, row), "the data ends early"},
        {"colour table cut short", cutColorTable, "the data ends early"},
        {"RLE8 with the wrong depth", makeBmp(4, 1, 4, kRle8, kFourColors, {0, 1}), "does not match the bit depth"},
        {"an unknown depth", makeBmp(4, 1, 2, kRgb, {}, row), "unsupported bit depth 2"},
        {"embedded PNG", makeBmp(4, 1, 24, 5, {}, row), "embedded JPEG or PNG data is not supported"},
        {"bit fields missing", makeBmp(1, 1, 32, kBitFields, {}, {}), "the data ends early"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THAT(errorOf([&] { return imageCodec().decode(c.bytes); }), HasSubstr(c.error));
    }
}

} // namespace
} // namespace velmo::platform
