#pragma once

#include "model/pictures/inline_picture_info.h"
#include "model/pictures/picture_container_run.h"
#include "model/runs.h"

#include <functional>
#include <memory>

namespace velmo::model {

class OfficeImageReference;
class PictureFloatingObjectContent;

/// A picture in the line of text (U+FFFC in the buffer): its picture content and its properties,
/// shared through the document's cache. A run made bare (by insertObjectRun) shows no picture and has
/// an unscaled size of 1 x 1 until a picture is given to it.
class InlinePictureRun final : public InlineObjectRun, public IPictureContainerRun {
public:
    /// Largest scale in percent.
    static constexpr float kMaxScale = 100000;

    InlinePictureRun(Paragraph& paragraph, int32_t startIndex, int32_t length);
    ~InlinePictureRun() override;

    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::InlinePicture; }
    [[nodiscard]] std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const override;
    void afterRunInserted() override { inStory_ = true; }
    void beforeRunRemoved() override { inStory_ = false; }

    /// The picture shown; null for a bare run.
    [[nodiscard]] PictureFloatingObjectContent* content() const noexcept { return content_.get(); }
    [[nodiscard]] OfficeImageReference* image() const noexcept;
    /// Gives a run just inserted its picture (part of the insertion, not a step of its own).
    void setContent(std::unique_ptr<PictureFloatingObjectContent> content);

    [[nodiscard]] const InlinePictureInfo& pictureInfo() const;
    [[nodiscard]] int32_t pictureInfoIndex() const noexcept { return pictureInfoIndex_; }
    /// Sets the index without history (a run being made).
    void setPictureInfoIndexInitial(int32_t index) noexcept { pictureInfoIndex_ = index; }
    /// Changes the properties as one undoable step.
    void changePictureInfo(const std::function<void(InlinePictureInfo&)>& change);

    /// Throws the invalid-value error for a scale that is not a number above 0 and at most kMaxScale.
    void setScaleX(float scale);
    void setScaleY(float scale);
    /// The unscaled size in model units (1 x 1 for a bare run).
    [[nodiscard]] Size originalSize() const noexcept;
    [[nodiscard]] bool lockAspectRatio() const { return pictureInfo().lockAspectRatio; }
    [[nodiscard]] ImageSizeMode sizing() const { return pictureInfo().sizing; }
    [[nodiscard]] ResizingShadowDisplayMode resizingShadowDisplayMode() const { return pictureInfo().resizingShadowDisplayMode; }

    // IPictureContainerRun
    [[nodiscard]] TextRunBase& containerRun() noexcept override { return *this; }
    [[nodiscard]] bool isInStory() const noexcept override { return inStory_; }
    [[nodiscard]] float scaleX() const override { return pictureInfo().scaleX; }
    [[nodiscard]] float scaleY() const override { return pictureInfo().scaleY; }
    /// round(originalSize x scale / 100) on each axis.
    [[nodiscard]] Size actualSize() const override;
    void setActualSize(Size size) override;
    void setActualSizeInternal(Size size) override;
    [[nodiscard]] DocumentModelChangeActions batchUpdateChangeActions() const override;

private:
    std::unique_ptr<PictureFloatingObjectContent> content_;
    int32_t pictureInfoIndex_ = 0;
    bool inStory_ = false;
};

} // namespace velmo::model
