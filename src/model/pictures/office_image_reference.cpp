#include "model/pictures/office_image_reference.h"

#include "model/pictures/document_images.h"
#include "model/pictures/office_image.h"
#include "model/pictures/uri_image_load.h"

#include <cmath>

namespace velmo::model {

namespace {

/// The screen resolution a linked picture's target size in pixels is measured at.
constexpr double kScreenDpi = 96;

int32_t pixelsToTwips(int32_t pixels) noexcept
{
    return pixels > 0 ? static_cast<int32_t>(std::trunc(pixels * 1440.0 / kScreenDpi)) : 0;
}

} // namespace

OfficeImageReference::~OfficeImageReference()
{
    if (uriLoad_)
        uriLoad_->unregisterReference(*this);
}

const std::vector<std::u16string>& OfficeImageReference::uriList() const noexcept
{
    static const std::vector<std::u16string> kNone;
    return uriLoad_ ? uriLoad_->uris() : kNone;
}

std::u16string OfficeImageReference::uri() const
{
    const auto& uris = uriList();
    return uris.empty() ? std::u16string() : uris.front();
}

bool OfficeImageReference::isLoadPending() const noexcept
{
    return uriLoad_ && uriLoad_->isPending();
}

bool OfficeImageReference::ensureLoadComplete(std::chrono::milliseconds timeout)
{
    if (image_->isLoaded() || !isLoadPending())
        return image_->isLoaded();
    if (uriLoad_->waitUntil(std::chrono::steady_clock::now() + timeout))
        uriLoad_->images().processCompletedImageLoads();
    return image_->isLoaded();
}

void OfficeImageReference::attachUriLoad(std::shared_ptr<UriImageLoad> load, platform::ImageSize pixelTargetSize)
{
    if (uriLoad_)
        uriLoad_->unregisterReference(*this);
    uriLoad_ = std::move(load);
    pixelTargetSize_ = pixelTargetSize;
    if (uriLoad_)
        uriLoad_->registerReference(*this);
}

void OfficeImageReference::replaceImage(OfficeImage& image)
{
    if (listener_)
        listener_->onNativeImageChanging();
    image_ = &image;
    if (listener_)
        listener_->onNativeImageChanged({pixelsToTwips(pixelTargetSize_.width), pixelsToTwips(pixelTargetSize_.height)});
}

} // namespace velmo::model
