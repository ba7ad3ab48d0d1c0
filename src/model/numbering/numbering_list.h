#pragma once

#include "model/numbering/list_level.h"
#include "model/numbering/numbering_list_index.h"

#include <array>
#include <cstdint>
#include <optional>

namespace velmo::model {

/// A level of a list instance. Everything about the level comes from the level of the same
/// index of the instance's abstract list, unless the instance starts it anew or redefines it.
struct NumberingListReferenceLevel {
    /// The first paragraph of this instance at this level shows `newStart`.
    bool overrideStart = false;
    int32_t newStart = 0;
    /// How the instance's paragraphs at this level look (format, display format, indents) in
    /// place of the abstract list's level; they still count with the abstract list, from its start.
    std::optional<ListLevel> overrideLevel;
};

/// A list instance: what paragraphs refer to. It names its abstract list by index in the
/// document and counts the paragraphs that refer to it.
class NumberingList {
public:
    explicit NumberingList(int32_t abstractNumberingListIndex) noexcept
        : abstractNumberingListIndex_(abstractNumberingListIndex)
    {
    }

    [[nodiscard]] int32_t id() const noexcept { return id_; }
    void setId(int32_t id) noexcept { id_ = id; }
    [[nodiscard]] int32_t abstractNumberingListIndex() const noexcept { return abstractNumberingListIndex_; }

    [[nodiscard]] const std::array<NumberingListReferenceLevel, kListLevelCount>& levels() const noexcept { return levels_; }
    /// An index outside 0-8 is an error.
    [[nodiscard]] const NumberingListReferenceLevel& level(int32_t index) const;
    [[nodiscard]] NumberingListReferenceLevel& level(int32_t index);

    /// Paragraphs of the document's stories whose own list is this one.
    [[nodiscard]] int32_t referringParagraphsCount() const noexcept { return referringParagraphsCount_; }
    [[nodiscard]] bool canRemove() const noexcept { return referringParagraphsCount_ == 0; }
    void onParagraphAdded() noexcept { ++referringParagraphsCount_; }
    void onParagraphRemoved() noexcept { --referringParagraphsCount_; }

private:
    int32_t id_ = 0;
    int32_t abstractNumberingListIndex_;
    std::array<NumberingListReferenceLevel, kListLevelCount> levels_{};
    int32_t referringParagraphsCount_ = 0;
};

} // namespace velmo::model
