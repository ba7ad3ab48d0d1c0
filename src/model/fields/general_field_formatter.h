#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo::core {
class Culture;
}

namespace velmo::model {

/// The general formats of the `\*` switch, other than the result-formatting keywords
/// ("MERGEFORMAT", "MERGEFORMATINET", "CHARFORMAT"), which callers handle themselves.
enum class GeneralFieldFormat : uint8_t {
    UpperAlphabetic, ///< "ALPHABETIC": A-Z, AA...; 0-780
    LowerAlphabetic, ///< "alphabetic"
    Arabic,          ///< "arabic": decimal digits
    ArabicDash,      ///< "arabicdash": "- 5 -"
    CardText,        ///< "cardtext": "twenty-one"; 0-999999
    OrdText,         ///< "ordtext": "twenty-first"; 0-999999
    Ordinal,         ///< "ordinal": "21st"
    DollarText,      ///< "dollartext": "twenty-one and 50/100"; 0 up to 1000000
    Hex,             ///< "hex": "FF"
    UpperRoman,      ///< "ROMAN"
    LowerRoman,      ///< "roman"
    CircleNum,       ///< "circlenum": circled numbers 1-20
    Gb1,             ///< "gb1": numbers with a full stop 1-20
    Gb2,             ///< "gb2": numbers in parentheses 1-20
    Gb3,             ///< "gb3": circled numbers 1-10
    Gb4,             ///< "gb4": ideographs in parentheses 1-10
    Zodiac1,         ///< "zodiac1": the ten heavenly stems
    Zodiac2,         ///< "zodiac2": the twelve earthly branches
    Zodiac3,         ///< "zodiac3": stem and branch of the sixty-year cycle
    DbChar,          ///< "dbchar": full-width characters
    DbNum1,          ///< "dbnum1", "kanjinum1": ideographic digits
    SbChar,          ///< "sbchar": up to 14 decimals
    Caps,            ///< "caps": every word capitalised
    FirstCap,        ///< "firstcap": the first word capitalised
    Lower,           ///< "lower"
    Upper,           ///< "upper"
};

/// Applies general formats to field values. Number formats work on numbers; "caps",
/// "firstcap", "lower" and "upper" work on text, with the culture's case mapping.
class GeneralFieldFormatter {
public:
    /// The culture must outlive the formatter.
    explicit GeneralFieldFormatter(const core::Culture& culture) noexcept : culture_(culture) {}

    /// The format a `\*` keyword names. A keyword that starts with an upper-case letter is read
    /// in upper case ("Roman" is "ROMAN"), any other in lower case; when that finds nothing the
    /// lower-case form is tried ("Caps" is "caps"). Nothing for an unknown keyword, which callers
    /// report as FieldFormatError::unknownSwitchArgument().
    [[nodiscard]] static std::optional<GeneralFieldFormat> findFormat(std::u16string_view keyword);
    /// Whether `format` works on numbers rather than on text.
    [[nodiscard]] static bool isNumberFormat(GeneralFieldFormat format) noexcept;

    /// A number in `format`; a text format applies to the culture's text of the number. Formats
    /// that need a whole number round halves to even. Throws FieldFormatError when the value is
    /// outside the format's range or cannot be written in it.
    [[nodiscard]] std::u16string formatNumber(double value, GeneralFieldFormat format) const;
    /// Text in `format`. A number format applies to the text read as a number of the culture, or
    /// else to the value of the text as an arithmetic expression ("2+3"); text that is neither is
    /// returned unchanged.
    [[nodiscard]] std::u16string formatText(std::u16string_view text, GeneralFieldFormat format) const;

private:
    const core::Culture& culture_;
};

} // namespace velmo::model
