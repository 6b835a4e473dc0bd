// The results of a large review: saving the list ("Sulje"), handing it over
// ("Hyväksy") and building the narrow and wide reports, on a list of 50 000
// rows of which one in ten holds a merged count too long for one count line.
// Each figure is the best of a few rounds, since the machine may be busy.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/doubles/fakeplatform.h"
#include "results/handover.h"
#include "results/listfiles.h"
#include "results/listsave.h"
#include "results/reportlines.h"

namespace {

using namespace orvik;
using Seconds = std::chrono::duration<double>;

constexpr int kRows = 50000;
constexpr int kRounds = 3;

ReviewList largeList() {
    ReviewList list;
    list.rows.reserve(kRows);
    char text[32];
    for (int i = 0; i < kRows; ++i) {
        ReviewRow row;
        row.fill(std::string(10, ' '));
        std::snprintf(text, sizeof text, "%013d", 6410000 + i);
        row[colTuote] = text;
        row[colNimitys] = "Tuote numero " + std::to_string(i);
        for (int column : {colTuoteryhma, colTuoteluokka, colToimittaja})
            row[column] = std::string(25, 'x');
        if (i % 10 == 0)
            std::snprintf(text, sizeof text, "%d,%02d", 100000 + i, i % 100);
        else
            std::snprintf(text, sizeof text, "%10d", i % 1000);
        row[colLukija] = text;
        list.rows.push_back(row);
    }
    return list;
}

template <typename F> double bestMilliseconds(F&& work) {
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, Seconds(std::chrono::steady_clock::now() - start).count());
    }
    return best * 1000.0;
}

void figure(const char* name, double value, const char* unit) {
    std::printf("figure %s %.1f %s\n", name, value, unit);
}

} // namespace

int main() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvik-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const std::filesystem::path dir = pattern;
    const ReviewList list = largeList();
    FakePlatform fakes;
    struct : ResultsView {
        void hideWindow() override {}
    } window;
    Directories dirs{dir.string() + "/", dir.string() + "/", dir.string() + "/"};

    figure("results_build_list_files_50000_rows", bestMilliseconds([&] { buildListFiles(list); }),
           "ms");
    figure("results_save_list_50000_rows",
           bestMilliseconds([&] { saveListAndEnd(list, dirs.datPolku, fakes.platform, window); }),
           "ms");
    figure("results_hand_over_50000_rows", bestMilliseconds([&] {
               fakes.messages.answers = {MsgAnswer::Yes};
               handOver(list, dirs, fakes.platform, window);
           }),
           "ms");
    const ColumnTitles titles(kReviewColumnCount, "Otsikko");
    figure("results_report_lines_50000_rows", bestMilliseconds([&] {
               narrowReportLines(list);
               wideReportLines(list, titles);
           }),
           "ms");

    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return 0;
}
