#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace velmo::model {

enum class TabAlignmentType : uint8_t { Left, Center, Right, Decimal };
enum class TabLeaderType : uint8_t { None, Dots, MiddleDots, Hyphens, Underline, ThickLine, EqualSign };

/// One tab stop. A deleted entry cancels the parent style's tab at the same position.
struct TabInfo {
    int32_t position = 0; // twips
    TabAlignmentType alignment = TabAlignmentType::Left;
    TabLeaderType leader = TabLeaderType::None;
    bool deleted = false;
    bool isDefault = false; // not part of equality

    [[nodiscard]] bool operator==(const TabInfo& other) const noexcept
    {
        return position == other.position && alignment == other.alignment && leader == other.leader && deleted == other.deleted;
    }
};

/// The tab stops of a paragraph or style, kept sorted by position, at most one per position.
class TabFormattingInfo {
public:
    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(tabs_.size()); }
    [[nodiscard]] const TabInfo& operator[](int32_t index) const { return tabs_[static_cast<size_t>(index)]; }
    [[nodiscard]] bool isEmpty() const noexcept { return tabs_.empty(); }

    /// Adds a tab, replacing the one at the same position.
    void add(const TabInfo& tab);
    void remove(int32_t position);
    void clear() noexcept { tabs_.clear(); }
    [[nodiscard]] bool contains(const TabInfo& tab) const noexcept;
    /// Index of the tab at `position`; -1 when there is none.
    [[nodiscard]] int32_t findTabItemIndexByPosition(int32_t position) const noexcept;
    /// The first tab after `position`.
    [[nodiscard]] std::optional<TabInfo> findNextTab(int32_t position) const noexcept;

    /// This list laid over `slave` (the parent's): this list's entries win at equal positions and
    /// its deleted entries cancel the slave's; no deleted entry remains.
    [[nodiscard]] TabFormattingInfo merge(const TabFormattingInfo& slave) const;
    /// What a child must store so that merging it over `parentTabs` gives this list.
    [[nodiscard]] TabFormattingInfo normalizeTabs(const TabFormattingInfo& parentTabs) const;

    [[nodiscard]] bool operator==(const TabFormattingInfo& other) const noexcept { return tabs_ == other.tabs_; }
    [[nodiscard]] size_t hash() const noexcept;

private:
    std::vector<TabInfo> tabs_;
};

} // namespace velmo::model
