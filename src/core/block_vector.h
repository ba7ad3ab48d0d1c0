#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

namespace velmo::core {

/// An indexed sequence stored as blocks of bounded size, so that inserting or erasing in the
/// middle of a large sequence moves at most one block plus one integer per block, not the whole
/// sequence. Random access costs a binary search over the block starts.
template <typename T, int32_t kMaxBlockSize = 1024>
class BlockVector {
public:
    BlockVector() = default;
    BlockVector(const BlockVector&) = delete;
    BlockVector& operator=(const BlockVector&) = delete;
    BlockVector(BlockVector&&) noexcept = default;
    BlockVector& operator=(BlockVector&&) noexcept = default;

    [[nodiscard]] int32_t size() const noexcept { return size_; }
    [[nodiscard]] bool empty() const noexcept { return size_ == 0; }

    [[nodiscard]] T& operator[](int32_t index) noexcept
    {
        const auto [block, offset] = locate(index);
        return blocks_[block][offset];
    }
    [[nodiscard]] const T& operator[](int32_t index) const noexcept
    {
        const auto [block, offset] = locate(index);
        return blocks_[block][offset];
    }

    void clear() noexcept
    {
        blocks_.clear();
        blockStarts_.clear();
        size_ = 0;
    }

    void pushBack(T value) { insert(size_, std::move(value)); }

    void insert(int32_t index, T value)
    {
        assert(index >= 0 && index <= size_ && "insertion index out of range");
        if (blocks_.empty()) {
            blocks_.emplace_back();
            blocks_.back().reserve(kMaxBlockSize);
            blockStarts_.push_back(0);
        }
        size_t block = 0;
        int32_t offset = 0;
        if (index == size_) {
            block = blocks_.size() - 1;
            offset = static_cast<int32_t>(blocks_[block].size());
        } else {
            std::tie(block, offset) = locate(index);
        }
        std::vector<T>& target = blocks_[block];
        target.insert(target.begin() + offset, std::move(value));
        ++size_;
        for (size_t later = block + 1; later < blockStarts_.size(); ++later)
            ++blockStarts_[later];
        if (static_cast<int32_t>(target.size()) > kMaxBlockSize)
            splitBlock(block);
    }

    /// Removes `count` items from `index` on, moving them into `removed` (appended) when given.
    void erase(int32_t index, int32_t count, std::vector<T>* removed = nullptr)
    {
        assert(index >= 0 && count >= 0 && index + count <= size_ && "erase range out of bounds");
        while (count > 0) {
            const auto [block, offset] = locate(index);
            std::vector<T>& target = blocks_[block];
            const int32_t take = std::min<int32_t>(count, static_cast<int32_t>(target.size()) - offset);
            if (removed)
                std::move(target.begin() + offset, target.begin() + offset + take, std::back_inserter(*removed));
            target.erase(target.begin() + offset, target.begin() + offset + take);
            size_ -= take;
            count -= take;
            for (size_t later = block + 1; later < blockStarts_.size(); ++later)
                blockStarts_[later] -= take;
            if (target.empty() && blocks_.size() > 1) {
                blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(block));
                blockStarts_.erase(blockStarts_.begin() + static_cast<std::ptrdiff_t>(block));
            }
        }
    }

private:
    [[nodiscard]] std::pair<size_t, int32_t> locate(int32_t index) const noexcept
    {
        assert(index >= 0 && index < size_ && "index out of range");
        const auto after = std::upper_bound(blockStarts_.begin(), blockStarts_.end(), index);
        const size_t block = static_cast<size_t>(after - blockStarts_.begin()) - 1;
        return {block, index - blockStarts_[block]};
    }

    void splitBlock(size_t block)
    {
        std::vector<T>& full = blocks_[block];
        const auto half = static_cast<std::ptrdiff_t>(full.size() / 2);
        std::vector<T> tail;
        tail.reserve(kMaxBlockSize);
        std::move(full.begin() + half, full.end(), std::back_inserter(tail));
        full.erase(full.begin() + half, full.end());
        const int32_t tailStart = blockStarts_[block] + static_cast<int32_t>(half);
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(block) + 1, std::move(tail));
        blockStarts_.insert(blockStarts_.begin() + static_cast<std::ptrdiff_t>(block) + 1, tailStart);
    }

    std::vector<std::vector<T>> blocks_;
    std::vector<int32_t> blockStarts_; // index of the first item of each block
    int32_t size_ = 0;
};

} // namespace velmo::core
