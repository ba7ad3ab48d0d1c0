#include "model/pictures/document_images.h"

#include "core/worker_pool.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "model/pictures/uri_image_load.h"
#include "platform/uri_stream_service.h"

#include <algorithm>

namespace velmo::model {

namespace {

/// The first URI that yields bytes, decoded; null when none does, the bytes do not decode, or the
/// fetch was cancelled. Runs on a worker thread and touches nothing of the document.
std::unique_ptr<OfficeImage> fetchImage(const platform::IImageCodec& codec, const platform::IUriStreamService& service,
                                        const std::vector<std::u16string>& uris, const std::atomic<bool>& cancelled)
{
    for (const std::u16string& uri : uris) {
        if (cancelled)
            return nullptr;
        std::optional<std::vector<uint8_t>> bytes = service.open(uri, cancelled);
        if (bytes)
            return OfficeImage::createImage(codec, *bytes);
    }
    return nullptr;
}

} // namespace

DocumentImages::DocumentImages(const platform::IImageCodec* codec) noexcept : codec_(codec) {}

DocumentImages::~DocumentImages()
{
    for (const auto& load : pending_)
        load->cancel();
    workers_.reset(); // joins: no worker runs past this point
}

std::unique_ptr<OfficeImageReference> DocumentImages::createImage(std::unique_ptr<OfficeImage> image)
{
    return std::make_unique<OfficeImageReference>(cache_, cache_.add(std::move(image)));
}

std::unique_ptr<OfficeImageReference> DocumentImages::createImage(std::span<const uint8_t> bytes)
{
    std::string error = "File format is not supported";
    std::unique_ptr<OfficeImage> image = codec_ ? OfficeImage::createImage(*codec_, bytes, &error) : nullptr;
    if (!image)
        image = OfficeImage::createUnreadable(codec_, bytes, error);
    return createImage(std::move(image));
}

std::unique_ptr<OfficeImageReference> DocumentImages::createUriImage(std::vector<std::u16string> uris,
                                                                     platform::ImageSize pixelTargetSize, bool asynchronous)
{
    auto reference = createImage(OfficeImage::createPlaceholder(codec_, pixelTargetSize));
    auto load = std::make_shared<UriImageLoad>(*this, std::move(uris));
    reference->attachUriLoad(load, pixelTargetSize);
    startLoad(load, asynchronous);
    return reference;
}

void DocumentImages::startLoad(const std::shared_ptr<UriImageLoad>& load, bool asynchronous)
{
    if (!streamService_ || !codec_ || load->uris().empty())
        return; // nothing can fetch it: it stays a placeholder
    if (!asynchronous) {
        const std::atomic<bool> notCancelled{false};
        load->complete(fetchImage(*codec_, *streamService_, load->uris(), notCancelled));
        return;
    }
    auto job = std::make_shared<UriLoadJob>(load->uris());
    load->setJob(job);
    pending_.push_back(load);
    if (!workers_)
        workers_ = std::make_unique<core::WorkerPool>(kWorkerThreadCount);
    workers_->post([job, codec = codec_, service = streamService_] {
        std::unique_ptr<OfficeImage> image = fetchImage(*codec, *service, job->uris, job->cancelled);
        {
            const std::lock_guard lock(job->mutex);
            job->image = std::move(image);
            job->done = true;
        }
        job->finished.notify_all();
    });
}

std::unique_ptr<OfficeImageReference> DocumentImages::cloneReference(const OfficeImageReference& source)
{
    const bool sameDocument = &source.owner() == &cache_;
    OfficeImage& image = sameDocument ? source.image() : cache_.add(source.image().clone());
    auto reference = std::make_unique<OfficeImageReference>(cache_, image);
    if (!source.isUriImage())
        return reference;
    if (sameDocument) {
        reference->attachUriLoad(source.uriLoad(), source.pixelTargetSize());
        return reference;
    }
    // A fetch belongs to its document's workers: another document starts its own.
    auto load = std::make_shared<UriImageLoad>(*this, source.uriList());
    reference->attachUriLoad(load, source.pixelTargetSize());
    if (source.isLoadPending())
        startLoad(load, true);
    return reference;
}

void DocumentImages::processCompletedImageLoads()
{
    // Completing may run picture adjustments that start nothing new, but take the list first anyway.
    std::vector<std::shared_ptr<UriImageLoad>> finished;
    std::erase_if(pending_, [&finished](const std::shared_ptr<UriImageLoad>& load) {
        if (!load->isJobDone())
            return false;
        finished.push_back(load);
        return true;
    });
    for (const auto& load : finished)
        load->complete();
}

bool DocumentImages::waitForImageLoads(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (const auto& load : pending_)
        (void)load->waitUntil(deadline);
    processCompletedImageLoads();
    return pending_.empty();
}

void DocumentImages::clear()
{
    for (const auto& load : pending_)
        load->cancel();
    pending_.clear();
    cache_.clear();
}

} // namespace velmo::model
