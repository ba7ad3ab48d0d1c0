#pragma once

#include "model/pictures/floating_object.h"
#include "model/pictures/picture_container_run.h"
#include "model/runs.h"

#include <memory>
#include <string>

namespace velmo::model {

/// Where a floating object is anchored (U+0008 in the buffer). It owns the object; the layout places
/// the object and measures the anchor as an empty box.
class FloatingObjectAnchorRun final : public TextRunBase, public IPictureContainerRun {
public:
    FloatingObjectAnchorRun(Paragraph& paragraph, int32_t startIndex, int32_t length);
    ~FloatingObjectAnchorRun() override;

    [[nodiscard]] RunKind kind() const noexcept override { return RunKind::FloatingObjectAnchor; }
    void appendPlainText(std::u16string& target, const ChunkedStringBuilder& buffer) const override;
    [[nodiscard]] std::unique_ptr<RunBase> clone(Paragraph& paragraph, int32_t startIndex, int32_t length) const override;
    void afterRunInserted() override;
    void beforeRunRemoved() override;

    [[nodiscard]] FloatingObject& floatingObject() const noexcept { return *floatingObject_; }
    [[nodiscard]] const FloatingObjectInfo& floatingObjectInfo() const { return floatingObject_->info(); }
    [[nodiscard]] const ShapeFormatting& shape() const { return floatingObject_->shape(); }
    [[nodiscard]] CustomObjectContent& content() const noexcept { return floatingObject_->content(); }
    [[nodiscard]] const std::u16string& name() const noexcept { return name_; }
    void setName(std::u16string name) { name_ = std::move(name); }

    /// The content's unscaled size.
    [[nodiscard]] Size originalSize() const noexcept { return content().originalSize(); }
    [[nodiscard]] bool lockAspectRatio() const { return floatingObjectInfo().lockAspectRatio; }
    /// Shown width over unscaled width, in percent; 100 for a picture placed while still a placeholder.
    [[nodiscard]] float scaleX() const override;
    [[nodiscard]] float scaleY() const override;
    /// Changes the shown width to round(unscaled width x |scale| / 100).
    void setScaleX(float scale);
    void setScaleY(float scale);

    // IPictureContainerRun
    [[nodiscard]] TextRunBase& containerRun() noexcept override { return *this; }
    [[nodiscard]] bool isInStory() const noexcept override { return inStory_; }
    [[nodiscard]] Size actualSize() const override { return floatingObjectInfo().actualSize; }
    void setActualSize(Size size) override { floatingObject_->setActualSize(size); }
    void setActualSizeInternal(Size size) override { floatingObject_->setActualSize(size); }
    [[nodiscard]] DocumentModelChangeActions batchUpdateChangeActions() const override;

private:
    [[nodiscard]] bool hasPlaceholderSize() const noexcept;

    std::unique_ptr<FloatingObject> floatingObject_;
    std::u16string name_;
    bool inStory_ = false;
};

} // namespace velmo::model
