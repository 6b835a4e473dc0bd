// Building and sorting the review list of a large shop: 100 000 products,
// 100 000 count lines over 20 000 distinct codes.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "benchsupport.h"
#include "review/reviewbuilder.h"
#include "review/reviewsort.h"
#include "review/stockpass.h"
#include "sampleshop.h"

namespace fs = std::filesystem;
using orvik::ReviewList;
using orvik::bench::peakMegabytes;
using orvik::bench::seconds;

namespace {

constexpr std::uint64_t kSeed = 2024;
constexpr std::size_t kProducts = 100000;
constexpr std::size_t kLines = 100000;
constexpr std::size_t kCodes = 20000;
constexpr std::size_t kScale = 10; // the small count is a tenth of the large

struct BenchDirs {
    fs::path root;
    std::string stock; // directory values, ending with "/"
    std::string large;
    std::string small;
};

BenchDirs makeDirs() {
    std::string pattern = (fs::temp_directory_path() / "orvik-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    BenchDirs dirs{pattern, pattern + "/stock/", pattern + "/large/", pattern + "/small/"};
    for (const std::string& dir : {dirs.stock, dirs.large, dirs.small})
        fs::create_directories(dir);
    return dirs;
}

// The shop is made in a child process, so that the generator's memory does
// not count in the peak measured here.
void writeShopInChild(const BenchDirs& dirs) {
    pid_t child = fork();
    if (child == 0) {
        using namespace orvik::sampleshop;
        Shop large = makeShop({kProducts, kLines, kCodes, kSeed});
        bool ok = !writeShop(large, dirs.stock, fs::path(dirs.large) / "orvik.dat").failed();
        // The same seed and product count give the same products.
        Shop small = makeShop({kProducts, kLines / kScale, kCodes / kScale, kSeed});
        ok =
            ok &&
            !orvik::replaceFile(fs::path(dirs.small) / "orvik.dat", countFileBytes(small)).failed();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "review_bench: could not write the sample shop\n");
        std::exit(1);
    }
}

ReviewList buildList(const std::string& datPolku, const std::string& datat) {
    ReviewList list;
    orvik::readCountedRows(orvik::ReviewSource::WorkFile, datPolku, list);
    orvik::fillStock(list, datat, nullptr);
    return list;
}

// The best of a few runs each, the two sizes taken in turn so that both
// meet the same load from the rest of the machine.
struct BuildTimes {
    double small = 1e9;
    double large = 1e9;
};

BuildTimes bestBuildTimes(const BenchDirs& dirs, int runs, ReviewList& list) {
    BuildTimes best;
    for (int i = 0; i < runs; ++i) {
        best.small =
            std::min(best.small, seconds([&] { list = buildList(dirs.small, dirs.stock); }));
        best.large =
            std::min(best.large, seconds([&] { list = buildList(dirs.large, dirs.stock); }));
    }
    return best;
}

} // namespace

int main() {
    BenchDirs dirs = makeDirs();
    writeShopInChild(dirs);

    ReviewList list;
    buildList(dirs.large, dirs.stock); // warms the file cache
    const BuildTimes times = bestBuildTimes(dirs, 7, list);
    if (list.rows.size() < kCodes / 2) {
        std::fprintf(stderr, "review_bench: only %zu rows built\n", list.rows.size());
        return 1;
    }
    const double sortSeconds = seconds([&] { orvik::clickColumn(list, 5); }); // "Erotus"
    const double peak = peakMegabytes();

    std::printf("figure review_build_s %.3f s\n", times.large);
    std::printf("figure review_build_peak_mb %.1f MB\n", peak);
    std::printf("figure review_sort_ms %.1f ms\n", sortSeconds * 1000.0);
    std::printf("figure review_scaling %.2f ratio\n", times.large / times.small);

    std::error_code ignored;
    fs::remove_all(dirs.root, ignored);
    return 0;
}
