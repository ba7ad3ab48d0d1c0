#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gtest/gtest.h>

#include <string_view>

namespace velmo::platform {
namespace {

using namespace velmo::testing;

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

TEST(ImageFormatDetectorTest, EachFormatIsKnownByItsSignature)
{
    const RgbaImage image = patternImage(8, 8);
    struct Case {
        const char* name;
        Bytes bytes;
        OfficeImageFormat format;
    };
    const Case cases[] = {
        {"PNG", makePng(image), OfficeImageFormat::Png},
        {"JPEG", makeJpeg(image), OfficeImageFormat::Jpeg},
        {"GIF", makeGif(2, 1, {0, 0xFFFFFF}, {0, 1}), OfficeImageFormat::Gif},
        {"TIFF little-endian", makeTiff(image), OfficeImageFormat::Tiff},
        {"TIFF big-endian", makeTiff(image, {.bigEndian = true}), OfficeImageFormat::Tiff},
        {"BMP", makeBmp24(image), OfficeImageFormat::Bmp},
        {"bare DIB", makeBmp24(image, {.bare = true}), OfficeImageFormat::MemoryBmp},
        {"icon", makeIcon({{8, 8, 32, makeIconDib32(image)}}), OfficeImageFormat::Icon},
        {"EMF", makeEmf({}), OfficeImageFormat::Emf},
        {"placeable WMF", makeWmf({.placeableBounds = std::array<int16_t, 4>{0, 0, 10, 10}}), OfficeImageFormat::Wmf},
        {"WMF without placeable header", makeWmf({}), OfficeImageFormat::Wmf},
        {"empty", {}, OfficeImageFormat::None},
        {"text", bytesOf("Hello, world: not a picture at all"), OfficeImageFormat::None},
        {"BM followed by text", bytesOf("BM and then some words that are no header"), OfficeImageFormat::None},
        {"only the start of a GIF signature", bytesOf("GIF8"), OfficeImageFormat::None},
        {"PDF", bytesOf("%PDF-1.3\n%"), OfficeImageFormat::None},
        {"ZIP", bytesOf("PK\x03\x04"), OfficeImageFormat::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(imageCodec().detectFormat(c.bytes), c.format);
    }
}

TEST(ImageFormatDetectorTest, UnknownBytesAreNotSupported)
{
    EXPECT_EQ(errorOf([] { return imageCodec().readInfo(bytesOf("plain text")); }), "File format is not supported");
    EXPECT_EQ(errorOf([] { return imageCodec().decode(Bytes{}); }), "File format is not supported");
}

} // namespace
} // namespace velmo::platform
