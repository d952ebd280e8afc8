#pragma once
// Work over an input of any length, a chunk at a time, on every core, with the results handed
// back in input order: the shape of a calculation run over a file of pairs, whose rows and plot
// lines must come out in the order the pairs were read.
//
// Up to two chunks per thread are read, computed side by side on the pool, and consumed in
// order on the calling thread before the next ones are read, so memory stays bounded by those
// chunks whatever the length of the input, and the output does not depend on the thread count.

#include <cstddef>
#include <optional>
#include <vector>

#include "thread_pool.h"

namespace kelvorad {

// `read(chunk)` fills the next chunk of input and returns false when nothing was left to read
// (the chunk is then ignored); `compute(chunk)` runs on the pool's threads and must only read
// shared state; `consume(output)` receives the outputs in input order on the calling thread.
// An exception thrown by compute is rethrown here once the chunks in flight have finished.
template <typename Input, typename Read, typename Compute, typename Consume>
void runChunksInOrder(ThreadPool& pool, Read&& read, Compute&& compute, Consume&& consume) {
    using Output = decltype(compute(std::declval<const Input&>()));
    const std::size_t batch = 2 * std::size_t{pool.threadCount()};
    std::vector<Input> inputs(batch);
    std::vector<std::optional<Output>> outputs(batch);
    for (bool more = true; more;) {
        std::size_t count = 0;
        while (count < batch) {
            inputs[count] = Input{};
            if (!read(inputs[count])) {
                more = false;
                break;
            }
            ++count;
        }
        if (count == 0) break;
        if (count == 1) {
            outputs[0].emplace(compute(static_cast<const Input&>(inputs[0])));
        } else {
            pool.parallelFor(count, [&](std::size_t k) {
                outputs[k].emplace(compute(static_cast<const Input&>(inputs[k])));
            });
        }
        for (std::size_t k = 0; k < count; ++k) {
            consume(*outputs[k]);
            outputs[k].reset();
        }
    }
}

}  // namespace kelvorad
