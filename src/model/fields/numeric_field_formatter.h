#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo::core {
class Culture;
}

namespace velmo::model {

/// Decimal and group separators that a mail merge sets instead of the culture's.
struct NumberSeparators {
    std::u16string decimal;
    std::u16string group;
};

/// Writes numbers with field numeric pictures (the `\#` switch), such as "#,##0.00" or
/// "0.00;(0.00);'nil'". A picture holds up to three patterns separated by ";": for positive
/// values, negative values and zero; an empty or missing one falls back to the positive pattern.
/// In a pattern:
/// - "0", "#" and "x" are digit placeholders; where digits run out "0" writes "0", "#" a space and
///   "x" a space before the separator and nothing after it. The leftmost placeholder takes all
///   the remaining integer digits, unless it is an "x", which drops them;
/// - "." is the decimal separator (written as the culture's), "," asks for group separators;
/// - "+" and "-" write the sign ("-" for negative values, "+" for others when written as "+",
///   otherwise a space); without them a negative value in the positive pattern gets "-" before
///   its leftmost placeholder;
/// - text in single quotes, and any character after a backslash, is copied; a double quote
///   must follow a backslash;
/// - anything else is copied.
/// The value is rounded to as many decimals as the pattern has fraction placeholders (at most
/// 10), on its shortest decimal form, an exact half toward zero: 0.285 with "0.00" gives "0.28",
/// 0.2851 gives "0.29".
/// Trailing spaces are removed.
class NumericFieldFormatter {
public:
    static constexpr size_t kMaxPictureLength = 64; ///< longer pictures are cut
    static constexpr int32_t kMaxFractionDigits = 10;

    /// The culture must outlive the formatter.
    explicit NumericFieldFormatter(const core::Culture& culture,
                                   std::optional<NumberSeparators> customSeparators = std::nullopt);

    /// Throws FieldFormatError for an unclosed single quote, a double quote without backslash
    /// and a value that is not a finite number.
    [[nodiscard]] std::u16string format(double value, std::u16string_view picture) const;

private:
    const core::Culture& culture_;
    std::optional<NumberSeparators> customSeparators_;
};

} // namespace velmo::model
