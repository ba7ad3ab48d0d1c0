#include "platform/image_fixtures.h"
#include "platform/image_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

using ::testing::HasSubstr;
using namespace velmo::testing;
using Bounds = std::array<int16_t, 4>;
using Extent16 = std::pair<int16_t, int16_t>;
using Extent32 = std::pair<int32_t, int32_t>;

constexpr uint16_t kText = 1;
constexpr uint16_t kLowMetric = 2;
constexpr uint16_t kHighMetric = 3;
constexpr uint16_t kLowEnglish = 4;
constexpr uint16_t kTwips = 6;
constexpr uint16_t kAnisotropic = 8;

TEST(MetafileReaderTest, WindowsMetafileSizes)
{
    struct Case {
        const char* name;
        WmfOptions options;
        ImageSize hundredths;
        ImageSize pixels;
    };
    const Case cases[] = {
        {"placeable, one inch by half an inch at 1440 units", {.placeableBounds = Bounds{0, 0, 1440, 720}}, {2540, 1270}, {96, 48}},
        {"placeable bounds win over the window extent",
         {.placeableBounds = Bounds{0, 0, 1440, 720}, .mapMode = kAnisotropic, .windowExtent = Extent16{1440, 720}}, {2540, 1270}, {96, 48}},
        {"placeable with negative coordinates and 1000 units an inch",
         {.placeableBounds = Bounds{-1821, -2387, 64, -365}, .unitsPerInch = 1000}, {4788, 5136}, {181, 194}},
        {"anisotropic extent counts 96 an inch", {.mapMode = kAnisotropic, .windowExtent = Extent16{96, 48}}, {2540, 1270}, {96, 48}},
        {"no mapping mode record is the text mode", {.windowExtent = Extent16{96, 48}}, {2540, 1270}, {96, 48}},
        {"text mode", {.mapMode = kText, .windowExtent = Extent16{96, 48}}, {2540, 1270}, {96, 48}},
        {"hundredths of a millimetre", {.mapMode = kHighMetric, .windowExtent = Extent16{2540, 1270}}, {2540, 1270}, {96, 48}},
        {"tenths of a millimetre", {.mapMode = kLowMetric, .windowExtent = Extent16{254, 127}}, {2540, 1270}, {96, 48}},
        {"hundredths of an inch", {.mapMode = kLowEnglish, .windowExtent = Extent16{100, 50}}, {2540, 1270}, {96, 48}},
        {"twips, extent upside down", {.mapMode = kTwips, .windowExtent = Extent16{1440, -720}}, {2540, 1270}, {96, 48}},
        {"placeable with no units per inch falls back to the extent",
         {.placeableBounds = Bounds{0, 0, 10, 10}, .unitsPerInch = 0, .windowExtent = Extent16{96, 96}}, {2540, 2540}, {96, 96}},
        {"nothing names a size", {.mapMode = kAnisotropic}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfo info = imageCodec().readInfo(makeWmf(c.options));
        EXPECT_EQ(info.format, OfficeImageFormat::Wmf);
        EXPECT_EQ(info.metafileSizeInHundredthsOfMillimeter, c.hundredths);
        EXPECT_EQ(info.sizeInPixels, c.pixels);
        EXPECT_EQ(info.resolution, (ImageResolution{96, 96}));
    }
}

TEST(MetafileReaderTest, EnhancedMetafileSizes)
{
    struct Case {
        const char* name;
        EmfOptions options;
        ImageSize hundredths;
    };
    const Case cases[] = {
        {"the frame", {}, {2540, 1270}},
        {"a frame away from the origin", {.frame = {9375, -19250, 15313, -15656}}, {5938, 3594}},
        {"empty frame: bounds through the reference device", {.bounds = {0, 0, 100, 50}, .frame = {0, 0, 0, 0}, .devicePixels = {1000, 1000}, .deviceMillimeters = {254, 254}}, {2540, 1270}},
        {"empty frame, no device: bounds at 96 DPI", {.bounds = {0, 0, 96, 48}, .frame = {5, 5, 5, 5}, .devicePixels = {0, 0}}, {2540, 1270}},
        {"only a window extent", {.bounds = {0, 0, 0, 0}, .frame = {0, 0, 0, 0}, .windowExtent = Extent32{96, 48}}, {2540, 1270}},
        {"nothing usable", {.bounds = {0, 0, 0, 0}, .frame = {0, 0, 0, 0}}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageInfo info = imageCodec().readInfo(makeEmf(c.options));
        EXPECT_EQ(info.format, OfficeImageFormat::Emf);
        EXPECT_EQ(info.metafileSizeInHundredthsOfMillimeter, c.hundredths);
        EXPECT_EQ(info.resolution, (ImageResolution{96, 96}));
    }
    EXPECT_EQ(imageCodec().readInfo(makeEmf({})).sizeInPixels, (ImageSize{96, 48}));
}

TEST(MetafileReaderTest, MetafilesHaveNoPixelsHere)
{
    EXPECT_EQ(errorOf([] { return imageCodec().decode(makeEmf({})); }), "File format is not supported");
    EXPECT_EQ(errorOf([] { return imageCodec().decode(makeWmf({.windowExtent = Extent16{1, 1}})); }), "File format is not supported");
}

TEST(MetafileReaderTest, BrokenRecordsAreAnErrorNotALoop)
{
    struct Case {
        const char* name;
        Bytes bytes;
        const char* error;
    };
    Bytes wmfZeroRecord = makeWmf({.mapMode = kAnisotropic});
    wmfZeroRecord[18] = 0; // the first record's size in words
    Bytes emfZeroRecord = makeEmf({.windowExtent = Extent32{1, 1}});
    emfZeroRecord[88 + 4] = 0;
    Bytes emfOddRecord = makeEmf({.windowExtent = Extent32{1, 1}});
    emfOddRecord[88 + 4] = 10;
    Bytes emfHugeRecord = makeEmf({.windowExtent = Extent32{1, 1}});
    emfHugeRecord[88 + 7] = 0x7F;
    Bytes emfSmallHeader = makeEmf({});
    emfSmallHeader[4] = 40;
    Bytes placeableCut = makeWmf({.placeableBounds = Bounds{0, 0, 10, 10}});
    placeableCut.resize(16);
    const Case cases[] = {
        {"WMF record of no words", wmfZeroRecord, "Invalid WMF image: a record is shorter than its header"},
        {"WMF without its end record", makeWmf({.mapMode = kAnisotropic, .endRecord = false}), "Invalid WMF image: the data ends early"},
        {"placeable WMF cut in its header", placeableCut, "Invalid WMF image: the data ends early"},
        {"EMF record of no bytes", emfZeroRecord, "Invalid EMF image: a record has an impossible size"},
        {"EMF record size not a multiple of four", emfOddRecord, "a record has an impossible size"},
        {"EMF record past the end", emfHugeRecord, "Invalid EMF image: the data ends early"},
        {"EMF without its end record", makeEmf({.endRecord = false}), "the data ends early"},
        {"EMF header smaller than its fields", emfSmallHeader, "the metafile header is malformed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(c.bytes); }), HasSubstr(c.error));
    }
    const Bytes emf = makeEmf({.windowExtent = Extent32{1, 1}});
    for (size_t length = 44; length < emf.size(); ++length) {
        const Bytes cut(emf.begin(), emf.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THAT(errorOf([&] { return imageCodec().readInfo(cut); }), HasSubstr("Invalid EMF image")) << length;
    }
}

} // namespace
} // namespace velmo::platform
