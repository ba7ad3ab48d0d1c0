#include "core/editor_exception.h"
#include "model/pictures/document_images.h"
#include "model/pictures/image_cache.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "picture_test_support.h"
#include "platform/image_fixtures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <functional>

namespace velmo::model {
namespace {

using Bytes = std::vector<uint8_t>;

uint32_t zlibCrc(const Bytes& bytes)
{
    return static_cast<uint32_t>(::crc32_z(::crc32_z(0, Z_NULL, 0), bytes.data(), bytes.size()));
}

/// `bytes` with four bytes appended so that its CRC-32 becomes `target`. CRC-32 is affine over GF(2),
/// so the 32 bits to append solve a linear system.
Bytes forgeCrc(Bytes bytes, uint32_t target)
{
    const size_t end = bytes.size();
    bytes.resize(end + 4, 0);
    const auto crcWith = [&](uint32_t suffix) {
        for (size_t index = 0; index < 4; ++index)
            bytes[end + index] = static_cast<uint8_t>(suffix >> (8 * index));
        return zlibCrc(bytes);
    };
    const uint32_t base = crcWith(0);
    // basis[b]: a combination of suffix bits (second) whose effect (first) has its top bit at b.
    std::array<std::pair<uint32_t, uint32_t>, 32> basis{};
    for (uint32_t bit = 0; bit < 32; ++bit) {
        uint32_t effect = crcWith(uint32_t{1} << bit) ^ base;
        uint32_t combination = uint32_t{1} << bit;
        for (int top = 31; top >= 0 && effect != 0; --top) {
            if ((effect >> top & 1) == 0)
                continue;
            if (basis[static_cast<size_t>(top)].first == 0) {
                basis[static_cast<size_t>(top)] = {effect, combination};
                break;
            }
            effect ^= basis[static_cast<size_t>(top)].first;
            combination ^= basis[static_cast<size_t>(top)].second;
        }
    }
    uint32_t wanted = target ^ base;
    uint32_t suffix = 0;
    for (int top = 31; top >= 0; --top) {
        if ((wanted >> top & 1) != 0) {
            wanted ^= basis[static_cast<size_t>(top)].first;
            suffix ^= basis[static_cast<size_t>(top)].second;
        }
    }
    (void)crcWith(suffix);
    return bytes;
}

struct SizeCase {
    const char* name;
    std::function<Bytes()> bytes;
    platform::ImageSize pixels;
    Size twips;
    Size hundredthsOfMillimeter;
    Size originalUnits;
};

TEST(OfficeImageSizeTest, SizesFollowResolutionAndMetafileFrames)
{
    using testing::EmfOptions;
    using testing::WmfOptions;
    const SizeCase cases[] = {
        {"96 DPI bitmap", [] { return pngBytes(100, 50, 96); }, {100, 50}, {1500, 750}, {2646, 1323}, {100, 50}},
        {"72 DPI bitmap", [] { return pngBytes(100, 50, 72); }, {100, 50}, {2000, 1000}, {3528, 1764}, {100, 50}},
        {"300 DPI bitmap", [] { return pngBytes(300, 150, 300); }, {300, 150}, {1440, 720}, {2540, 1270}, {300, 150}},
        {"EMF frame of 2540 x 1270", [] { return testing::makeEmf(EmfOptions{}); }, {96, 48}, {1440, 720}, {2540, 1270}, {2540, 1270}},
        {"placeable WMF of an inch by half an inch",
         [] {
             WmfOptions options;
             options.placeableBounds = std::array<int16_t, 4>{0, 0, 1440, 720};
             return testing::makeWmf(options);
         },
         {96, 48}, {1440, 720}, {2540, 1270}, {2540, 1270}},
        {"WMF that names no size is at least 1 x 1", [] { return testing::makeWmf(WmfOptions{}); }, {1, 1}, {1, 1}, {1, 1}, {1, 1}},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        const std::unique_ptr<OfficeImage> image = OfficeImage::createImage(testCodec(), c.bytes(), &error);
        ASSERT_NE(image, nullptr) << error;
        EXPECT_EQ(image->sizeInPixels(), c.pixels);
        EXPECT_EQ(image->sizeInTwips(), c.twips);
        EXPECT_EQ(image->sizeInModelUnits(), c.twips);
        EXPECT_EQ(image->sizeInHundredthsOfMillimeter(), c.hundredthsOfMillimeter);
        EXPECT_EQ(image->sizeInOriginalUnits(), c.originalUnits);
        if (image->isMetafile()) {
            EXPECT_EQ(image->horizontalResolution(), 96);
            EXPECT_EQ(image->verticalResolution(), 96);
        }
    }
}

TEST(OfficeImageSizeTest, AReaderMaySetAMetafileSize)
{
    std::unique_ptr<OfficeImage> image = OfficeImage::createImage(testCodec(), testing::makeEmf(testing::EmfOptions{}));
    ASSERT_NE(image, nullptr);
    image->setMetafileSizeInHundredthsOfMillimeter({5080, 2540});
    EXPECT_EQ(image->sizeInTwips(), (Size{2880, 1440}));
}

TEST(OfficeImageReadTest, DamagedOrUnknownDataGivesNoImageAndTheReason)
{
    Bytes truncated = pngBytes(40, 40);
    truncated.resize(truncated.size() - 30);
    const Bytes unknown = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    for (const Bytes& bytes : {truncated, unknown}) {
        std::string error;
        EXPECT_EQ(OfficeImage::createImage(testCodec(), bytes, &error), nullptr);
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    (void)OfficeImage::createImage(testCodec(), unknown, &error);
    EXPECT_EQ(error, "File format is not supported");
}

TEST(OfficeImageReadTest, ADocumentKeepsAnUnreadablePictureAsAStandInWithItsBytes)
{
    DocumentModel document(nullptr, &testCodec());
    Bytes truncated = pngBytes(40, 20);
    truncated.resize(truncated.size() - 30);
    const auto reference = document.images().createImage(truncated);
    const OfficeImage& image = reference->image();
    EXPECT_FALSE(image.loadError().empty());
    EXPECT_TRUE(image.isLoaded());
    EXPECT_EQ(image.bytes(), truncated); // saving it loses nothing
    EXPECT_EQ(image.rawFormat(), OfficeImageFormat::Png);
    EXPECT_EQ(image.sizeInPixels(), (platform::ImageSize{40, 20})); // the header was still readable

    DocumentModel withoutCodec;
    const auto unread = withoutCodec.images().createImage(pngBytes(4, 4));
    EXPECT_EQ(unread->image().loadError(), "File format is not supported");
    EXPECT_EQ(unread->image().sizeInPixels(), (platform::ImageSize{OfficeImage::kPlaceholderSide, OfficeImage::kPlaceholderSide}));
}

TEST(OfficeImageBytesTest, ConvertsRasterPicturesToPngAndJpegOnly)
{
    const std::unique_ptr<OfficeImage> png = OfficeImage::createImage(testCodec(), pngBytes(8, 4));
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(png->imageBytes(testCodec(), OfficeImageFormat::Png), png->bytes());
    const Bytes jpeg = png->imageBytes(testCodec(), OfficeImageFormat::Jpeg);
    EXPECT_EQ(testCodec().detectFormat(jpeg), OfficeImageFormat::Jpeg);
    EXPECT_EQ(testCodec().readInfo(jpeg).sizeInPixels, (platform::ImageSize{8, 4}));

    const std::unique_ptr<OfficeImage> emf = OfficeImage::createImage(testCodec(), testing::makeEmf(testing::EmfOptions{}));
    ASSERT_NE(emf, nullptr);
    EXPECT_THROW((void)emf->imageBytes(testCodec(), OfficeImageFormat::Png), core::EditorException);
    EXPECT_EQ(emf->imageBytesSafe(testCodec(), OfficeImageFormat::Png), emf->bytes());
    EXPECT_EQ(OfficeImage::contentType(OfficeImageFormat::Emf), "application/x-msmetafile");
    EXPECT_EQ(OfficeImage::extension(OfficeImageFormat::Jpeg), "jpg");
    EXPECT_EQ(OfficeImage::contentType(OfficeImageFormat::Exif), "");
}

TEST(ImageCacheTest, EqualPicturesAreHeldOnce)
{
    DocumentModel document(nullptr, &testCodec());
    const auto first = pngPicture(document, 10, 10);
    const auto second = pngPicture(document, 10, 10);
    const auto other = pngPicture(document, 10, 10, 96, 0xFF0000FF);
    EXPECT_EQ(&first->image(), &second->image());
    EXPECT_NE(&first->image(), &other->image());
    EXPECT_EQ(document.images().imageCache().count(), 2);
    EXPECT_EQ(document.images().imageCache().keyOf(&first->image()), int64_t{first->image().crc32()});
    const std::unique_ptr<OfficeImage> stranger = OfficeImage::createImage(testCodec(), pngBytes(3, 3));
    EXPECT_EQ(document.images().imageCache().keyOf(stranger.get()), -1);
}

TEST(ImageCacheTest, PicturesWhoseKeysCollideStayApart)
{
    ImageCache cache([](const OfficeImage&) { return 7u; }); // every picture under one key
    OfficeImage& red = cache.add(OfficeImage::createImage(testCodec(), pngBytes(4, 4, 96, 0xFF0000FF)));
    OfficeImage& blue = cache.add(OfficeImage::createImage(testCodec(), pngBytes(4, 4, 96, 0x0000FFFF)));
    EXPECT_NE(&red, &blue);
    EXPECT_EQ(cache.count(), 2);
    const std::unique_ptr<OfficeImage> blueAgain = OfficeImage::createImage(testCodec(), pngBytes(4, 4, 96, 0x0000FFFF));
    EXPECT_EQ(cache.findEqual(*blueAgain), &blue);
    EXPECT_EQ(&cache.add(OfficeImage::createImage(testCodec(), pngBytes(4, 4, 96, 0xFF0000FF))), &red);
    EXPECT_EQ(cache.count(), 2);
}

TEST(ImageCacheTest, TwoRealPicturesWithTheSameCrcNeverSwap)
{
    // The second PNG gets four bytes after its end chunk (which decoders ignore) chosen so that its
    // CRC-32 equals the first one's.
    const Bytes green = pngBytes(6, 6, 96, 0x00FF00FF);
    const Bytes gray = forgeCrc(pngBytes(6, 6, 96, 0x808080FF), zlibCrc(green));
    ASSERT_EQ(zlibCrc(green), zlibCrc(gray));
    ASSERT_NE(green, gray);

    DocumentModel document(nullptr, &testCodec());
    const auto greenPicture = document.images().createImage(green);
    const auto grayPicture = document.images().createImage(gray);
    ASSERT_TRUE(grayPicture->image().loadError().empty()) << grayPicture->image().loadError();
    EXPECT_NE(&greenPicture->image(), &grayPicture->image());
    EXPECT_EQ(greenPicture->image().bytes(), green);
    EXPECT_EQ(grayPicture->image().bytes(), gray);
    EXPECT_EQ(document.images().imageCache().count(), 2);

    // Taken into another document, each still finds its own bytes.
    DocumentModel other(nullptr, &testCodec());
    const auto grayCopy = other.images().cloneReference(*grayPicture);
    const auto greenCopy = other.images().cloneReference(*greenPicture);
    EXPECT_EQ(grayCopy->image().bytes(), gray);
    EXPECT_EQ(greenCopy->image().bytes(), green);
}

TEST(ImageCacheTest, PlaceholdersOfOneSizeAreShared)
{
    DocumentModel document(nullptr, &testCodec());
    const auto first = document.images().createUriImage({u"https://example.com/a.png"}, {20, 10}, false);
    const auto second = document.images().createUriImage({u"https://example.com/b.png"}, {20, 10}, false);
    EXPECT_FALSE(first->image().isLoaded());
    EXPECT_EQ(&first->image(), &second->image());
    EXPECT_EQ(first->image().sizeInPixels(), (platform::ImageSize{20, 10}));
    EXPECT_EQ(testCodec().detectFormat(first->image().bytes()), OfficeImageFormat::Png);

    // A document may ask for any size: the placeholder reports it but is never drawn that large.
    const auto huge = document.images().createUriImage({u"https://example.com/c.png"}, {60000, 60000}, false);
    EXPECT_EQ(huge->image().sizeInPixels(), (platform::ImageSize{60000, 60000}));
    EXPECT_EQ(testCodec().readInfo(huge->image().bytes()).sizeInPixels, (platform::ImageSize{512, 512}));
}

} // namespace
} // namespace velmo::model
