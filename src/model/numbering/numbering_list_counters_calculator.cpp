#include "model/numbering/numbering_list_counters_calculator.h"

#include "model/numbering/numbering_list.h"

#include <algorithm>

namespace velmo::model {

void NumberingListCountersCalculator::beginCalculateCounters() noexcept
{
    for (size_t level = 0; level < counters_.size(); ++level)
        counters_[level] = startOf(level) - 1;
    overridesMet_.clear();
}

bool NumberingListCountersCalculator::startsOverriddenLevel(int32_t numberingListIndex, int32_t levelIndex)
{
    const std::pair<int32_t, int32_t> key{numberingListIndex, levelIndex};
    if (std::find(overridesMet_.begin(), overridesMet_.end(), key) != overridesMet_.end())
        return false;
    overridesMet_.push_back(key);
    return true;
}

std::span<const int64_t> NumberingListCountersCalculator::calculateNextCounters(int32_t numberingListIndex,
                                                                               const NumberingList& list,
                                                                               int32_t levelIndex)
{
    const auto level = static_cast<size_t>(std::clamp(levelIndex, 0, kListLevelCount - 1));
    const NumberingListReferenceLevel& reference = list.levels()[level];
    if (reference.overrideStart && startsOverriddenLevel(numberingListIndex, static_cast<int32_t>(level)))
        counters_[level] = reference.newStart;
    else
        ++counters_[level];
    // A deep paragraph before any shallower one shows 1.1.1.: untouched shallower levels count as started.
    for (size_t shallower = 0; shallower < level; ++shallower) {
        if (counters_[shallower] == startOf(shallower) - 1)
            ++counters_[shallower];
    }
    // Deeper levels restart after the level they depend on advanced (or restarted itself).
    std::array<bool, kListLevelCount> changed{};
    changed[level] = true;
    for (size_t deeper = level + 1; deeper < counters_.size(); ++deeper) {
        const ListLevelInfo& info = list_->levels()[deeper].listLevelProperties;
        const auto relative = static_cast<int64_t>(info.relativeRestartLevel);
        if (info.suppressRestart || relative < 0 || relative >= static_cast<int64_t>(deeper))
            continue;
        const auto restartAfter = static_cast<size_t>(static_cast<int64_t>(deeper) - relative - 1);
        if (changed[restartAfter]) {
            counters_[deeper] = startOf(deeper) - 1;
            changed[deeper] = true;
        }
    }
    return std::span<const int64_t>(counters_.data(), level + 1);
}

} // namespace velmo::model
