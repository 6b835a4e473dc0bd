// The huge shop through the review window: 300 000 products, 200 000 count
// lines over 100 000 codes. "Näytä rivit" to a usable list (the window's
// load and the first paint), its peak memory, and both printed reports into
// PDF files through the Qt printing service. Each time is the best of a few
// runs, since the machine may be busy with other work.
//
// With ORVIK_BENCH_PDF_DIR set, the last PDF of each report is kept there
// (as narrow.pdf and wide.pdf), so that their text can be compared.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "benchsupport.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtprintingservice.h"
#include "review/reviewbuilder.h"
#include "review/ui/frmrepo.h"
#include "sampleshop.h"

namespace fs = std::filesystem;
using namespace orvik;
using bench::peakMegabytes;
using bench::seconds;

namespace {

constexpr std::uint64_t kSeed = 2024;
constexpr std::size_t kProducts = 300000;
constexpr std::size_t kLines = 200000;
constexpr std::size_t kCodes = 100000;
constexpr int kLoadRuns = 5;
constexpr int kReportRuns = 3;

// Made in a child process, so that the generator's memory does not count in
// the peak measured here.
void writeShopInChild(const fs::path& dir) {
    const pid_t child = fork();
    if (child == 0) {
        using namespace orvik::sampleshop;
        const Shop shop = makeShop({kProducts, kLines, kCodes, kSeed});
        _exit(writeShop(shop, dir, dir / "orvik.dat").failed() ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "review_huge_bench: could not write the sample shop\n");
        std::exit(1);
    }
}

struct Bench {
    fs::path dir;
    std::string dirValue; // ending with "/"
    FakePlatform fakes;
    QtPrintingService printer{fakes.clock, {}, QtPrintingService::Target::PdfFile};
    Platform platform{fakes.settings,   fakes.singleCopy, fakes.messages, printer,
                      fakes.programEnd, fakes.events,     fakes.clock};

    std::unique_ptr<frmRepo> openReview() {
        auto window =
            std::make_unique<frmRepo>(platform, Directories{dirValue, dirValue, dirValue});
        window->Show();
        QApplication::processEvents(); // the first paint of the filled list
        return window;
    }
};

// The core of the load alone: the counted rows, then the stock pass.
struct BuildParts {
    double read = 1e9;
    double stock = 1e9;
};

void measureBuild(const std::string& dirValue, BuildParts& best) {
    ReviewList list;
    const double read = seconds([&] { readCountedRows(ReviewSource::WorkFile, dirValue, list); });
    const double stock = seconds([&] { fillStock(list, dirValue, nullptr); });
    best.read = std::min(best.read, read);
    best.stock = std::min(best.stock, stock);
}

fs::path onlyPdfIn(const fs::path& dir) {
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".pdf")
            return entry.path();
    return {};
}

// The best time of a report; the last PDF is kept in `keepAs` when given.
template <typename Print>
double bestReportSeconds(const fs::path& dir, Print&& print, const fs::path& keepAs) {
    double best = 1e9;
    for (int run = 0; run < kReportRuns; ++run) {
        best = std::min(best, seconds(print));
        const fs::path pdf = onlyPdfIn(dir);
        if (pdf.empty()) {
            std::fprintf(stderr, "review_huge_bench: no PDF written\n");
            std::exit(1);
        }
        if (run + 1 == kReportRuns && !keepAs.empty())
            fs::copy_file(pdf, keepAs, fs::copy_options::overwrite_existing);
        fs::remove(pdf);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Bench bench;
    bench.dir = orvik::bench::makeTempDirectory("orvik-bench");
    bench.dirValue = bench.dir.string() + "/";
    writeShopInChild(bench.dir);

    // The first load in a fresh process gives the peak; the file cache is
    // warmed by it too.
    double bestLoad = seconds([&] { bench.openReview(); });
    const double peak = peakMegabytes();
    BuildParts parts;
    for (int run = 1; run < kLoadRuns; ++run) {
        bestLoad = std::min(bestLoad, seconds([&] { bench.openReview(); }));
        measureBuild(bench.dirValue, parts);
    }

    std::unique_ptr<frmRepo> window = bench.openReview();
    if (window->list().rows.size() < kCodes / 2) {
        std::fprintf(stderr, "review_huge_bench: only %zu rows\n", window->list().rows.size());
        return 1;
    }
    const char* keepDir = std::getenv("ORVIK_BENCH_PDF_DIR");
    const auto kept = [&](const char* name) {
        return keepDir ? fs::path(keepDir) / name : fs::path();
    };
    const double wide = bestReportSeconds(
        bench.dir, [&] { window->printti2(); }, kept("wide.pdf"));
    const double narrow = bestReportSeconds(
        bench.dir, [&] { window->printti(); }, kept("narrow.pdf"));

    std::printf("figure review_huge_s %.3f s\n", bestLoad);
    std::printf("figure review_huge_read_s %.3f s\n", parts.read);
    std::printf("figure review_huge_stock_s %.3f s\n", parts.stock);
    std::printf("figure review_huge_view_s %.3f s\n",
                std::max(0.0, bestLoad - parts.read - parts.stock));
    std::printf("figure review_huge_peak_mb %.1f MB\n", peak);
    std::printf("figure report_wide_huge_s %.2f s\n", wide);
    std::printf("figure report_narrow_huge_s %.2f s\n", narrow);

    window.reset();
    std::error_code ignored;
    fs::remove_all(bench.dir, ignored);
    return 0;
}
