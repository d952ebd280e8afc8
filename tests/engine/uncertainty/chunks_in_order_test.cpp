// The engine's chunked runner: outputs come back in input order whatever the thread count,
// every chunk is read once, and a failing chunk is reported to the caller.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "chunks_in_order.h"

using namespace kelvorad;

namespace {

// Squares of 0..total-1 read in chunks of `size`, run on a pool of `threads`.
std::vector<long> squaresInChunks(unsigned threads, long total, long size) {
    ThreadPool pool(threads);
    long next = 0;
    int reads = 0;
    std::vector<long> out;
    runChunksInOrder<std::vector<long>>(
        pool,
        [&](std::vector<long>& chunk) {
            ++reads;
            for (long k = 0; k < size && next < total; ++k) chunk.push_back(next++);
            return !chunk.empty();
        },
        [](const std::vector<long>& chunk) {
            std::vector<long> squares;
            for (long v : chunk) squares.push_back(v * v);
            return squares;
        },
        [&](const std::vector<long>& squares) {
            out.insert(out.end(), squares.begin(), squares.end());
        });
    // One read per chunk and one that finds the end.
    EXPECT_EQ(reads, (total + size - 1) / size + 1);
    return out;
}

}  // namespace

TEST(ChunksInOrder, OutputsFollowTheInputWhateverTheThreadCount) {
    for (unsigned threads : {1u, 2u, 5u}) {
        for (long total : {0L, 1L, 7L, 1000L}) {
            const std::vector<long> out = squaresInChunks(threads, total, 3);
            ASSERT_EQ(out.size(), static_cast<std::size_t>(total));
            for (long k = 0; k < total; ++k) EXPECT_EQ(out[k], k * k) << threads << " " << total;
        }
    }
}

TEST(ChunksInOrder, AFailingChunkIsReportedToTheCaller) {
    ThreadPool pool(2);
    int chunks = 0;
    EXPECT_THROW(runChunksInOrder<int>(
                     pool,
                     [&](int& chunk) {
                         chunk = chunks;
                         return chunks++ < 6;
                     },
                     [](const int& chunk) {
                         if (chunk == 3) throw std::runtime_error("chunk 3");
                         return chunk;
                     },
                     [](int) {}),
                 std::runtime_error);
}
