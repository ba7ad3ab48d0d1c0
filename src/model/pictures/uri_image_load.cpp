#include "model/pictures/uri_image_load.h"

#include "model/pictures/document_images.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"

#include <algorithm>

namespace velmo::model {

void UriImageLoad::registerReference(OfficeImageReference& reference)
{
    references_.push_back(&reference);
}

void UriImageLoad::unregisterReference(OfficeImageReference& reference) noexcept
{
    std::erase(references_, &reference);
}

bool UriImageLoad::isJobDone() const
{
    if (!job_)
        return false;
    const std::lock_guard lock(job_->mutex);
    return job_->done;
}

bool UriImageLoad::waitUntil(std::chrono::steady_clock::time_point deadline) const
{
    if (!job_)
        return true;
    std::unique_lock lock(job_->mutex);
    return job_->finished.wait_until(lock, deadline, [this] { return job_->done; });
}

void UriImageLoad::complete()
{
    std::unique_ptr<OfficeImage> image;
    if (job_) {
        const std::lock_guard lock(job_->mutex);
        image = std::move(job_->image);
    }
    complete(std::move(image));
}

void UriImageLoad::complete(std::unique_ptr<OfficeImage> image)
{
    job_.reset();
    if (!image)
        return; // nothing decodable arrived: the references keep the placeholder
    OfficeImage& cached = images_.imageCache().add(std::move(image));
    cached.setLoaded(true);
    if (!uris_.empty())
        cached.setUri(uris_.front());
    // A listener may drop references while it adjusts its run; walk a copy.
    const std::vector<OfficeImageReference*> references = references_;
    for (OfficeImageReference* reference : references) {
        if (std::ranges::find(references_, reference) != references_.end())
            reference->replaceImage(cached);
    }
}

void UriImageLoad::cancel() noexcept
{
    if (job_)
        job_->cancelled = true;
    job_.reset();
}

} // namespace velmo::model
