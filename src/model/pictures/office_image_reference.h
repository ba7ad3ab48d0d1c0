#pragma once

#include "model/pictures/geometry.h"
#include "platform/image_codec.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace velmo::model {

class ImageCache;
class OfficeImage;
class UriImageLoad;

/// What a picture hears of its reference: a linked picture's real image replacing its placeholder.
class IImageReferenceListener {
public:
    virtual ~IImageReferenceListener() = default;
    virtual void onNativeImageChanging() = 0;
    /// `sizeInTwips` is the target size the picture was linked with, 0 x 0 when it has none.
    virtual void onNativeImageChanged(Size sizeInTwips) = 0;
};

/// What runs hold: a pointer to a picture shared through a document's ImageCache. A reference to a
/// linked picture (made from URIs) starts at a placeholder and is switched to the real picture, on
/// the document's thread, once it has been fetched. References never free the picture.
class OfficeImageReference {
public:
    OfficeImageReference(ImageCache& owner, OfficeImage& image) noexcept : owner_(&owner), image_(&image) {}
    ~OfficeImageReference();
    OfficeImageReference(const OfficeImageReference&) = delete;
    OfficeImageReference& operator=(const OfficeImageReference&) = delete;

    [[nodiscard]] OfficeImage& image() const noexcept { return *image_; }
    [[nodiscard]] ImageCache& owner() const noexcept { return *owner_; }

    /// Whether the picture comes from URIs.
    [[nodiscard]] bool isUriImage() const noexcept { return uriLoad_ != nullptr; }
    /// The URIs tried in order; empty for an embedded picture.
    [[nodiscard]] const std::vector<std::u16string>& uriList() const noexcept;
    /// The first URI.
    [[nodiscard]] std::u16string uri() const;
    /// The size the linked picture was asked for in pixels; 0 on an axis means the picture's own.
    [[nodiscard]] platform::ImageSize pixelTargetSize() const noexcept { return pixelTargetSize_; }
    /// Whether a fetch for this picture is still under way.
    [[nodiscard]] bool isLoadPending() const noexcept;
    /// Waits at most `timeout` for a pending fetch and, when it finished, switches to the real
    /// picture. True when the picture is loaded afterwards. Writers call it before storing a
    /// picture, so that a save never waits without bound: after the time-out the placeholder is saved.
    bool ensureLoadComplete(std::chrono::milliseconds timeout);

    /// The picture content told about image switches; null for none. Not owned.
    void setListener(IImageReferenceListener* listener) noexcept { listener_ = listener; }

    // Used by the document's image service.
    void attachUriLoad(std::shared_ptr<UriImageLoad> load, platform::ImageSize pixelTargetSize);
    [[nodiscard]] const std::shared_ptr<UriImageLoad>& uriLoad() const noexcept { return uriLoad_; }
    /// Points at `image` (of the same cache), telling the listener before and after.
    void replaceImage(OfficeImage& image);

private:
    ImageCache* owner_;   // the document's cache; outlives every reference into it
    OfficeImage* image_;  // owned by owner_
    IImageReferenceListener* listener_ = nullptr;
    std::shared_ptr<UriImageLoad> uriLoad_; // shared by every reference to the same linked picture
    platform::ImageSize pixelTargetSize_;
};

} // namespace velmo::model
