#pragma once

#include "model/content_type.h"

namespace velmo::model {

class FloatingObjectAnchorRun;

/// The story of a text box. It has no sections, and it is referenced while an anchor run in another
/// story points at it.
class TextBoxContentType final : public ContentTypeBase {
public:
    explicit TextBoxContentType(DocumentModel& documentModel) : ContentTypeBase(documentModel, ContentTypeKind::TextBox) {}

    [[nodiscard]] bool isReferenced() const noexcept override { return anchorRun_ != nullptr; }
    /// Always -1: a text box belongs to no section.
    [[nodiscard]] SectionIndex lookupSectionIndexByParagraphIndex(ParagraphIndex) const override { return SectionIndex(-1); }

    /// The anchor run whose floating object shows the box, while it is in its story; else null.
    [[nodiscard]] FloatingObjectAnchorRun* anchorRun() const noexcept { return anchorRun_; }
    void setAnchorRun(FloatingObjectAnchorRun* run) noexcept { anchorRun_ = run; }

private:
    FloatingObjectAnchorRun* anchorRun_ = nullptr; // owns the content that owns this story while set
};

} // namespace velmo::model
