#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmo::model {

/// A list level's display format, such as "%0:s.%1:s.": "%n:s" (n from 0 to 8) stands for the
/// number text of level n, "%%" for a percent sign, and everything else is literal. Returns
/// nothing when the format is malformed: a "%" that starts neither, or a placeholder for a level
/// that `levelTexts` does not reach.
[[nodiscard]] std::optional<std::u16string> formatDisplayFormat(std::u16string_view displayFormat,
                                                                std::span<const std::u16string> levelTexts);

/// Whether a level with this display format shows a bullet rather than a number: the format is
/// well formed and has no placeholder, so it reads the same whatever the counters are.
[[nodiscard]] bool isBulletDisplayFormat(std::u16string_view displayFormat);

/// The number text a paragraph shows: the formatted display format; for a bullet level only its
/// first character (a whole surrogate pair when it is one); for a malformed format the text of
/// the first level, or empty text when there is none. Never fails.
[[nodiscard]] std::u16string listNumberText(std::u16string_view displayFormat,
                                            std::span<const std::u16string> levelTexts);

} // namespace velmo::model
