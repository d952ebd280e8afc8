// The thread pool: every index once, any pool size, one job after another, errors passed on.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "thread_pool.h"

using namespace kelvorad;

TEST(ThreadPool, RunsEveryIndexExactlyOnceForAnyThreadCount) {
    for (unsigned threads : {0u, 1u, 2u, 4u}) {
        ThreadPool pool(threads);
        EXPECT_EQ(pool.threadCount(), threads == 0 ? 1u : threads);
        std::vector<std::atomic<int>> calls(10'000);
        pool.parallelFor(calls.size(), [&](std::size_t i) { calls[i].fetch_add(1); });
        for (std::size_t i = 0; i < calls.size(); ++i) ASSERT_EQ(calls[i].load(), 1) << i;
    }
}

TEST(ThreadPool, ManySmallJobsInARowEachFinishBeforeReturning) {
    // A job that returned early, or a worker that ran a finished job's body, would show as a
    // wrong sum here.
    ThreadPool pool(4);
    for (int job = 0; job < 2'000; ++job) {
        std::atomic<long> sum{0};
        const std::size_t count = 1 + job % 7;
        pool.parallelFor(count, [&](std::size_t i) { sum += static_cast<long>(i) + 1; });
        ASSERT_EQ(sum.load(), static_cast<long>(count * (count + 1) / 2)) << job;
    }
    pool.parallelFor(0, [](std::size_t) { FAIL() << "no index to run"; });
}

TEST(ThreadPool, AnExceptionReachesTheCallerAndThePoolStaysUsable) {
    ThreadPool pool(2);
    EXPECT_THROW(pool.parallelFor(100,
                                  [](std::size_t i) {
                                      if (i == 37) throw std::runtime_error("index 37");
                                  }),
                 std::runtime_error);
    std::atomic<int> calls{0};
    pool.parallelFor(50, [&](std::size_t) { ++calls; });
    EXPECT_EQ(calls.load(), 50);
}
