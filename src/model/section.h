#pragma once

#include "core/positions.h"

namespace velmo::model {

/// A section of the main story: a run of whole paragraphs, the last of which ends with a section
/// mark unless the section is the document's last.
class Section {
public:
    Section(ParagraphIndex firstParagraphIndex, ParagraphIndex lastParagraphIndex) noexcept
        : firstParagraphIndex_(firstParagraphIndex), lastParagraphIndex_(lastParagraphIndex)
    {
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    [[nodiscard]] ParagraphIndex firstParagraphIndex() const noexcept { return firstParagraphIndex_; }
    [[nodiscard]] ParagraphIndex lastParagraphIndex() const noexcept { return lastParagraphIndex_; }
    void setFirstParagraphIndex(ParagraphIndex index) noexcept { firstParagraphIndex_ = index; }
    void setLastParagraphIndex(ParagraphIndex index) noexcept { lastParagraphIndex_ = index; }

private:
    ParagraphIndex firstParagraphIndex_;
    ParagraphIndex lastParagraphIndex_;
};

} // namespace velmo::model
