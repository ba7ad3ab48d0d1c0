#pragma once

#include "core/positions.h"
#include "model/content_type.h"

#include <array>

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

    /// The header or footer shown on the section's pages of that type; null for none.
    [[nodiscard]] SectionHeader* header(HeaderFooterType type) const noexcept { return headers_[static_cast<size_t>(type)]; }
    [[nodiscard]] SectionFooter* footer(HeaderFooterType type) const noexcept { return footers_[static_cast<size_t>(type)]; }
    void setHeader(HeaderFooterType type, SectionHeader* header) noexcept { headers_[static_cast<size_t>(type)] = header; }
    void setFooter(HeaderFooterType type, SectionFooter* footer) noexcept { footers_[static_cast<size_t>(type)] = footer; }

private:
    ParagraphIndex firstParagraphIndex_;
    ParagraphIndex lastParagraphIndex_;
    std::array<SectionHeader*, 3> headers_{}; // owned by the document, by HeaderFooterType
    std::array<SectionFooter*, 3> footers_{};
};

} // namespace velmo::model
