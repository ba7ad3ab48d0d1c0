#pragma once

#include <cstddef>
#include <string_view>

namespace velmo::core {

/// Names (fonts, styles, users) compare ignoring letter case by Unicode's simple case folding,
/// the same everywhere: the process locale never changes the result (no Turkish dotless-i surprise).
[[nodiscard]] bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) noexcept;
/// A hash consistent with equalsIgnoreCase.
[[nodiscard]] size_t hashIgnoreCase(std::u16string_view text) noexcept;

/// For hash containers of names that ignore letter case.
struct IgnoreCaseHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const noexcept { return hashIgnoreCase(text); }
};
struct IgnoreCaseEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept { return equalsIgnoreCase(a, b); }
};

} // namespace velmo::core
