#pragma once

#include <string>
#include <string_view>

namespace velmo::core {
class Culture;
struct DateTime;
} // namespace velmo::core

namespace velmo::model {

/// Writes dates and times with field date-time pictures (the `\@` switch), taking day and month
/// names from a culture. A picture is read left to right:
/// - runs of d/D (day: d, dd, ddd abbreviated name, dddd full name), M (month: M, MM, MMM, MMMM),
///   y/Y (yy, yyyy), H (24-hour clock), h (12-hour clock), m (minute), s/S (second); a run longer
///   than its item is split, so "MMMMM" writes the full month name and then the month number;
/// - "am/pm" in any letter case writes "AM" or "PM";
/// - text in single quotes is copied without the quotes; a quote in one of the last two
///   positions is dropped alone, any other unclosed quote is an error;
/// - anything else is copied.
/// Month names take their genitive form when the picture also writes the day as a number
/// ("d. MMMM" gives "5. ledna" in Czech, "MMMM yyyy" gives "leden 2024").
class DateTimeFieldFormatter {
public:
    /// The culture must outlive the formatter.
    explicit DateTimeFieldFormatter(const core::Culture& culture) noexcept : culture_(culture) {}

    /// Throws FieldFormatError for an unclosed quote, EditorException for an invalid `value`.
    [[nodiscard]] std::u16string format(const core::DateTime& value, std::u16string_view picture) const;
    /// A date field without a picture: month, day and four-digit year joined by the culture's
    /// date separator ("3/7/2024" in en-US, "3.7.2024" in de-DE).
    [[nodiscard]] std::u16string formatDefaultDate(const core::DateTime& value) const;
    /// A time field without a picture: "h:mm am/pm" ("2:05 PM").
    [[nodiscard]] std::u16string formatDefaultTime(const core::DateTime& value) const;

private:
    const core::Culture& culture_;
};

} // namespace velmo::model
