// The import of a large count: tuodata on a million lines, set against
// appending the same bytes that it appends (the lines to the work file, the
// header and the lines to the log) with plain system calls. Each figure is
// the best of a few rounds, since the machine may be busy with other work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "workfile/importer.h"

namespace {

using namespace orvik;
using Seconds = std::chrono::duration<double>;

constexpr int kLines = 1000000;
constexpr int kRounds = 3;

class FixedClock : public Clock {
public:
    CalendarDate today() override { return {2012, 11, 13}; }
    TimeOfDay now() override { return {8, 15, 2}; }
    std::chrono::nanoseconds elapsed() override { return {}; }
};

// Count lines as the reader writes them: 13-character code, 5-character quantity.
std::string countFile() {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(kLines) * 20);
    char line[32];
    for (int i = 0; i < kLines; ++i) {
        std::snprintf(line, sizeof line, "%013d%5d\r\n", 6410000 + i, i % 1000);
        bytes += line;
    }
    return bytes;
}

bool writeAll(const std::filesystem::path& path, const std::string& bytes, int flags) {
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

bool flushDirectory(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

template <typename F> double timed(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return Seconds(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// One round of each, in fresh files; the best times of all rounds.
struct Timings {
    double import = 1e9;
    double plainAppend = 1e9;
};

bool runRound(const std::filesystem::path& dir, const std::string& lines, Timings& best) {
    FixedClock clock;
    ImportResult result;
    const double importSeconds =
        timed([&] { result = tuodata(dir / "pnqty.dat", dir.string() + "/", clock); });
    if (result.error.failed() || result.lineCount != kLines) {
        std::fprintf(stderr, "import failed: %s\n", result.error.message().c_str());
        return false;
    }
    const std::string logText = logHeaderLine(clock) + lines;
    bool appended = false;
    const double appendSeconds = timed([&] {
        const int flags = O_WRONLY | O_CREAT | O_APPEND;
        appended = writeAll(dir / "plain.dat", lines, flags) &&
                   writeAll(dir / "plain.log", logText, flags);
    });
    if (!appended)
        return false;
    best.import = std::min(best.import, importSeconds);
    best.plainAppend = std::min(best.plainAppend, appendSeconds);
    for (const char* name : {"orvik.dat", "orvik.log", "plain.dat", "plain.log"})
        std::filesystem::remove(dir / name);
    // The removals' own flush is done here, so that the next round's import,
    // whose first flush would otherwise carry it, pays for none of it.
    return flushDirectory(dir);
}

int main() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvik-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    const std::filesystem::path dir = pattern;
    const std::string lines = countFile();
    bool ok = writeAll(dir / "pnqty.dat", lines, O_WRONLY | O_CREAT | O_TRUNC);
    Timings best;
    for (int round = 0; ok && round < kRounds; ++round)
        ok = runRound(dir, lines, best);
    std::filesystem::remove_all(dir);
    if (!ok)
        return 1;
    std::printf("figure import_lines_per_s %.0f lines/s\n", kLines / best.import);
    std::printf("figure import_vs_copy %.2f ratio\n", best.import / best.plainAppend);
    return 0;
}
