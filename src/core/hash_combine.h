#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace velmo::core {

/// Folds several hash values into one (for the value records the formatting caches keep).
[[nodiscard]] inline size_t hashCombine(std::initializer_list<size_t> values) noexcept
{
    size_t hash = 0;
    for (const size_t value : values)
        hash = hash * 1000003u ^ value;
    return hash;
}

[[nodiscard]] inline size_t hashOf(int32_t value) noexcept
{
    return static_cast<size_t>(static_cast<uint32_t>(value));
}

} // namespace velmo::core
