#pragma once

#include <cstdint>

namespace velmo::model {

/// A paragraph's or paragraph style's own numbering list index when it sets none: the list of
/// the style (for a style, of its parent) applies.
inline constexpr int32_t kNumberingListIndexNotSet = -1;
/// The own numbering list index that removes numbering, whatever the style says.
inline constexpr int32_t kNumberingListIndexNoNumbering = -2;

/// Levels of every list, 0 the outermost.
inline constexpr int32_t kListLevelCount = 9;

[[nodiscard]] constexpr bool isListLevelIndexValid(int32_t levelIndex) noexcept
{
    return levelIndex >= 0 && levelIndex < kListLevelCount;
}

} // namespace velmo::model
