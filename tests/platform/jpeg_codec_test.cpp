#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using namespace velmo::testing;

/// An opaque picture smooth enough for JPEG to keep close, with each channel doing something else, so
/// a swapped channel shows.
RgbaImage gradient(int32_t width, int32_t height)
{
    RgbaImage image = patternImage(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = image.pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
            pixel[0] = static_cast<uint8_t>(x * 255 / (width - 1));
            pixel[1] = static_cast<uint8_t>(y * 255 / (height - 1));
            pixel[2] = 96;
            pixel[3] = 255;
        }
    }
    return image;
}

/// The offset of the start-of-frame segment's height field.
size_t frameSizeOffset(const Bytes& jpeg)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
            return i + 5;
    }
    return 0;
}

TEST(JpegCodecTest, ResolutionComesFromJfifElseExif)
{
    struct Case {
        const char* name;
        JpegOptions options;
        ImageResolution resolution;
    };
    const Case cases[] = {
        {"JFIF in dots per inch", {.densityUnit = 1, .densityX = 96, .densityY = 96}, {96, 96}},
        {"JFIF 72 by 144", {.densityUnit = 1, .densityX = 72, .densityY = 144}, {72, 144}},
        {"JFIF in dots per centimetre reads as the nearest whole DPI that stores so", {.densityUnit = 2, .densityX = 28, .densityY = 28}, {71, 71}},
        {"JFIF aspect ratio only", {.densityUnit = 0, .densityX = 1, .densityY = 1}, {96, 96}},
        {"JFIF aspect ratio, Exif in inches", {.exifResolution = std::pair<uint32_t, uint32_t>{300, 300}}, {300, 300}},
        {"no JFIF, Exif in centimetres", {.writeJfif = false, .exifResolution = std::pair<uint32_t, uint32_t>{100, 50}, .exifUnit = 3}, {254, 127}},
        {"JFIF density wins over Exif", {.densityUnit = 1, .densityX = 150, .densityY = 150, .exifResolution = std::pair<uint32_t, uint32_t>{72, 72}}, {150, 150}},
        {"Exif without a unit", {.exifResolution = std::pair<uint32_t, uint32_t>{72, 72}, .exifUnit = 1}, {96, 96}},
        {"neither", {.writeJfif = false}, {96, 96}},
        {"JFIF 1 x 1 dots per inch is an aspect ratio in the wrong unit", {.densityUnit = 1, .densityX = 1, .densityY = 1}, {96, 96}},
        {"an implausible JFIF density lets Exif speak", {.densityUnit = 1, .densityX = 1, .densityY = 1, .exifResolution = std::pair<uint32_t, uint32_t>{72, 72}}, {72, 72}},
    };
    const RgbaImage pixels = patternImage(40, 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfo info = imageCodec().readInfo(makeJpeg(pixels, c.options));
        EXPECT_EQ(info.format, OfficeImageFormat::Jpeg);
        EXPECT_EQ(info.sizeInPixels, (ImageSize{40, 30}));
        EXPECT_DOUBLE_EQ(info.resolution.horizontal, c.resolution.horizontal);
        EXPECT_DOUBLE_EQ(info.resolution.vertical, c.resolution.vertical);
    }
}

TEST(JpegCodecTest, DecodesBaselineProgressiveAndCmykFiles)
{
    const RgbaImage expected = gradient(48, 32);
    struct Case {
        const char* name;
        JpegOptions options;
    };
    const Case cases[] = {
        {"baseline", {}},
        {"progressive", {.progressive = true}},
        {"Adobe CMYK", {.cmyk = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RgbaImage decoded = imageCodec().decode(makeJpeg(expected, c.options));
        ASSERT_EQ(decoded.width, 48);
        ASSERT_EQ(decoded.height, 32);
        EXPECT_LT(meanDifference(decoded, expected), 4.0);
    }
}

TEST(JpegCodecTest, EncodingIsCloseAndLaysAlphaOverWhite)
{
    RgbaImage image = gradient(64, 48);
    image.resolution = {200, 100};
    const Bytes jpeg = imageCodec().encodeJpeg(image, 95);
    EXPECT_EQ(imageCodec().detectFormat(jpeg), OfficeImageFormat::Jpeg);
    const RgbaImage decoded = imageCodec().decode(jpeg);
    EXPECT_LT(meanDifference(decoded, image), 4.0);
    EXPECT_EQ(decoded.resolution, (ImageResolution{200, 100}));

    RgbaImage transparent = patternImage(16, 16);
    for (size_t i = 3; i < transparent.pixels.size(); i += 4)
        transparent.pixels[i] = 0;
    const RgbaImage white = imageCodec().decode(imageCodec().encodeJpeg(transparent, 90));
    for (size_t i = 0; i < white.pixels.size(); ++i)
        ASSERT_GE(white.pixels[i], 250) << "at byte " << i;

    EXPECT_THAT(errorOf([&] { return imageCodec().encodeJpeg(image, 0); }), HasSubstr("quality 0"));
    EXPECT_THAT(errorOf([&] { return imageCodec().encodeJpeg(image, 101); }), HasSubstr("quality 101"));
}

TEST(JpegCodecTest, HugeSizesInTheFrameHeaderAreRefused)
{
    Bytes jpeg = makeJpeg(patternImage(16, 16));
    const size_t size = frameSizeOffset(jpeg);
    ASSERT_NE(size, 0u);
    jpeg[size] = 0xFF; // height 65500, the most JPEG allows
    jpeg[size + 1] = 0xDC;
    jpeg[size + 2] = 0xFF; // width 65500
    jpeg[size + 3] = 0xDC;
    EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(jpeg); }), HasSubstr("65500 x 65500 pixels is beyond the limit"));
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(jpeg); }), HasSubstr("beyond the limit"));
    jpeg[size + 1] = 0xFF; // height 65535, past what JPEG allows
    EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(jpeg); }), HasSubstr("Invalid JPEG image"));
    jpeg[size] = 0;
    jpeg[size + 1] = 0; // height 0
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(jpeg); }), HasSubstr("Invalid JPEG image"));
}

TEST(JpegCodecTest, TruncatedOrCorruptDataIsAnError)
{
    for (const bool progressive : {false, true}) {
        const Bytes jpeg = makeJpeg(patternImage(64, 64), {.progressive = progressive});
        for (size_t length = 3; length < jpeg.size(); length += jpeg.size() / 40) {
            SCOPED_TRACE(::testing::Message() << (progressive ? "progressive " : "baseline ") << length);
            const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_THAT(errorOf([&] { return imageCodec().decode(cut); }), ::testing::StartsWith("Invalid JPEG image"));
        }
        const Bytes withoutEnd(jpeg.begin(), jpeg.end() - 2);
        EXPECT_THAT(errorOf([&] { return imageCodec().decode(withoutEnd); }), HasSubstr("the data ends early"));
    }
    Bytes badTables = makeJpeg(patternImage(16, 16));
    const size_t size = frameSizeOffset(badTables);
    badTables[size + 4] = 0; // no components
    EXPECT_THAT(errorOf([&] { return imageCodec().decode(badTables); }), HasSubstr("Invalid JPEG image"));
}

} // namespace
} // namespace velmo::platform
