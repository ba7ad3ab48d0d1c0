#pragma once

#include "model/pictures/image_cache.h"
#include "platform/image_codec.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace velmo::core {
class WorkerPool;
}
namespace velmo::platform {
class IUriStreamService;
}

namespace velmo::model {

class OfficeImage;
class OfficeImageReference;
class UriImageLoad;
struct UriLoadJob;

/// A document's pictures: the cache that holds each picture once, the codec that reads them, and the
/// fetching of linked pictures. Fetches run on a small pool of worker threads; only their result
/// touches the document, on the document's thread, in processCompletedImageLoads().
class DocumentImages {
public:
    /// Threads that fetch linked pictures; made on the first asynchronous fetch.
    static constexpr int32_t kWorkerThreadCount = 2;
    /// How long a save waits for pictures still being fetched before it stores their placeholders.
    static constexpr std::chrono::milliseconds kSaveWaitTimeout{10000};

    /// `codec` (optional, must outlive the document) reads and encodes pictures.
    explicit DocumentImages(const platform::IImageCodec* codec) noexcept;
    /// Cancels the fetches still under way and waits for the workers.
    ~DocumentImages();
    DocumentImages(const DocumentImages&) = delete;
    DocumentImages& operator=(const DocumentImages&) = delete;

    [[nodiscard]] const platform::IImageCodec* codec() const noexcept { return codec_; }
    [[nodiscard]] ImageCache& imageCache() noexcept { return cache_; }
    [[nodiscard]] const ImageCache& imageCache() const noexcept { return cache_; }
    /// Where linked pictures are fetched from (optional, must outlive the document, used from worker
    /// threads). Without one, linked pictures stay placeholders.
    void setUriStreamService(const platform::IUriStreamService* service) noexcept { streamService_ = service; }

    /// A reference to the cached picture equal to `image`; `image` goes into the cache when there is
    /// none, else it is freed.
    [[nodiscard]] std::unique_ptr<OfficeImageReference> createImage(std::unique_ptr<OfficeImage> image);
    /// Reads a picture from its bytes. A picture that cannot be read becomes a stand-in that keeps
    /// the bytes and says why (OfficeImage::loadError()); reading never fails otherwise.
    [[nodiscard]] std::unique_ptr<OfficeImageReference> createImage(std::span<const uint8_t> bytes);
    /// A picture linked from `uris` (tried in order), shown as a placeholder of `pixelTargetSize` until
    /// it arrives. Fetched on a worker when `asynchronous`, else at once on this thread.
    [[nodiscard]] std::unique_ptr<OfficeImageReference> createUriImage(std::vector<std::u16string> uris,
                                                                       platform::ImageSize pixelTargetSize,
                                                                       bool asynchronous);
    /// A reference of this document to the picture of `source`, which may belong to another document:
    /// then an equal copy of the picture is taken into this cache, and a fetch still under way there
    /// is started again here.
    [[nodiscard]] std::unique_ptr<OfficeImageReference> cloneReference(const OfficeImageReference& source);

    /// Applies the fetches that finished: their references switch to the real pictures. Call it on
    /// the document's thread (the application does from its event loop).
    void processCompletedImageLoads();
    /// Waits at most `timeout` for every fetch under way, then applies those that finished. True when
    /// none is left pending.
    bool waitForImageLoads(std::chrono::milliseconds timeout);
    [[nodiscard]] int32_t pendingLoadCount() const noexcept { return static_cast<int32_t>(pending_.size()); }

    /// Forgets every picture and cancels every fetch; nothing may refer to the pictures any more.
    void clear();

private:
    void startLoad(const std::shared_ptr<UriImageLoad>& load, bool asynchronous);

    const platform::IImageCodec* codec_;
    const platform::IUriStreamService* streamService_ = nullptr;
    ImageCache cache_;
    std::vector<std::shared_ptr<UriImageLoad>> pending_; // started, not yet completed
    std::unique_ptr<core::WorkerPool> workers_;          // last: joined before the rest goes
};

} // namespace velmo::model
