#pragma once

#include "model/numbering/abstract_numbering_list.h"

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace velmo::model {

class NumberingList;

/// Counts the paragraphs of one abstract list in document order: one counter per level, moved
/// on by each paragraph of any instance of the list. Feed it every paragraph of the list from the
/// first, in order.
class NumberingListCountersCalculator {
public:
    /// `list` must outlive the calculator.
    explicit NumberingListCountersCalculator(const AbstractNumberingList& list) noexcept : list_(&list) { beginCalculateCounters(); }

    /// Back to before the first paragraph: every counter one below its level's start.
    void beginCalculateCounters() noexcept;
    /// Counts the next paragraph, an item of instance `list` (index `numberingListIndex`) at
    /// `levelIndex` (0-8), and returns the counters of levels 0 to `levelIndex` it shows.
    [[nodiscard]] std::span<const int64_t> calculateNextCounters(int32_t numberingListIndex, const NumberingList& list,
                                                                 int32_t levelIndex);

private:
    [[nodiscard]] int64_t startOf(size_t levelIndex) const noexcept
    {
        return list_->levels()[levelIndex].listLevelProperties.start;
    }
    [[nodiscard]] bool startsOverriddenLevel(int32_t numberingListIndex, int32_t levelIndex);

    const AbstractNumberingList* list_;
    std::array<int64_t, kListLevelCount> counters_{};
    /// Instance and level of every start override already applied: only the first paragraph
    /// of an instance at an overridden level takes the new start.
    std::vector<std::pair<int32_t, int32_t>> overridesMet_;
};

} // namespace velmo::model
