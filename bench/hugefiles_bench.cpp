// Memory against file size: the archive copy of a large work file and the
// zero inventory's walk over a sparse event file of four tebibytes. Each
// runs in a child of its own, which prints its peak resident memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "benchsupport.h"
#include "files/blockcopy.h"
#include "stockencode.h"
#include "zeroinv/zerorows.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kWorkFileBytes = std::uintmax_t{512} << 20;
constexpr std::uintmax_t kEventFileBytes = std::uintmax_t{4} << 40;
constexpr std::int32_t kChainLength = 200000;
constexpr std::int64_t kChainSpacing = 10000;
constexpr double kCutOff = 41000.0;

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Runs `work` in a child, which prints its figures; false when it failed.
bool inChild(const std::function<bool()>& work) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        const bool ok = work();
        std::fflush(stdout);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool archiveCopy(const fs::path& root) {
    const fs::path workFile = root / "orvik.dat";
    { std::ofstream(workFile) << "6410000000017    3\r\n"; }
    fs::resize_file(workFile, kWorkFileBytes); // the rest a hole of zero bytes
    const auto start = std::chrono::steady_clock::now();
    const bool copied = !orvik::copyFileReplacing(workFile, root / "orvik_copy.dat").failed();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("figure archive_copy_512mib_seconds %.2f s\n", took.count());
    std::printf("figure archive_copy_512mib_peak_memory %.1f MiB\n", peakMegabytes());
    fs::remove(root / "orvik_copy.dat");
    fs::remove(workFile);
    return copied;
}

// One product whose chain runs through 200 000 records spread 10 000 apart,
// in a file of four tebibytes.
bool sparseWalk(const fs::path& root) {
    orvik::ProductRecord product;
    product.code = "LONGCHAIN";
    product.group = 3;
    product.stock.scaled = 50000;
    product.newestEvent = static_cast<std::int32_t>(kChainLength * kChainSpacing);
    std::ofstream(root / "CASSA.002", std::ios::binary)
        << orvik::sampleshop::encodeProduct(product);
    {
        std::ofstream events(root / "CASSA.004", std::ios::binary);
        for (std::int64_t k = kChainLength; k >= 1; --k) {
            events.seekp((k * kChainSpacing - 1) * 104);
            const std::int32_t older =
                k > 1 ? static_cast<std::int32_t>((k - 1) * kChainSpacing) : 0;
            events << orvik::sampleshop::encodeEvent({'M', kCutOff + 1, older});
        }
    }
    fs::resize_file(root / "CASSA.004", kEventFileBytes);
    const auto start = std::chrono::steady_clock::now();
    const orvik::ZeroRowsResult result = orvik::collectZeroRows(root.string() + "/", {3}, kCutOff);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("figure zero_walk_4tib_200k_records_seconds %.2f s\n", took.count());
    std::printf("figure zero_walk_4tib_200k_records_peak_memory %.1f MiB\n", peakMegabytes());
    return !result.failure && result.rowCount == 1;
}

} // namespace

int main() {
    const fs::path root = orvik::bench::makeTempDirectory("orvik-hugefiles-bench");
    bool ok = inChild([&] { return archiveCopy(root); });
    ok = inChild([&] { return sparseWalk(root); }) && ok;
    fs::remove_all(root);
    if (!ok)
        std::fprintf(stderr, "hugefiles_bench: a run failed\n");
    return ok ? 0 : 1;
}
