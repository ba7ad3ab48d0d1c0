#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using velmo::testing::errorOf;
using velmo::testing::imageCodec;
using velmo::testing::makePng;
using velmo::testing::patternImage;
using velmo::testing::PngOptions;

TEST(PngCodecTest, SizeAndResolutionComeFromTheHeaderAndPhys)
{
    struct Case {
        const char* name;
        PngOptions options;
        ImageResolution resolution;
    };
    const Case cases[] = {
        {"96 DPI stores as 3780 dots a metre and reads back whole", {3780, 3780}, {96, 96}},
        {"72 DPI stores as 2835", {2835, 2835}, {72, 72}},
        {"different axes", {11811, 5906}, {300, 150}},
        {"a density no whole DPI gives stays exact", {1000, 1000}, {25.4, 25.4}},
        {"no pHYs chunk", {}, {96, 96}},
        {"pHYs with no unit is only an aspect ratio", {3780, 3780, 0}, {96, 96}},
        {"a zero density", {0, 0}, {96, 96}},
        {"one axis below 10 DPI is not believed", {3780, 39}, {96, 96}},
    };
    const RgbaImage pixels = patternImage(100, 50);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfo info = imageCodec().readInfo(makePng(pixels, c.options));
        EXPECT_EQ(info.format, OfficeImageFormat::Png);
        EXPECT_EQ(info.sizeInPixels, (ImageSize{100, 50}));
        EXPECT_DOUBLE_EQ(info.resolution.horizontal, c.resolution.horizontal);
        EXPECT_DOUBLE_EQ(info.resolution.vertical, c.resolution.vertical);
        EXPECT_EQ(imageCodec().decode(makePng(pixels, c.options)).resolution, info.resolution);
    }
}

TEST(PngCodecTest, DecodesPlainInterlacedAndPaletteFiles)
{
    const RgbaImage pattern = patternImage(19, 13);
    EXPECT_EQ(imageCodec().decode(makePng(pattern)).pixels, pattern.pixels);
    EXPECT_EQ(imageCodec().decode(makePng(pattern, {.interlaced = true})).pixels, pattern.pixels);

    const RgbaImage palette = imageCodec().decode(
        velmo::testing::makePalettePng(2, 2, {0xFF000080, 0x00FF00FF, 0x0000FF00}, {0, 1, 2, 1}));
    EXPECT_EQ(velmo::testing::pixelAt(palette, 0, 0), 0xFF000080u) << "tRNS gives the palette alpha";
    EXPECT_EQ(velmo::testing::pixelAt(palette, 1, 0), 0x00FF00FFu);
    EXPECT_EQ(velmo::testing::pixelAt(palette, 0, 1), 0x0000FF00u);
}

TEST(PngCodecTest, EncodingIsLosslessAndKeepsTheResolution)
{
    RgbaImage image = patternImage(37, 23);
    image.resolution = {300, 150};
    const std::vector<uint8_t> png = imageCodec().encodePng(image);
    EXPECT_EQ(imageCodec().detectFormat(png), OfficeImageFormat::Png);
    const RgbaImage decoded = imageCodec().decode(png);
    EXPECT_EQ(decoded.width, 37);
    EXPECT_EQ(decoded.height, 23);
    EXPECT_EQ(decoded.pixels, image.pixels);
    EXPECT_EQ(decoded.resolution, (ImageResolution{300, 150}));
}

TEST(PngCodecTest, EncodingRefusesImagesThatAreNotWhole)
{
    RgbaImage empty;
    EXPECT_THAT(errorOf([&] { return imageCodec().encodePng(empty); }), HasSubstr("no pixels"));
    RgbaImage shortBuffer = patternImage(4, 4);
    shortBuffer.pixels.pop_back();
    EXPECT_THAT(errorOf([&] { return imageCodec().encodePng(shortBuffer); }), HasSubstr("does not match"));
}

TEST(PngCodecTest, HugeSizesInTheHeaderAreRefusedBeforeDecoding)
{
    struct Case {
        const char* name;
        uint32_t width;
        uint32_t height;
        const char* error;
    };
    const Case cases[] = {
        {"100000 x 100000", 100000, 100000, "100000 x 100000 pixels is beyond the limit"},
        {"too wide for one side", 65537, 1, "beyond the limit"},
        {"each side allowed, too many in all", 65536, 65536, "beyond the limit"},
        {"past the PNG maximum", 0x80000000u, 1, "Invalid PNG image"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> png = velmo::testing::makePngHeaderOnly(c.width, c.height);
        EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(png); }), HasSubstr(c.error));
        EXPECT_THAT(errorOf([&] { return imageCodec().decode(png); }), HasSubstr(c.error));
    }
    // At the limit the header reads; only decoding needs the image data the fixture leaves out.
    EXPECT_EQ(imageCodec().readInfo(velmo::testing::makePngHeaderOnly(65536, 1024)).sizeInPixels,
              (ImageSize{65536, 1024}));
}

TEST(PngCodecTest, TruncatedOrCorruptDataIsAnError)
{
    const std::vector<uint8_t> png = makePng(patternImage(30, 20));
    const size_t imageDataEnd = png.size() - 12; // the IEND chunk is 12 bytes
    for (size_t length = 0; length < imageDataEnd; length += 7) {
        SCOPED_TRACE(length);
        const std::vector<uint8_t> cut(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THAT(errorOf([&] { return imageCodec().decode(cut); }), ::testing::StartsWith(length < 8 ? "File format is not supported" : "Invalid PNG image"));
    }
    std::vector<uint8_t> badHeaderCrc = png;
    badHeaderCrc[29] ^= 0xFF;
    EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(badHeaderCrc); }), HasSubstr("Invalid PNG image"));
    std::vector<uint8_t> badData = png;
    for (size_t i = 45; i < 60; ++i)
        badData[i] = 0xA5;
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(badData); }), HasSubstr("Invalid PNG image"));
}

} // namespace
} // namespace velmo::platform
