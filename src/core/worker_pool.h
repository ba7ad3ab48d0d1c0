#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velmo::core {

/// A few threads that run posted tasks in order of posting. Destroying the pool runs what is still
/// queued and joins the threads, so a task never outlives the objects its owner destroys after the
/// pool. Tasks must not throw; one that does ends the program (as any uncaught exception on a thread).
class WorkerPool {
public:
    explicit WorkerPool(int32_t threadCount);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void post(std::function<void()> task);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wakeUp_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::vector<std::thread> threads_; // last: started after everything they use exists
};

} // namespace velmo::core
