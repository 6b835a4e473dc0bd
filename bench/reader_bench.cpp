// A reader fetch and a program send through the stand-in reader library,
// loaded as the program loads it: a count of 32 767 lines (the most one
// import takes) fetched into the work file, and a 1 MB program sent. Each
// figure is the best of a few rounds, since the machine may be busy.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/doubles/fakeplatform.h"
#include "reader/readerfetch.h"
#include "reader/readerloader.h"
#include "reader/readersend.h"

namespace {

using namespace orvik;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kLines = 32767;
constexpr std::size_t kProgramBytes = 1 << 20;
constexpr int kRounds = 3;

class CountingView : public ReaderView {
public:
    long captions = 0;
    void lockForTransfer() override {}
    void setProgressCaption(const std::string&) override { ++captions; }
    void hideMainWindow() override {}
    void showMainWindow() override {}
    void showReview() override {}
};

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string countFile() {
    std::string bytes;
    char line[32];
    for (int i = 0; i < kLines; ++i) {
        std::snprintf(line, sizeof line, "%013d%5d\r\n", 6410000 + i, i % 1000);
        bytes += line;
    }
    return bytes;
}

struct Round {
    double milliseconds;
    long steps;
    bool ok;
};

template <typename Routine>
Round timeRoutine(ReaderLibrary& reader, const std::filesystem::path& work, Routine routine) {
    FakePlatform fake;
    CountingView view;
    const ReaderLink link{reader, fake.platform, view, 1, work.string() + "/"};
    const auto start = std::chrono::steady_clock::now();
    const int32_t tulos = routine(link);
    const Milliseconds took = std::chrono::steady_clock::now() - start;
    return {took.count(), view.captions, tulos == 0};
}

} // namespace

int main() {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("orvik-reader-bench-" + std::to_string(getpid()));
    const std::filesystem::path readerDir = root / "reader", work = root / "work";
    std::filesystem::create_directories(readerDir);
    std::filesystem::create_directories(work);
    std::filesystem::current_path(root);
    setenv("ORVIK_READER_DIR", readerDir.c_str(), 1);
    auto reader = makeReaderLibrary();

    const std::string count = countFile();
    const std::string program(kProgramBytes, 'x');
    double bestFetch = 1e300, bestSend = 1e300;
    long fetchSteps = 0, sendSteps = 0;
    bool ok = true;
    for (int round = 0; round < kRounds; ++round) {
        writeFile(readerDir / "pnqty.dat", count);
        std::filesystem::remove(work / "orvik.dat");
        std::filesystem::remove(work / "orvik.log");
        Round fetch = timeRoutine(*reader, work,
                                  [](const ReaderLink& link) { return noudatiedot(link).tulos; });
        writeFile(root / "Autoexec.exe", program);
        Round send =
            timeRoutine(*reader, work, [](const ReaderLink& link) { return vieohjelma(link); });
        ok = ok && fetch.ok && send.ok &&
             std::filesystem::file_size(work / "orvik.dat") == count.size();
        bestFetch = std::min(bestFetch, fetch.milliseconds);
        bestSend = std::min(bestSend, send.milliseconds);
        fetchSteps = fetch.steps;
        sendSteps = send.steps;
    }
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(root);
    if (!ok) {
        std::fprintf(stderr, "reader_bench: a transfer failed\n");
        return 1;
    }
    std::printf("figure reader_fetch_32767_lines %.1f ms\n", bestFetch);
    std::printf("figure reader_fetch_steps %ld steps\n", fetchSteps);
    std::printf("figure reader_send_1mb_program %.1f ms\n", bestSend);
    std::printf("figure reader_send_steps %ld steps\n", sendSteps);
    return 0;
}
