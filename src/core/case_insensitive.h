#pragma once

#include <cstddef>
#include <string_view>

namespace velmo::core {

/// Names (fonts, styles, users) compare ignoring letter case by Unicode's simple case folding,
/// the same everywhere: the process locale never changes the result (no Turkish dotless-i surprise).
[[nodiscard]] bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept;
/// A hash consistent with equalsIgnoreCase.
[[nodiscard]] size_t hashIgnoreCase(std::u16string_view text) noexcept;

} // namespace velmo::core
