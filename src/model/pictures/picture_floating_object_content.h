#pragma once

#include "model/pictures/custom_object_content.h"
#include "model/pictures/office_image_reference.h"

#include <memory>
#include <optional>

namespace velmo::model {

class IPictureContainerRun;

/// A picture shown by a run (inline or floating): a reference into the run's document's image cache
/// and the picture's unscaled size. When a linked picture arrives, it takes the new picture's size and
/// adjusts its run; that adjustment is not an undoable step.
class PictureFloatingObjectContent final : public CustomObjectContent, private IImageReferenceListener {
public:
    /// Shows the picture `image` refers to (of any document: it is taken into `run`'s document).
    PictureFloatingObjectContent(IPictureContainerRun& run, const OfficeImageReference& image);
    ~PictureFloatingObjectContent() override;

    [[nodiscard]] ObjectContentKind kind() const noexcept override { return ObjectContentKind::Picture; }
    [[nodiscard]] OfficeImageReference& image() const noexcept { return *image_; }
    [[nodiscard]] IPictureContainerRun& run() const noexcept { return *run_; }
    /// Sizes come from the picture's pixels at the screen resolution instead of its own resolution.
    [[nodiscard]] bool useScreenDpi() const noexcept { return useScreenDpi_; }
    void setUseScreenDpi(bool value) noexcept { useScreenDpi_ = value; }
    /// Set by readers that placed a picture while it was still a placeholder: its scale reads 100.
    [[nodiscard]] bool invalidActualSize() const noexcept { return invalidActualSize_; }
    void setInvalidActualSize(bool value) noexcept { invalidActualSize_ = value; }

    /// The size the picture should take once its linked image arrives (kept per picture: pictures
    /// waiting for the same URI share one placeholder image).
    [[nodiscard]] const std::optional<Size>& desiredSizeAfterLoad() const noexcept { return desiredSizeAfterLoad_; }
    void setDesiredSizeAfterLoad(Size size) noexcept { desiredSizeAfterLoad_ = size; }

    [[nodiscard]] std::unique_ptr<CustomObjectContent> clone(IPictureContainerRun& run, DocumentModel& targetDocument) const override;

private:
    void onNativeImageChanging() override;
    void onNativeImageChanged(Size sizeInTwips) override;
    /// The size the run should take for a requested size in twips (0 x 0: none requested).
    [[nodiscard]] Size sizeForRequest(Size requestedTwips) const;

    IPictureContainerRun* run_; // owns this content
    std::unique_ptr<OfficeImageReference> image_;
    std::optional<Size> desiredSizeAfterLoad_;
    bool useScreenDpi_ = false;
    bool invalidActualSize_ = false;
};

} // namespace velmo::model
