#pragma once
// A small, reusable pool of worker threads that runs the pieces of one job at a time.
//
// parallelFor(count, body) calls body(i) once for every i in [0, count), spread over the
// pool's threads and the calling thread, and returns when every call has returned. Which
// thread runs which index, and in what order, is not fixed: work that must not depend on the
// thread count writes each index's result to its own place. The first exception thrown by a
// body is rethrown by parallelFor after the other calls have finished (indices not yet
// started are then skipped).

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace kelvorad {

class ThreadPool {
  public:
    // The machine's hardware threads (at least 1).
    static unsigned machineThreadCount();

    // A pool that runs a job on `threadCount` threads in all: the calling thread and
    // threadCount - 1 workers. A count of 0 is taken as 1 (no workers: everything runs on the
    // calling thread).
    explicit ThreadPool(unsigned threadCount = machineThreadCount());
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    unsigned threadCount() const { return static_cast<unsigned>(workers_.size()) + 1; }

    // Runs body(i) for every i in [0, count). Jobs from several threads run one after another;
    // a body must not call parallelFor on the same pool.
    void parallelFor(std::size_t count, const std::function<void(std::size_t)>& body);

  private:
    void workerLoop(std::stop_token stop);
    // Takes indices of the current job until none is left.
    void runIndices(const std::function<void(std::size_t)>& body, std::size_t count);

    std::mutex jobMutex_;  // one job at a time
    std::mutex mutex_;     // guards the job fields below
    std::condition_variable_any wake_;
    std::condition_variable finished_;
    const std::function<void(std::size_t)>* body_ = nullptr;  // null between jobs
    std::size_t count_ = 0;
    std::uint64_t generation_ = 0;
    unsigned busyWorkers_ = 0;
    std::exception_ptr error_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> failed_{false};
    std::vector<std::jthread> workers_;  // last: started once the fields above exist
};

}  // namespace kelvorad
