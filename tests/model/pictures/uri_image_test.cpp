#include "core/file_io.h"
#include "model/document_history.h"
#include "model/pictures/inline_picture_run.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/uri_image_load.h"
#include "model/piece_table.h"
#include "model/model_test_support.h"
#include "picture_test_support.h"
#include "platform/streams/local_uri_stream_service.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <condition_variable>
#include <mutex>

namespace velmo::model {
namespace {

using namespace std::chrono_literals;

std::u16string dataUri(const std::vector<uint8_t>& bytes)
{
    std::string encoded(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(encoded.data()), bytes.data(), static_cast<int>(bytes.size()));
    encoded.resize(static_cast<size_t>(length));
    return u"data:image/png;base64," + std::u16string(encoded.begin(), encoded.end());
}

/// A stream service that holds every fetch until released (or cancelled), then serves `bytes`.
class GatedStreamService final : public platform::IUriStreamService {
public:
    explicit GatedStreamService(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::optional<std::vector<uint8_t>> open(std::u16string_view, const std::atomic<bool>& cancelled) const override
    {
        std::unique_lock lock(mutex_);
        while (!released_ && !cancelled)
            changed_.wait_for(lock, 5ms);
        if (cancelled)
            return std::nullopt;
        return bytes_;
    }
    void release()
    {
        {
            const std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

private:
    std::vector<uint8_t> bytes_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool released_ = false;
};

class UriImageTest : public ::testing::Test {
protected:
    UriImageTest() { document_.images().setUriStreamService(&service_); }
    PieceTable& story() { return document_.mainPieceTable(); }

    platform::LocalUriStreamService service_;
    DocumentModel document_{nullptr, &testCodec()};
};

TEST_F(UriImageTest, ADataUriLoadsAtOnceWhenAskedToWait)
{
    const std::u16string uri = dataUri(pngBytes(100, 50));
    const auto reference = document_.images().createUriImage({uri}, {}, false);
    EXPECT_TRUE(reference->image().isLoaded());
    EXPECT_FALSE(reference->isLoadPending());
    EXPECT_EQ(reference->image().sizeInTwips(), (Size{1500, 750}));
    EXPECT_EQ(reference->image().uri(), uri);
    EXPECT_EQ(reference->uriList(), std::vector<std::u16string>{uri});
}

TEST_F(UriImageTest, WhatCannotBeFetchedStaysAPlaceholder)
{
    std::vector<uint8_t> damaged = pngBytes(10, 10);
    damaged.resize(damaged.size() / 2);
    const std::u16string uris[] = {u"https://example.com/picture.png", u"file:///no/such/file.png", dataUri(damaged),
                                   u"data:image/png;base64,@@@", u"ftp://example.com/x.png"};
    for (const std::u16string& uri : uris) {
        SCOPED_TRACE(std::string(uri.begin(), uri.end()));
        const auto reference = document_.images().createUriImage({uri}, {40, 30}, true);
        EXPECT_TRUE(document_.images().waitForImageLoads(10s));
        EXPECT_FALSE(reference->image().isLoaded());
        EXPECT_EQ(reference->image().sizeInPixels(), (platform::ImageSize{40, 30}));
    }
    DocumentModel withoutService(nullptr, &testCodec());
    const auto unserved = withoutService.images().createUriImage({dataUri(pngBytes(4, 4))}, {}, true);
    EXPECT_FALSE(unserved->isLoadPending());
    EXPECT_FALSE(unserved->image().isLoaded());
}

TEST_F(UriImageTest, TheFirstUriThatYieldsSomethingWins)
{
    const auto reference = document_.images().createUriImage(
        {u"https://example.com/unserved.png", dataUri(pngBytes(30, 10)), dataUri(pngBytes(20, 20))}, {}, false);
    EXPECT_EQ(reference->image().sizeInPixels(), (platform::ImageSize{30, 10}));
}

TEST_F(UriImageTest, AFetchedFileReplacesThePlaceholderOfAnInlinePictureWithoutAnUndoStep)
{
    testing::TemporaryFolder folder("uri-images");
    const std::string path = folder.file("photo.png");
    core::writeFileAtomically(path, pngBytes(100, 50, 72));
    GatedStreamService gate(core::readFile(path));
    document_.images().setUriStreamService(&gate);

    const auto linked = document_.images().createUriImage({u"file://" + std::u16string(path.begin(), path.end())}, {}, true);
    InlinePictureRun& run = insertInlinePicture(story(), DocumentLogPosition(0), *linked, 50, 50);
    EXPECT_FALSE(run.image()->image().isLoaded());
    EXPECT_EQ(run.originalSize(), (Size{480, 480})); // the 32-pixel placeholder
    EXPECT_EQ(document_.images().pendingLoadCount(), 1);

    document_.processCompletedImageLoads(); // nothing has arrived yet
    EXPECT_FALSE(run.image()->image().isLoaded());
    gate.release();
    EXPECT_TRUE(document_.images().waitForImageLoads(10s));
    ASSERT_TRUE(run.image()->image().isLoaded());
    EXPECT_EQ(run.originalSize(), (Size{2000, 1000}));
    EXPECT_EQ(run.actualSize(), (Size{1000, 500})); // the scale stays
    expectSound(document_);

    document_.history().undo(); // takes the picture out: the arrival was no step of its own
    EXPECT_EQ(story().storyText(), u"\r");
    EXPECT_FALSE(document_.history().canUndo());
}

TEST_F(UriImageTest, ATargetSizeOrADesiredSizeIsTakenWhenThePictureArrives)
{
    GatedStreamService gate(pngBytes(100, 50));
    document_.images().setUriStreamService(&gate);
    const auto targeted = document_.images().createUriImage({u"https://example.com/a.png"}, {200, 0}, true);
    const auto resized = document_.images().createUriImage({u"https://example.com/b.png"}, {}, true);
    InlinePictureRun& first = insertInlinePicture(story(), DocumentLogPosition(0), *targeted);
    InlinePictureRun& second = insertInlinePicture(story(), DocumentLogPosition(1), *resized);
    second.setActualSize({600, 300});
    gate.release();
    ASSERT_TRUE(document_.images().waitForImageLoads(10s));
    EXPECT_EQ(first.actualSize(), (Size{3000, 1500})); // 200 pixels at 96 DPI, height by the aspect ratio
    EXPECT_EQ(second.actualSize(), (Size{600, 300}));
    EXPECT_FLOAT_EQ(second.scaleX(), 40);
    expectSound(document_);
}

TEST_F(UriImageTest, ASaveWaitsOnlyUntilItsTimeOut)
{
    GatedStreamService gate(pngBytes(8, 8));
    document_.images().setUriStreamService(&gate);
    const auto reference = document_.images().createUriImage({u"https://example.com/slow.png"}, {}, true);
    EXPECT_FALSE(reference->ensureLoadComplete(20ms)); // the placeholder would be saved
    EXPECT_TRUE(reference->isLoadPending());
    gate.release();
    EXPECT_TRUE(reference->ensureLoadComplete(10s));
    EXPECT_EQ(reference->image().sizeInPixels(), (platform::ImageSize{8, 8}));
}

TEST_F(UriImageTest, ADocumentClosedDuringAFetchCancelsIt)
{
    GatedStreamService gate(pngBytes(8, 8));
    auto document = std::make_unique<DocumentModel>(nullptr, &testCodec());
    document->images().setUriStreamService(&gate);
    const auto reference = document->images().createUriImage({u"https://example.com/never.png"}, {}, true);
    InlinePictureRun& run = insertInlinePicture(document->mainPieceTable(), DocumentLogPosition(0), *reference);
    (void)run;
    document.reset(); // must not wait for the gate nor touch the freed document
    SUCCEED();
}

TEST_F(UriImageTest, ACopyInAnotherDocumentFetchesOnItsOwn)
{
    GatedStreamService gate(pngBytes(12, 6));
    document_.images().setUriStreamService(&gate);
    const auto original = document_.images().createUriImage({u"https://example.com/shared.png"}, {}, true);
    DocumentModel other(nullptr, &testCodec());
    other.images().setUriStreamService(&gate);
    const auto copy = other.images().cloneReference(*original);
    EXPECT_TRUE(copy->isLoadPending());
    EXPECT_EQ(copy->uri(), u"https://example.com/shared.png");
    gate.release();
    EXPECT_TRUE(other.images().waitForImageLoads(10s));
    EXPECT_TRUE(copy->image().isLoaded());
    EXPECT_FALSE(original->image().isLoaded()); // its own document has not applied its fetch yet
    document_.processCompletedImageLoads();
    EXPECT_TRUE(document_.images().waitForImageLoads(10s));
    EXPECT_TRUE(original->image().isLoaded());
}

} // namespace
} // namespace velmo::model
