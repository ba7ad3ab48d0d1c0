#pragma once

#include "model/numbering/list_level.h"
#include "model/numbering/numbering_list_index.h"

#include <array>
#include <cstdint>

namespace velmo::model {

/// What a list looks like, derived from its levels.
enum class NumberingType : uint8_t { MultiLevel, Simple, Bullet };

/// The definition of a list: nine levels, 0 the outermost. Paragraphs do not refer to it
/// directly but through list instances (NumberingList); all instances of one abstract list share
/// one counting sequence. A value: copying copies the levels with their cache indices, which
/// stay meaningful only within one document.
class AbstractNumberingList {
public:
    [[nodiscard]] int32_t id() const noexcept { return id_; }
    void setId(int32_t id) noexcept { id_ = id; }

    [[nodiscard]] const std::array<ListLevel, kListLevelCount>& levels() const noexcept { return levels_; }
    /// An index outside 0-8 is an error.
    [[nodiscard]] const ListLevel& level(int32_t index) const;
    [[nodiscard]] ListLevel& level(int32_t index);
    void setLevel(int32_t index, const ListLevel& level) { this->level(index) = level; }

    [[nodiscard]] bool deleted() const noexcept { return deleted_; }
    void setDeleted(bool value) noexcept { deleted_ = value; }
    /// The numbering list style that defines this list, or -1.
    [[nodiscard]] int32_t numberingStyleReferenceIndex() const noexcept { return numberingStyleReferenceIndex_; }
    void setNumberingStyleReferenceIndex(int32_t index) noexcept { numberingStyleReferenceIndex_ = index; }
    /// The numbering list style this list is linked to, or -1.
    [[nodiscard]] int32_t styleLinkIndex() const noexcept { return styleLinkIndex_; }
    void setStyleLinkIndex(int32_t index) noexcept { styleLinkIndex_ = index; }
    /// Marks a list made from a list template (files keep it to find the template again); 0 none.
    [[nodiscard]] int32_t templateCode() const noexcept { return templateCode_; }
    void setTemplateCode(int32_t code) noexcept { templateCode_ = code; }

    /// Bullet when level 0 shows a bullet; otherwise Simple when a level has a template code;
    /// otherwise MultiLevel.
    [[nodiscard]] NumberingType numberingType() const;

private:
    int32_t id_ = 0;
    std::array<ListLevel, kListLevelCount> levels_{};
    bool deleted_ = false;
    int32_t numberingStyleReferenceIndex_ = -1;
    int32_t styleLinkIndex_ = -1;
    int32_t templateCode_ = 0;
};

} // namespace velmo::model
