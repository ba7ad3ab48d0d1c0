#pragma once

#include <cstdint>
#include <vector>

namespace velmo::model {

/// The unique values of one kind in a document, referred to by index. Indices never change while
/// the document lives; item 0 is the cache's default item. Lookups go through a flat hash index
/// (open addressing), so a document with 100,000 distinct values still loads in linear time and
/// a lookup touches about two cache lines. `T` provides `operator==` and `hash()`.
template <typename T>
class UniqueItemsCache {
public:
    explicit UniqueItemsCache(T defaultItem)
    {
        items_.reserve(256);
        slots_.assign(kInitialSlots, Slot{});
        (void)add(defaultItem);
    }
    UniqueItemsCache(const UniqueItemsCache&) = delete;
    UniqueItemsCache& operator=(const UniqueItemsCache&) = delete;

    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(items_.size()); }
    [[nodiscard]] const T& operator[](int32_t index) const { return items_[static_cast<size_t>(index)]; }
    [[nodiscard]] const T& defaultItem() const { return items_.front(); }
    [[nodiscard]] bool isIndexValid(int32_t index) const noexcept { return index >= 0 && index < count(); }

    /// The index of an equal item, appending a copy of `item` when there is none. An item is only
    /// appended when no equal one exists, so there is never more than one equal item to choose.
    [[nodiscard]] int32_t add(const T& item)
    {
        const uint64_t hash = static_cast<uint64_t>(item.hash());
        size_t slot = slotFor(hash);
        while (slots_[slot].index >= 0) {
            if (slots_[slot].hash == hash && items_[static_cast<size_t>(slots_[slot].index)] == item)
                return slots_[slot].index;
            slot = (slot + 1) & (slots_.size() - 1);
        }
        items_.push_back(item);
        const int32_t index = count() - 1;
        slots_[slot] = Slot{hash, index};
        if (items_.size() * 2 > slots_.size())
            grow();
        return index;
    }

private:
    struct Slot {
        uint64_t hash = 0;
        int32_t index = -1; // -1: empty
    };
    static constexpr size_t kInitialSlots = 512;

    [[nodiscard]] size_t slotFor(uint64_t hash) const noexcept
    {
        // Spread the bits: value hashes are often small integers combined by XOR.
        return static_cast<size_t>((hash * 0x9E3779B97F4A7C15ULL) >> 20) & (slots_.size() - 1);
    }

    void grow()
    {
        std::vector<Slot> old = std::move(slots_);
        slots_.assign(old.size() * 2, Slot{});
        for (const Slot& entry : old) {
            if (entry.index < 0)
                continue;
            size_t slot = slotFor(entry.hash);
            while (slots_[slot].index >= 0)
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = entry;
        }
    }

    std::vector<T> items_;
    std::vector<Slot> slots_; // size is a power of two, at most half full
};

} // namespace velmo::model
