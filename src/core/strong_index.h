#pragma once

#include <compare>
#include <cstdint>
#include <functional>

namespace velmo::core {

/// A signed 32-bit position or index that cannot be mixed up with another kind.
/// Offsets between two values of one kind are plain integers.
template <typename Tag>
class StrongIndex {
public:
    constexpr StrongIndex() noexcept = default;
    constexpr explicit StrongIndex(int32_t value) noexcept : value_(value) {}

    [[nodiscard]] constexpr int32_t value() const noexcept { return value_; }

    constexpr auto operator<=>(const StrongIndex&) const noexcept = default;

    constexpr StrongIndex& operator++() noexcept { ++value_; return *this; }
    constexpr StrongIndex& operator--() noexcept { --value_; return *this; }
    constexpr StrongIndex& operator+=(int32_t delta) noexcept { value_ += delta; return *this; }
    constexpr StrongIndex& operator-=(int32_t delta) noexcept { value_ -= delta; return *this; }

    friend constexpr StrongIndex operator+(StrongIndex index, int32_t delta) noexcept
    {
        return StrongIndex(index.value_ + delta);
    }
    friend constexpr StrongIndex operator-(StrongIndex index, int32_t delta) noexcept
    {
        return StrongIndex(index.value_ - delta);
    }
    friend constexpr int32_t operator-(StrongIndex a, StrongIndex b) noexcept { return a.value_ - b.value_; }

private:
    int32_t value_ = 0;
};

} // namespace velmo::core

template <typename Tag>
struct std::hash<velmo::core::StrongIndex<Tag>> {
    size_t operator()(velmo::core::StrongIndex<Tag> index) const noexcept
    {
        return std::hash<int32_t>()(index.value());
    }
};
