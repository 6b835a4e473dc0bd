#pragma once
// What the benchmarks share: wall time of a piece of work, the process's
// peak memory, and a fresh directory for their files.
#include <chrono>
#include <filesystem>

namespace orvik::bench {

template <typename F> double seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The peak resident memory so far, in MiB; -1 when the system does not say.
double peakMegabytes();

// A new directory under the system's temporary directory, named from
// `prefix`; ends the benchmark when none can be made.
std::filesystem::path makeTempDirectory(const char* prefix);

} // namespace orvik::bench
