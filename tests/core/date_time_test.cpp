#include "core/date_time.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

namespace velmo::core {
namespace {

TEST(DateTimeTest, ValidityAndDayOfWeek)
{
    struct Case {
        const char* name;
        DateTime value;
        bool valid;
        int32_t dayOfWeek;
    };
    const Case cases[] = {
        {"a Thursday", {2024, 3, 7, 14, 5, 9, 0}, true, 4},
        {"leap day", {2024, 2, 29}, true, 4},
        {"no leap day in 2023", {2023, 2, 29}, false, 0},
        {"no leap day in 1900", {1900, 2, 29}, false, 0},
        {"leap day in 2000", {2000, 2, 29}, true, 2},
        {"first day", {1, 1, 1}, true, 1},
        {"last day", {9999, 12, 31, 23, 59, 59, 999}, true, 5},
        {"April has 30 days", {2024, 4, 31}, false, 0},
        {"month 13", {2024, 13, 1}, false, 0},
        {"year 0", {0, 1, 1}, false, 0},
        {"hour 24", {2024, 1, 1, 24}, false, 0},
        {"negative minute", {2024, 1, 1, 0, -1}, false, 0},
        {"millisecond 1000", {2024, 1, 1, 0, 0, 0, 1000}, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value.isValid(), c.valid);
        if (c.valid) {
            EXPECT_EQ(c.value.dayOfWeek(), c.dayOfWeek);
        }
    }
}

TEST(DateTimeTest, ClocksGiveValidMoments)
{
    EXPECT_TRUE(platform::SystemClock().now().isValid());
    platform::FixedClock clock(DateTime{2024, 3, 7, 14, 5, 9});
    EXPECT_EQ(clock.now(), (DateTime{2024, 3, 7, 14, 5, 9}));
}

} // namespace
} // namespace velmo::core
