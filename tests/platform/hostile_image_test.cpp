// Cut and damaged copies of a valid file of every format must end in a clear error or a picture,
// never a crash, a hang, another kind of exception or a line on the terminal.
#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace velmo::platform {
namespace {

using namespace velmo::testing;

struct Sample {
    const char* name;
    Bytes bytes;
    /// How many bytes at the end carry nothing the picture needs, so cutting them still reads: a PNG's
    /// end chunk, a GIF's trailer, the end mark of RLE data after its last row.
    size_t readableTail = 0;
};

std::vector<Sample> samplesOfEveryFormat()
{
    const RgbaImage image = patternImage(24, 17);
    std::vector<uint8_t> indexes(24 * 17);
    for (size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = static_cast<uint8_t>(i % 7);
    Bytes rle8;
    for (int row = 0; row < 17; ++row)
        rle8.insert(rle8.end(), {12, 1, 0, 4, 1, 2, 3, 4, 12, 2, 0, 0});
    rle8.insert(rle8.end(), {0, 1});
    const std::vector<uint32_t> colors = {0, 0xFF0000, 0xFF00, 0xFF, 0xFFFF00, 0xFF00FF, 0xFFFFFF};
    return {
        {"PNG", makePng(image), 12},
        {"interlaced PNG", makePng(image, {.interlaced = true}), 12},
        {"palette PNG", makePalettePng(4, 2, {0xFF0000FF, 0x00FF0080}, {0, 1, 1, 0, 1, 0, 0, 1}), 12},
        {"JPEG", makeJpeg(image, {.densityUnit = 1, .densityX = 96, .densityY = 96})},
        {"progressive JPEG", makeJpeg(image, {.progressive = true})},
        {"CMYK JPEG", makeJpeg(image, {.cmyk = true})},
        {"JPEG with Exif", makeJpeg(image, {.exifResolution = std::pair<uint32_t, uint32_t>{300, 300}})},
        {"GIF", makeGif(24, 17, colors, indexes, {.transparentIndex = 2}), 1},
        {"interlaced GIF", makeGif(24, 17, colors, indexes, {.interlaced = true}), 1},
        {"TIFF", makeTiff(image, {.resolution = std::pair<uint32_t, uint32_t>{72, 72}})},
        {"big-endian TIFF", makeTiff(image, {.bigEndian = true})},
        {"BMP", makeBmp24(image)},
        {"RLE8 BMP", makeBmp(24, 17, 8, 1, {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0}, rle8), 2},
        {"DIB", makeBmp24(image, {.bare = true})},
        {"icon", makeIcon({{24, 17, 32, makeIconDib32(image)}})},
        {"one-bit icon", makeIcon({{4, 2, 1, makeIconDib1(4, 2, {true, false, true, false, false, true, false, true}, std::vector<bool>(8, false))}})},
        {"icon with PNG", makeIcon({{24, 17, 32, makePng(image)}})},
        {"WMF", makeWmf({.placeableBounds = std::array<int16_t, 4>{0, 0, 100, 100}, .mapMode = 8, .windowExtent = std::pair<int16_t, int16_t>{100, 100}})},
        {"EMF", makeEmf({.windowExtent = std::pair<int32_t, int32_t>{100, 100}})},
    };
}

/// Reads the size and, for pictures with pixels, decodes; "" when both succeed, else the error.
std::string readAll(const Bytes& bytes)
{
    const std::string infoError = errorOf([&] { return imageCodec().readInfo(bytes); });
    if (infoError != "(no error)")
        return infoError;
    if (isMetafileFormat(imageCodec().detectFormat(bytes)))
        return "";
    const std::string decodeError = errorOf([&] { return imageCodec().decode(bytes); });
    return decodeError == "(no error)" ? "" : decodeError;
}

void expectCleanOutcome(const std::string& error)
{
    EXPECT_EQ(error.find("(not an EditorException)"), std::string::npos) << error;
}

TEST(HostileImageTest, TheUntouchedSamplesRead)
{
    for (const Sample& sample : samplesOfEveryFormat()) {
        SCOPED_TRACE(sample.name);
        EXPECT_EQ(readAll(sample.bytes), "");
    }
}

TEST(HostileImageTest, EveryCutEndsCleanlyAndSilently)
{
    for (const Sample& sample : samplesOfEveryFormat()) {
        SCOPED_TRACE(sample.name);
        ::testing::internal::CaptureStderr();
        size_t failures = 0;
        for (size_t length = 0; length < sample.bytes.size(); ++length) {
            const std::string error =
                readAll(Bytes(sample.bytes.begin(), sample.bytes.begin() + static_cast<std::ptrdiff_t>(length)));
            expectCleanOutcome(error);
            failures += error.empty() ? 0 : 1;
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(failures + sample.readableTail, sample.bytes.size());
    }
}

TEST(HostileImageTest, DamagedBytesEndCleanlyAndSilently)
{
    std::mt19937 random(20240611);
    for (const Sample& sample : samplesOfEveryFormat()) {
        SCOPED_TRACE(sample.name);
        ::testing::internal::CaptureStderr();
        for (int attempt = 0; attempt < 300; ++attempt) {
            Bytes damaged = sample.bytes;
            const int changes = 1 + attempt % 4;
            for (int i = 0; i < changes; ++i) {
                const size_t at = random() % damaged.size();
                damaged[at] = attempt % 3 == 0 ? static_cast<uint8_t>(0xFF) : static_cast<uint8_t>(random());
            }
            expectCleanOutcome(readAll(damaged));
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}

} // namespace
} // namespace velmo::platform
