// How fast the review list sorts and totals 100 000 rows, and takes back a
// large removal after a re-sort.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "review/removalhistory.h"
#include "review/reviewsort.h"
#include "review/reviewtotals.h"
#include "text/fixedfield.h"

namespace {

using namespace orvik;

constexpr int kRows = 100000;

std::string randomText(std::mt19937& random, const char* alphabet, std::size_t length) {
    const std::size_t letters = std::char_traits<char>::length(alphabet);
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += alphabet[random() % letters];
    return text;
}

ReviewList sampleList() {
    std::mt19937 random(7);
    ReviewList list;
    list.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        ReviewRow row;
        row[colTuote] = randomText(random, "0123456789", 13);
        row[colNimitys] = randomText(random, "abcdefghijABCDEFGHIJ \xE4\xC4", 20);
        const int difference = static_cast<int>(random() % 200) - 100;
        row[colErotus] = rightField(std::to_string(difference), 10);
        row[colSortErotus] = rightField(std::to_string(100000000 + difference), 10);
        row[colMyyntihinta] = rightField(std::to_string(random() % 100) + ".95", 10);
        row[colOstohinta] = rightField(std::to_string(random() % 100) + ".40", 10);
        row[colTuoteryhma] = randomText(random, "ABCDEFGH", 25);
        list.rows.push_back(std::move(row));
    }
    return list;
}

// The best of three runs, each on the same shuffled list: the machine's other
// work only ever adds to a run.
template <typename F> double bestMilliseconds(const ReviewList& sample, F&& work) {
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        ReviewList list = sample;
        const auto start = std::chrono::steady_clock::now();
        work(list);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

// Every other row removed after a sort by name, the list re-sorted by the
// difference, then the removal taken back: only the undo is timed.
double bestUndoMilliseconds(const ReviewList& sample) {
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        ReviewList list = sample;
        RemovalHistory history;
        clickColumn(list, 2);
        std::vector<std::size_t> everyOther;
        for (std::size_t row = 0; row < list.rows.size(); row += 2)
            everyOther.push_back(row);
        history.removeRows(list, everyOther);
        clickColumn(list, 5);
        const auto start = std::chrono::steady_clock::now();
        history.undo(list);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

} // namespace

int main() {
    const ReviewList sample = sampleList();
    const struct {
        const char* figure;
        int position;
    } sorts[] = {{"review_sort_code_100k", 1},
                 {"review_sort_name_100k", 2},
                 {"review_sort_difference_100k", 5}};
    for (const auto& sort : sorts)
        std::printf(
            "figure %s %.1f ms\n", sort.figure,
            bestMilliseconds(sample, [&](ReviewList& list) { clickColumn(list, sort.position); }));
    std::printf("figure review_undo_50k_of_100k %.1f ms\n", bestUndoMilliseconds(sample));
    std::string caption;
    std::printf("figure review_totals_100k %.1f ms\n",
                bestMilliseconds(sample, [&](ReviewList& list) { caption = laske(list); }));
    return caption.empty() ? 1 : 0;
}
