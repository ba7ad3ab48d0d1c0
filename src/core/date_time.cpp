#include "core/date_time.h"

#include <chrono>

namespace velmo::core {

namespace {
std::chrono::year_month_day calendarDate(const DateTime& value)
{
    return std::chrono::year{value.year} / std::chrono::month{static_cast<unsigned>(value.month)} /
           std::chrono::day{static_cast<unsigned>(value.day)};
}
} // namespace

bool DateTime::isValid() const noexcept
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    return millisecond >= 0 && millisecond <= 999 && calendarDate(*this).ok();
}

int32_t DateTime::dayOfWeek() const noexcept
{
    const std::chrono::weekday weekday{std::chrono::sys_days{calendarDate(*this)}};
    return static_cast<int32_t>(weekday.c_encoding());
}

} // namespace velmo::core
