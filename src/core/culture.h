#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmo::core {

/// How a culture writes numbers, dates and times, and how it maps letter case: one locale's data,
/// read once from ICU when the value is built. Nothing here looks at the process locale, so the
/// same name gives the same answers on every machine. Numbers always use the digits 0-9 and dates
/// the Gregorian calendar, whatever the locale's own default.
class Culture {
public:
    enum class NameWidth : uint8_t { Full, Abbreviated };

    /// `name` is a locale name such as "en-US", "de-DE" or "fr_FR". A name whose language has no
    /// locale data is rejected with "'<name>' is not a valid value for 'Culture'".
    explicit Culture(std::string_view name);

    /// The name in its canonical form ("de-DE").
    [[nodiscard]] const std::string& name() const noexcept { return name_; }

    [[nodiscard]] std::u16string_view decimalSeparator() const noexcept { return decimalSeparator_; }
    [[nodiscard]] std::u16string_view groupSeparator() const noexcept { return groupSeparator_; }
    /// Digits in the group next to the decimal separator; 0 when the culture does not group.
    [[nodiscard]] int32_t groupSize() const noexcept { return groupSize_; }
    /// Digits in each further group (2 in Indian grouping, 12,34,567); equals groupSize() mostly.
    [[nodiscard]] int32_t secondaryGroupSize() const noexcept { return secondaryGroupSize_; }
    [[nodiscard]] std::u16string_view negativeSign() const noexcept { return negativeSign_; }
    /// Separates items of a list, such as function arguments in formulas: ";" where the decimal
    /// separator is a comma, "," elsewhere.
    [[nodiscard]] std::u16string_view listSeparator() const noexcept { return listSeparator_; }
    /// What stands between day, month and year in the short date ("/" in en-US, "." in de-DE).
    [[nodiscard]] std::u16string_view dateSeparator() const noexcept { return dateSeparator_; }
    /// What stands between hours and minutes in the short time.
    [[nodiscard]] std::u16string_view timeSeparator() const noexcept { return timeSeparator_; }

    /// `dayOfWeek` 0 is Sunday, 6 Saturday; empty outside that range.
    [[nodiscard]] std::u16string_view dayName(int32_t dayOfWeek, NameWidth width) const noexcept;
    /// The month name on its own ("leden" in Czech); `month` 1-12, empty outside that range.
    [[nodiscard]] std::u16string_view monthName(int32_t month, NameWidth width) const noexcept;
    /// The month name as a date with a day number writes it ("ledna" in Czech, "5. ledna"); the
    /// same as monthName() in languages without a genitive form.
    [[nodiscard]] std::u16string_view genitiveMonthName(int32_t month, NameWidth width) const noexcept;
    [[nodiscard]] std::u16string_view amDesignator() const noexcept { return amDesignator_; }
    [[nodiscard]] std::u16string_view pmDesignator() const noexcept { return pmDesignator_; }

    /// Date and time patterns, written as field date-time pictures: d, dd, ddd, dddd; M to MMMM;
    /// yy, yyyy; h, hh (12-hour clock), H, HH; m, mm; s, ss; "am/pm"; literal letters in single
    /// quotes. Short dates have four-digit years ("M/d/yyyy", "dd.MM.yyyy").
    [[nodiscard]] std::u16string_view shortDatePattern() const noexcept { return shortDatePattern_; }
    /// "dddd, MMMM d, yyyy" in en-US.
    [[nodiscard]] std::u16string_view longDatePattern() const noexcept { return longDatePattern_; }
    /// "h:mm am/pm" in en-US, "HH:mm" in de-DE.
    [[nodiscard]] std::u16string_view shortTimePattern() const noexcept { return shortTimePattern_; }
    /// The short time with seconds.
    [[nodiscard]] std::u16string_view longTimePattern() const noexcept { return longTimePattern_; }

    /// Reads a number as this culture writes it: optional white space around, an optional sign,
    /// digits with group separators between them, the decimal separator and an exponent
    /// ("-1.234,5" and "1,5e3" in de-DE). Where the group separator is a kind of space, any of
    /// space, no-break space and narrow no-break space serves. Empty when the text is no number
    /// or out of the range of double.
    [[nodiscard]] std::optional<double> parseNumber(std::u16string_view text) const;
    /// The culture's plain text of a number: up to 15 significant digits, no grouping, exponent
    /// form ("1E+15", "1E-05") for very large or small values.
    [[nodiscard]] std::u16string formatNumber(double value) const;

    /// Full case mappings by this culture's rules ("ß" upper-cases to "SS", Turkish "i" to "İ").
    [[nodiscard]] std::u16string toUpper(std::u16string_view text) const;
    [[nodiscard]] std::u16string toLower(std::u16string_view text) const;
    /// Upper-cases the first letter of each word and lower-cases the rest; words as the culture
    /// breaks text into words ("it's" is one word).
    [[nodiscard]] std::u16string toTitle(std::u16string_view text) const;

private:
    std::string name_;
    std::string icuLocaleId_; // "de_DE", handed to ICU's case mapping
    std::u16string decimalSeparator_;
    std::u16string groupSeparator_;
    int32_t groupSize_ = 3;
    int32_t secondaryGroupSize_ = 3;
    std::u16string negativeSign_;
    std::u16string listSeparator_;
    std::u16string dateSeparator_;
    std::u16string timeSeparator_;
    std::array<std::u16string, 7> dayNames_;
    std::array<std::u16string, 7> abbreviatedDayNames_;
    std::array<std::u16string, 12> monthNames_;
    std::array<std::u16string, 12> abbreviatedMonthNames_;
    std::array<std::u16string, 12> genitiveMonthNames_;
    std::array<std::u16string, 12> abbreviatedGenitiveMonthNames_;
    std::u16string amDesignator_;
    std::u16string pmDesignator_;
    std::u16string shortDatePattern_;
    std::u16string longDatePattern_;
    std::u16string shortTimePattern_;
    std::u16string longTimePattern_;
};

} // namespace velmo::core
