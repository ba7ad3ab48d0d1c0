#include "core/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace velmo::core {
namespace {

TEST(WorkerPoolTest, RunsEveryTaskPostedBeforeItIsDestroyed)
{
    std::atomic<int> done{0};
    {
        WorkerPool pool(2);
        for (int index = 0; index < 100; ++index) {
            pool.post([&done] {
                std::this_thread::sleep_for(std::chrono::microseconds(50));
                ++done;
            });
        }
    } // joins after the queue is empty
    EXPECT_EQ(done.load(), 100);
}

TEST(WorkerPoolTest, TasksRunOffTheCallingThread)
{
    std::atomic<bool> elsewhere{false};
    const std::thread::id caller = std::this_thread::get_id();
    {
        WorkerPool pool(0); // at least one thread
        pool.post([&] { elsewhere = std::this_thread::get_id() != caller; });
    }
    EXPECT_TRUE(elsewhere.load());
}

} // namespace
} // namespace velmo::core
