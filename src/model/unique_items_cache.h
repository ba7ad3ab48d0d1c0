#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace velmo::model {

/// The unique values of one kind in a document, referred to by index. Indices never change while
/// the document lives; item 0 is the cache's default item. Lookups go through a hash of the value,
/// so a document with 100,000 distinct values still loads in linear time. `T` provides
/// `operator==` and `hash()`.
template <typename T>
class UniqueItemsCache {
public:
    explicit UniqueItemsCache(T defaultItem)
    {
        items_.reserve(256);
        (void)add(defaultItem);
    }
    UniqueItemsCache(const UniqueItemsCache&) = delete;
    UniqueItemsCache& operator=(const UniqueItemsCache&) = delete;

    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(items_.size()); }
    [[nodiscard]] const T& operator[](int32_t index) const { return items_[static_cast<size_t>(index)]; }
    [[nodiscard]] const T& defaultItem() const { return items_.front(); }
    [[nodiscard]] bool isIndexValid(int32_t index) const noexcept { return index >= 0 && index < count(); }

    /// The index of an equal item, appending a copy of `item` when there is none. Among equal
    /// items the last one wins.
    [[nodiscard]] int32_t add(const T& item)
    {
        const size_t hash = item.hash();
        const auto [first, last] = indicesByHash_.equal_range(hash);
        int32_t found = -1;
        for (auto entry = first; entry != last; ++entry) {
            if (entry->second > found && items_[static_cast<size_t>(entry->second)] == item)
                found = entry->second;
        }
        if (found >= 0)
            return found;
        items_.push_back(item);
        const int32_t index = count() - 1;
        indicesByHash_.emplace(hash, index);
        return index;
    }

private:
    std::vector<T> items_;
    std::unordered_multimap<size_t, int32_t> indicesByHash_;
};

} // namespace velmo::model
