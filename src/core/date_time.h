#pragma once

#include <cstdint>

namespace velmo::core {

/// A calendar date with a wall-clock time, in the proleptic Gregorian calendar and without a time
/// zone: what the user's clock shows. Fields are plain numbers; isValid() says whether they name
/// a real moment.
struct DateTime {
    int32_t year = 1;        ///< 1-9999
    int32_t month = 1;       ///< 1-12
    int32_t day = 1;         ///< 1-31, within the month
    int32_t hour = 0;        ///< 0-23
    int32_t minute = 0;      ///< 0-59
    int32_t second = 0;      ///< 0-59
    int32_t millisecond = 0; ///< 0-999

    [[nodiscard]] bool isValid() const noexcept;
    /// 0 for Sunday to 6 for Saturday; only meaningful for a valid date.
    [[nodiscard]] int32_t dayOfWeek() const noexcept;

    bool operator==(const DateTime&) const = default;
};

} // namespace velmo::core
