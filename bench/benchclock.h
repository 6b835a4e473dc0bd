#pragma once
// What the benchmarks measure with: wall time of a piece of work, and the
// process's peak memory.
#include <chrono>

namespace orvik::bench {

template <typename F> double seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The peak resident memory so far, in MiB; -1 when the system does not say.
double peakMegabytes();

} // namespace orvik::bench
