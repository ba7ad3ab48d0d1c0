#pragma once

#include "core/date_time.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace velmo::platform {

/// Where "now" comes from, so that dates in documents can be pinned in tests.
class IClock {
public:
    virtual ~IClock() = default;
    /// The user's local date and time.
    [[nodiscard]] virtual core::DateTime now() const = 0;
};

/// The machine's clock in the local time zone.
class SystemClock final : public IClock {
public:
    [[nodiscard]] core::DateTime now() const override
    {
        const auto moment = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto sinceEpoch = moment.time_since_epoch();
        const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch) -
                                  std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
        return core::DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                              std::min(local.tm_sec, 59), static_cast<int32_t>(milliseconds.count())};
    }
};

/// A clock that always shows the moment it was given.
class FixedClock final : public IClock {
public:
    explicit FixedClock(const core::DateTime& moment) : moment_(moment) {}
    [[nodiscard]] core::DateTime now() const override { return moment_; }
    void setNow(const core::DateTime& moment) { moment_ = moment; }

private:
    core::DateTime moment_;
};

} // namespace velmo::platform
