#include "core/worker_pool.h"

#include <algorithm>

namespace velmo::core {

WorkerPool::WorkerPool(int32_t threadCount)
{
    const int32_t count = std::max(threadCount, 1);
    threads_.reserve(static_cast<size_t>(count));
    for (int32_t index = 0; index < count; ++index)
        threads_.emplace_back([this] { run(); });
}

WorkerPool::~WorkerPool()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wakeUp_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void WorkerPool::post(std::function<void()> task)
{
    {
        const std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wakeUp_.notify_one();
}

void WorkerPool::run()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            wakeUp_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty())
                return; // stopping, and nothing left to run
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

} // namespace velmo::core
