#include "thread_pool.h"

namespace kelvorad {

unsigned ThreadPool::machineThreadCount() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}

ThreadPool::ThreadPool(unsigned threadCount) {
    const unsigned workers = threadCount == 0 ? 0 : threadCount - 1;
    workers_.reserve(workers);
    for (unsigned k = 0; k < workers; ++k) {
        workers_.emplace_back([this](std::stop_token stop) { workerLoop(stop); });
    }
}

ThreadPool::~ThreadPool() {
    for (std::jthread& worker : workers_) worker.request_stop();
    wake_.notify_all();
    workers_.clear();  // joins
}

void ThreadPool::parallelFor(std::size_t count, const std::function<void(std::size_t)>& body) {
    if (count == 0) return;
    std::scoped_lock job(jobMutex_);
    {
        std::scoped_lock lock(mutex_);
        body_ = &body;
        count_ = count;
        error_ = nullptr;
        next_.store(0);
        failed_.store(false);
        ++generation_;
    }
    wake_.notify_all();
    runIndices(body, count);

    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return busyWorkers_ == 0; });
    // A worker that wakes only now finds no job and leaves `body` alone.
    body_ = nullptr;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void ThreadPool::runIndices(const std::function<void(std::size_t)>& body, std::size_t count) {
    while (!failed_.load(std::memory_order_relaxed)) {
        const std::size_t i = next_.fetch_add(1, std::memory_order_relaxed);
        if (i >= count) return;
        try {
            body(i);
        } catch (...) {
            std::scoped_lock lock(mutex_);
            if (!error_) error_ = std::current_exception();
            failed_.store(true);
        }
    }
}

void ThreadPool::workerLoop(std::stop_token stop) {
    std::uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, stop, [&] { return generation_ != seen; });
        if (stop.stop_requested()) return;
        seen = generation_;
        if (body_ == nullptr) continue;  // that job is over already
        const auto* body = body_;
        const std::size_t count = count_;
        ++busyWorkers_;
        lock.unlock();
        runIndices(*body, count);
        lock.lock();
        if (--busyWorkers_ == 0) finished_.notify_all();
    }
}

}  // namespace kelvorad
