#pragma once

#include "core/positions.h"

#include <algorithm>
#include <iterator>
#include <cstdint>
#include <memory>
#include <vector>

namespace velmo::model {

/// The intervals of one story (bookmarks, range permissions), owned and sorted by start; a new
/// interval goes among those of its start by end, after those equal to it. Edits move intervals
/// without reordering them: starts stay in order, while a deletion that pulls several starts to
/// one place may leave their ends out of order. Indices thus stay valid through undo and redo.
template <typename Interval>
class DocumentIntervalCollection {
public:
    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(items_.size()); }
    [[nodiscard]] bool isEmpty() const noexcept { return items_.empty(); }
    [[nodiscard]] Interval& operator[](int32_t index) const { return *items_.at(static_cast<size_t>(index)); }
    /// The interval's index, -1 when it is not in the collection.
    [[nodiscard]] int32_t indexOf(const Interval& interval) const noexcept
    {
        for (size_t index = 0; index < items_.size(); ++index) {
            if (items_[index].get() == &interval)
                return static_cast<int32_t>(index);
        }
        return -1;
    }

    /// Returns the index it was given.
    int32_t insert(std::unique_ptr<Interval> interval)
    {
        const auto sameStart = std::equal_range(items_.begin(), items_.end(), interval,
                                                [](const auto& a, const auto& b) { return a->start() < b->start(); });
        // Searched from the back: intervals added in order (a reader's) cost nothing here.
        auto place = sameStart.second;
        while (place != sameStart.first && (*std::prev(place))->end() > interval->end())
            --place;
        const auto index = static_cast<int32_t>(place - items_.begin());
        items_.insert(place, std::move(interval));
        return index;
    }
    /// Puts an interval back exactly where it was taken from (undo).
    void insertAt(int32_t index, std::unique_ptr<Interval> interval)
    {
        items_.insert(items_.begin() + index, std::move(interval));
    }
    [[nodiscard]] std::unique_ptr<Interval> take(int32_t index)
    {
        std::unique_ptr<Interval> result = std::move(items_.at(static_cast<size_t>(index)));
        items_.erase(items_.begin() + index);
        return result;
    }
    void clear() noexcept { items_.clear(); }

    // The story's run notifications, passed to every interval.
    void onRunInserted(RunIndex runIndex, int32_t length, int32_t notificationId)
    {
        for (const auto& item : items_)
            item->onRunInserted(runIndex, length, notificationId);
    }
    void onRunRemoved(RunIndex runIndex, int32_t length, int32_t notificationId)
    {
        for (const auto& item : items_)
            item->onRunRemoved(runIndex, length, notificationId);
    }
    void onRunSplit(RunIndex runIndex, int32_t offset) noexcept
    {
        for (const auto& item : items_)
            item->onRunSplit(runIndex, offset);
    }
    void onRunJoined(RunIndex runIndex, int32_t headLength) noexcept
    {
        for (const auto& item : items_)
            item->onRunJoined(runIndex, headLength);
    }
    void onRunLengthChanged(RunIndex runIndex, int32_t delta, int32_t newLength) noexcept
    {
        for (const auto& item : items_)
            item->onRunLengthChanged(runIndex, delta, newLength);
    }

private:
    std::vector<std::unique_ptr<Interval>> items_;
};

} // namespace velmo::model
