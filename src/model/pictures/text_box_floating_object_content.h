#pragma once

#include "model/pictures/custom_object_content.h"
#include "model/pictures/text_box_formatting.h"

#include <functional>
#include <memory>

namespace velmo::model {

class IPictureContainerRun;
class TextBoxContentType;

/// A floating object that shows a text box: a story of its own and the box's margins and text
/// placement. Its unscaled size is always 1000 x 1000.
class TextBoxFloatingObjectContent final : public CustomObjectContent {
public:
    /// A new box with one empty paragraph in `documentModel`, shown by `run`.
    TextBoxFloatingObjectContent(IPictureContainerRun& run, DocumentModel& documentModel);
    ~TextBoxFloatingObjectContent() override;

    [[nodiscard]] ObjectContentKind kind() const noexcept override { return ObjectContentKind::TextBox; }
    [[nodiscard]] TextBoxContentType& textBox() const noexcept { return *textBox_; }
    [[nodiscard]] const TextBoxFormatting& properties() const;
    [[nodiscard]] int32_t propertiesIndex() const noexcept { return propertiesIndex_; }
    /// Sets the index without history (a content not shown yet).
    void setPropertiesIndexInitial(int32_t index) noexcept { propertiesIndex_ = index; }
    /// Changes the box's properties as one undoable step.
    void changeProperties(const std::function<void(TextBoxFormatting&)>& change);

    /// A new box in `targetDocument` with a copy of this box's text and properties.
    [[nodiscard]] std::unique_ptr<CustomObjectContent> clone(IPictureContainerRun& run, DocumentModel& targetDocument) const override;

private:
    IPictureContainerRun* run_;                  // owns the floating object that owns this content
    std::unique_ptr<TextBoxContentType> textBox_;
    int32_t propertiesIndex_ = 0;
};

} // namespace velmo::model
