#include "model/tab_formatting_info.h"

#include <algorithm>

namespace velmo::model {

namespace {

auto byPosition = [](const TabInfo& tab, int32_t position) { return tab.position < position; };

} // namespace

void TabFormattingInfo::add(const TabInfo& tab)
{
    const auto found = std::lower_bound(tabs_.begin(), tabs_.end(), tab.position, byPosition);
    if (found != tabs_.end() && found->position == tab.position)
        *found = tab;
    else
        tabs_.insert(found, tab);
}

void TabFormattingInfo::remove(int32_t position)
{
    const auto found = std::lower_bound(tabs_.begin(), tabs_.end(), position, byPosition);
    if (found != tabs_.end() && found->position == position)
        tabs_.erase(found);
}

bool TabFormattingInfo::contains(const TabInfo& tab) const noexcept
{
    const int32_t index = findTabItemIndexByPosition(tab.position);
    return index >= 0 && tabs_[static_cast<size_t>(index)] == tab;
}

int32_t TabFormattingInfo::findTabItemIndexByPosition(int32_t position) const noexcept
{
    const auto found = std::lower_bound(tabs_.begin(), tabs_.end(), position, byPosition);
    if (found == tabs_.end() || found->position != position)
        return -1;
    return static_cast<int32_t>(found - tabs_.begin());
}

std::optional<TabInfo> TabFormattingInfo::findNextTab(int32_t position) const noexcept
{
    const auto found = std::upper_bound(tabs_.begin(), tabs_.end(), position,
                                        [](int32_t value, const TabInfo& tab) { return value < tab.position; });
    if (found == tabs_.end())
        return std::nullopt;
    return *found;
}

TabFormattingInfo TabFormattingInfo::merge(const TabFormattingInfo& slave) const
{
    TabFormattingInfo result;
    for (const TabInfo& tab : slave.tabs_) {
        if (!tab.deleted)
            result.add(tab);
    }
    for (const TabInfo& tab : tabs_)
        result.add(tab);
    std::erase_if(result.tabs_, [](const TabInfo& tab) { return tab.deleted; });
    return result;
}

TabFormattingInfo TabFormattingInfo::normalizeTabs(const TabFormattingInfo& parentTabs) const
{
    TabFormattingInfo result;
    if (parentTabs.isEmpty())
        return *this;
    size_t own = 0;
    size_t parent = 0;
    while (own < tabs_.size() || parent < parentTabs.tabs_.size()) {
        const TabInfo* mine = own < tabs_.size() ? &tabs_[own] : nullptr;
        const TabInfo* theirs = parent < parentTabs.tabs_.size() ? &parentTabs.tabs_[parent] : nullptr;
        if (mine && (!theirs || mine->position < theirs->position)) {
            result.add(*mine); // only here
            ++own;
        } else if (theirs && (!mine || theirs->position < mine->position)) {
            if (!theirs->deleted) {
                // Only the parent has it: cancel it.
                TabInfo cancel = *theirs;
                cancel.deleted = true;
                cancel.isDefault = false;
                result.add(cancel);
            }
            ++parent;
        } else {
            if (!(*mine == *theirs))
                result.add(*mine); // an equal one comes from the parent
            ++own;
            ++parent;
        }
    }
    return result;
}

size_t TabFormattingInfo::hash() const noexcept
{
    size_t hash = tabs_.size();
    for (const TabInfo& tab : tabs_) {
        const auto bits = static_cast<size_t>(static_cast<uint32_t>(tab.position)) << 8 | static_cast<size_t>(tab.alignment) << 4 |
                          static_cast<size_t>(tab.leader) << 1 | static_cast<size_t>(tab.deleted);
        hash = hash * 31 + bits;
    }
    return hash;
}

} // namespace velmo::model
