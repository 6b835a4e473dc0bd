// What a power cut at any instant of each step leaves, under the model of
// support/powercutreplay.h, once start-up recovery and the user's retry have
// run: every count line exactly once, none torn or zero-filled, no journal or
// temporary left, and the user never refused. Each step runs once for real
// under the recording file operations; every state its record allows is then
// put in place and checked. ORVIK_POWERCUT_SWEEP=1 takes many more states.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/archive.h"
#include "app/startuprecovery.h"
#include "files/fileops.h"
#include "files/ownfiles.h"
#include "files/systemfile.h"
#include "platform/doubles/fakeplatform.h"
#include "reader/doubles/scriptedreader.h"
#include "reader/readerfetch.h"
#include "reader/recordingview.h"
#include "results/handover.h"
#include "results/listsave.h"
#include "review/countedrows.h"
#include "review/reviewbuilder.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/powercutreplay.h"
#include "support/recordingfileops.h"
#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "workfile/importer.h"
#include "workfile/readerimport.h"
#include "zeroinv/zeroinventory.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;
using test::FileCall;
using test::PowerCutReplay;
using test::PowerCutState;
using test::readFile;
using test::RecordingFileOps;
using test::writeFile;

const std::string kEarlierWork = "6400000000001    1\r\n6400000000002    2\r\n";
const std::string kEarlierLog = "01.01.2012 10:00:00\r\n" + kEarlierWork;
const std::string kCount = "6410000000017    3\r\n6410000000024    1\r\n6410000000031  2.5\r\n";
const std::string kWaiting = "6420000000016    7\r\n6420000000023    8\r\n";
const std::string kHeader = "13.11.2012 08:15:02\r\n";
const std::string kTransferEnded = "transfer ended";
const std::string kReaderCleared = "reader cleared";
const std::string kZeroRows = "111              0\r\n333              0\r\n";

enum class DatKind { Empty, OwnDirectory, OtherDevice };

std::string kindName(DatKind kind) {
    switch (kind) {
    case DatKind::Empty:
        return "Empty";
    case DatKind::OwnDirectory:
        return "OwnDirectory";
    case DatKind::OtherDevice:
        return "OtherDevice";
    }
    return "?";
}

// A directory on another file system than the temporary directory, where
// the machine has one (a memory file system, usually).
std::optional<fs::path> otherDevice() {
    std::error_code error;
    const fs::path shm = "/dev/shm";
    if (!fs::is_directory(shm, error))
        return std::nullopt;
    systemfile::Status here;
    systemfile::Status there;
    if (systemfile::pathStatus(fs::temp_directory_path().c_str(), here) != 0 ||
        systemfile::pathStatus(shm.c_str(), there) != 0 || here.device == there.device)
        return std::nullopt;
    return shm;
}

// "" when equal; else where they part, not the bytes themselves.
std::string differs(const std::string& what, const std::string& actual,
                    const std::string& expected) {
    if (actual == expected)
        return {};
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return " " + what + ": " + std::to_string(actual.size()) + " bytes instead of " +
           std::to_string(expected.size()) + ", first difference at byte " + std::to_string(at) +
           ";";
}

// A file another program writes and leaves to the system to flush, as the
// reader library leaves the fetched file.
void writeUnflushed(const fs::path& path, const std::string& bytes) {
    const int fd = fileOps().open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(fileOps().write(fd, bytes.data(), bytes.size()), static_cast<long>(bytes.size()));
    fileOps().close(fd);
}

bool marked(const PowerCutState& state, const std::string& mark) {
    return std::find(state.marks.begin(), state.marks.end(), mark) != state.marks.end();
}

// A reader that holds a count and tells the record when it is cleared.
class CountingReader : public ScriptedReader {
public:
    explicit CountingReader(RecordingFileOps* recorder) : recorder_(recorder) {
        onUploadFinished = [this] {
            writeUnflushed(fetchedFilePath(), kCount);
            if (recorder_)
                recorder_->mark(kTransferEnded);
        };
    }
    int32_t HM_delete(int32_t port, uint8_t selector, std::string& name) override {
        if (recorder_)
            recorder_->mark(kReaderCleared);
        return ScriptedReader::HM_delete(port, selector, name);
    }

private:
    RecordingFileOps* recorder_;
};

struct NoWindow : ResultsView {
    void hideWindow() override {}
};

// Drops every flush of one directory, as a forgetful program would.
class ForgetfulFileOps : public test::ForwardingFileOps {
public:
    ForgetfulFileOps(FileOps& inner, fs::path directory)
        : ForwardingFileOps(&inner), directory_(std::move(directory)) {}
    void syncDirectory(const NativePathChar* directory) override {
        if (fs::absolute(directory).lexically_normal() != directory_)
            ForwardingFileOps::syncDirectory(directory);
    }

private:
    fs::path directory_;
};

class PowerCut : public testing::TestWithParam<DatKind> {
protected:
    void SetUp() override {
        switch (GetParam()) {
        case DatKind::Empty:
            dat = cwd.path();
            return;
        case DatKind::OwnDirectory:
            datDir = std::make_unique<test::TempDir>();
            break;
        case DatKind::OtherDevice:
            if (const std::optional<fs::path> parent = otherDevice())
                datDir = std::make_unique<test::TempDir>(*parent);
            else
                GTEST_SKIP() << "no directory on another file system here";
            break;
        }
        dat = datDir->path();
        datPolku = datDir->dirValue();
    }

    std::vector<fs::path> directories() const {
        return {cwd.path(), vorda.path(), dat, inv.path()};
    }

    // Journals and temporaries in any of the step's directories.
    std::string leftBehind() const {
        std::string left;
        for (const fs::path& directory : directories())
            left += test::leftBehindIn(directory);
        return left.empty() ? left : " left behind:" + left + ";";
    }

    Platform platform(FakePlatform& fakes) {
        return Platform{fakes.settings,   fakes.singleCopy, fakes.messages, fakes.printer,
                        fakes.programEnd, fakes.events,     clock};
    }

    // Runs the step once under the recording operations (on top of `under`,
    // else of operations whose flushes only the record keeps).
    std::vector<FileCall> record(const std::function<void(RecordingFileOps&)>& step,
                                 FileOps* under = nullptr) {
        test::NoFlushFileOps noFlush;
        RecordingFileOps recorder(under ? under : &noFlush);
        ScopedFileOps scoped(recorder);
        step(recorder);
        return recorder.calls();
    }

    // Checks every state; tells how many there were.
    void expectEveryStateHolds(const std::string& step, const PowerCutReplay& replay,
                               const std::vector<FileCall>& calls,
                               const std::function<std::string(const PowerCutState&)>& check) {
        const test::PowerCutReport report =
            checkEveryState(replay, calls, PowerCutReplay::depthFromEnvironment(), check);
        std::cout << "power-cut states, " << step << ", DatPolku " << kindName(GetParam()) << ": "
                  << report.states << " (" << calls.size() << " calls)\n";
        EXPECT_GT(report.states, 1u);
        EXPECT_EQ(report.failed, 0u) << report.failed << " of " << report.states << " fail:\n"
                                     << testing::PrintToString(report.failures);
    }

    std::string importedOnce(const std::string& count, const std::string& log) const {
        return differs("work file", readFile(dat / "orvik.dat"), kEarlierWork + count) +
               differs("log", readFile(dat / "orvik.log"), kEarlierLog + log) +
               (test::exists(cwd / "pnqty.dat") ? " pnqty.dat left;" : "") +
               (test::exists(vorda / "orvik.dat") ? " the reader software's file left;" : "") +
               leftBehind();
    }

    void writeEarlierWork() {
        writeFile(dat / "orvik.dat", kEarlierWork);
        writeFile(dat / "orvik.log", kEarlierLog);
    }

    // The rows of a work file holding `lines`, for a hand-over.
    static ReviewList countedList(const std::string& lines) {
        ReviewList list;
        for (std::size_t at = 0; at < lines.size(); at = lines.find('\n', at) + 1)
            list.rows.push_back(
                newCountedRow(lines.substr(at, 13), "    " + lines.substr(at + 13, 5)));
        return list;
    }

    void hyvaksy(const ReviewList& list) {
        FakePlatform fakes;
        fakes.messages.answers = {MsgAnswer::Yes};
        Platform handing = platform(fakes);
        NoWindow window;
        lastHandOver = handOver(list, {datPolku, "", inv.dirValue()}, handing, window);
    }

    // The review opened and closed with "Sulje".
    void reviewAndSulje() {
        ReviewList list;
        ASSERT_FALSE(readCountedRows(chooseReviewSource(datPolku), datPolku, list).error.failed());
        FakePlatform fakes;
        Platform saving = platform(fakes);
        NoWindow window;
        ASSERT_TRUE(saveListAndEnd(list, datPolku, saving, window));
    }

    test::TempDir cwd, vorda, inv;
    std::unique_ptr<test::TempDir> datDir;
    fs::path dat;
    std::string datPolku;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeClock clock;
    HandOverResult lastHandOver = HandOverResult::Done;
};

INSTANTIATE_TEST_SUITE_P(DatPolku, PowerCut,
                         testing::Values(DatKind::Empty, DatKind::OwnDirectory,
                                         DatKind::OtherDevice),
                         [](const testing::TestParamInfo<DatKind>& info) {
                             return kindName(info.param);
                         });

TEST_P(PowerCut, ImportOfTheReaderSoftwaresFile) {
    writeEarlierWork();
    writeFile(vorda / "orvik.dat", kCount);
    const PowerCutReplay replay(directories());
    const auto hakeTiedot = [&] {
        return importReaderSoftwareCount(vorda.dirValue(), datPolku, clock);
    };
    const std::vector<FileCall> calls =
        record([&](RecordingFileOps&) { ASSERT_EQ(hakeTiedot().lineCount, 3); });

    expectEveryStateHolds("import", replay, calls, [&](const PowerCutState&) {
        recoverAtStartUp(datPolku);
        const ReaderSoftwareImport retried = hakeTiedot();
        if (retried.outcome == ReaderSoftwareImport::Outcome::Failed)
            return " refused: " + retried.message;
        return importedOnce(kCount, kHeader + kCount);
    });
}

TEST_P(PowerCut, ImportWithACountWaitingInPnqty) {
    writeEarlierWork();
    writeFile(cwd / "pnqty.dat", kWaiting);
    writeFile(vorda / "orvik.dat", kCount);
    const PowerCutReplay replay(directories());
    const auto hakeTiedot = [&] {
        return importReaderSoftwareCount(vorda.dirValue(), datPolku, clock);
    };
    const std::vector<FileCall> calls =
        record([&](RecordingFileOps&) { ASSERT_EQ(hakeTiedot().lineCount, 5); });

    expectEveryStateHolds(
        "import with pnqty.dat waiting", replay, calls, [&](const PowerCutState&) {
            recoverAtStartUp(datPolku);
            const ReaderSoftwareImport retried = hakeTiedot();
            if (retried.outcome == ReaderSoftwareImport::Outcome::Failed)
                return " refused: " + retried.message;
            return importedOnce(kWaiting + kCount, kHeader + kWaiting + kHeader + kCount);
        });
}

// Two kinds of state need the user's own step, as after a crash; they are
// counted apart. A cut before the program has flushed the fetched file leaves
// in pnqty.dat whatever the library had written, maybe torn, and the count
// still on the reader: the user removes the file and fetches again.
// A cut after the count is in but before the reader is cleared leaves it on
// the reader too, and nothing on the PC can know that: the user clears the
// reader instead of fetching again, and the PC's files must be right already.
// A fetched file still waiting is taken in by "Hae tiedot" and the reader
// cleared, as the user is told when a fetched count is not taken in.
TEST_P(PowerCut, ReaderFetch) {
    writeEarlierWork();
    const PowerCutReplay replay(directories());
    const auto noudaTiedot = [&](RecordingFileOps* recorder) {
        FakePlatform fakes;
        Platform fetching = platform(fakes);
        CountingReader reader(recorder);
        test::RecordingView window;
        return noudatiedot(ReaderLink{reader, fetching, window, 1, datPolku}).imported;
    };
    const std::vector<FileCall> calls =
        record([&](RecordingFileOps& recorder) { ASSERT_TRUE(noudaTiedot(&recorder)); });

    // The program has made the fetched file its own once its directory is
    // flushed after the transfer.
    std::size_t flushed = 0;
    for (std::size_t i = 0; i < calls.size() && !flushed; ++i)
        if (calls[i].kind == FileCall::Kind::SyncDirectory && i > 0 &&
            std::any_of(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(i),
                        [](const FileCall& c) {
                            return c.kind == FileCall::Kind::Mark && c.bytes == kTransferEnded;
                        }))
            flushed = i + 1;
    ASSERT_GT(flushed, 0u) << "the fetched file is never flushed";

    int fetchedAgain = 0;
    int clearingLeft = 0;
    expectEveryStateHolds("reader fetch", replay, calls,
                          [&](const PowerCutState& state) -> std::string {
                              recoverAtStartUp(datPolku);
                              if (state.afterCalls < flushed) {
                                  ++fetchedAgain;
                                  fs::remove(cwd / "pnqty.dat");
                                  if (!noudaTiedot(nullptr))
                                      return " the fetch done again failed;";
                              } else if (test::exists(cwd / "pnqty.dat")) {
                                  const ReaderSoftwareImport taken =
                                      importReaderSoftwareCount(vorda.dirValue(), datPolku, clock);
                                  if (taken.outcome != ReaderSoftwareImport::Outcome::Imported)
                                      return " the waiting count refused: " + taken.message;
                              } else if (!marked(state, kReaderCleared)) {
                                  ++clearingLeft;
                              }
                              return importedOnce(kCount, kHeader + kCount);
                          });
    std::cout << "  of which " << fetchedAgain << " cut the transfer (pnqty.dat removed, fetched "
              << "again) and " << clearingLeft << " left the count on the reader too (cleared)\n";
}

TEST_P(PowerCut, HandOver) {
    const std::string waiting = "6400000000009 7\r\n"; // not yet taken by the cash register
    const ReviewList list = countedList(kCount);
    writeFile(inv / "orvik.inv", waiting);
    writeFile(dat / "orvik.dat", kCount);
    const PowerCutReplay replay(directories());
    const std::vector<FileCall> calls = record([&](RecordingFileOps&) {
        hyvaksy(list);
        ASSERT_EQ(lastHandOver, HandOverResult::Done);
    });

    expectEveryStateHolds("hand-over", replay, calls, [&](const PowerCutState&) {
        recoverAtStartUp(datPolku);
        // A work file still there was not handed over: the user does it again.
        if (test::exists(dat / "orvik.dat"))
            hyvaksy(list);
        return differs("transfer file", readFile(inv / "orvik.inv"),
                       waiting + transferLines(list)) +
               (test::exists(dat / "orvik.dat") ? " work file left;" : "") + leftBehind();
    });
}

// The transfer file is new, and the disk fills part way through it: the
// append is rolled back and the new file removed before the journal goes.
TEST_P(PowerCut, RolledBackHandOver) {
    const ReviewList list = countedList(kCount);
    writeFile(dat / "orvik.dat", kCount);
    const PowerCutReplay replay(directories());
    test::FailingFileOps diskFull(20);
    diskFull.onlyFile = "orvik.inv";
    const std::vector<FileCall> calls = record(
        [&](RecordingFileOps&) {
            hyvaksy(list);
            ASSERT_EQ(lastHandOver, HandOverResult::TransferFailed);
        },
        &diskFull);

    expectEveryStateHolds("rolled-back hand-over", replay, calls, [&](const PowerCutState&) {
        recoverAtStartUp(datPolku);
        if (test::exists(dat / "orvik.dat"))
            hyvaksy(list);
        return differs("transfer file", readFile(inv / "orvik.inv"), transferLines(list)) +
               (test::exists(dat / "orvik.dat") ? " work file left;" : "") + leftBehind();
    });
}

TEST_P(PowerCut, ZeroRows) {
    test::TempDir stock;
    test::writeStockFiles(stock.path(),
                          {test::stockedProduct("111", 1), test::stockedProduct("222", 2),
                           test::stockedProduct("333", 1)},
                          {});
    const std::string& rows = kZeroRows;
    const Directories dirs{datPolku, stock.dirValue(), inv.dirValue()};
    const auto nollaa = [&] {
        FakeMessageBoxes messages;
        return nollainventointi(dirs, {1}, 41000.0, messages, clock);
    };
    const PowerCutReplay replay(directories());
    const std::vector<FileCall> calls = record([&](RecordingFileOps&) { ASSERT_TRUE(nollaa()); });

    expectEveryStateHolds("zero rows", replay, calls, [&](const PowerCutState&) -> std::string {
        recoverAtStartUp(datPolku);
        // Rows that are not there were not written: the user writes them again.
        if (readFile(dat / "nulli.dat") != rows && !nollaa())
            return " refused;";
        return differs("zero-row file", readFile(dat / "nulli.dat"), rows) + leftBehind();
    });
}

// The review takes the waiting zero rows in (removing their file) and
// "Sulje" saves the list: the work file is the old one or the saved one, the
// saved one never beside the zero rows' file come back nor beside an old
// list export. Until the list is saved the taken rows are in memory only: a
// cut meanwhile loses them, as a crash does, and the user runs the zero
// inventory again; those states are counted apart.
TEST_P(PowerCut, Sulje) {
    test::TempDir stock;
    test::writeStockFiles(stock.path(),
                          {test::stockedProduct("111", 1), test::stockedProduct("333", 1)}, {});
    const Directories dirs{datPolku, stock.dirValue(), inv.dirValue()};
    writeFile(dat / "orvik.dat", kCount);
    writeFile(dat / "nulli.dat", kZeroRows);
    const PowerCutReplay replay(directories());
    const std::vector<FileCall> calls = record([&](RecordingFileOps&) { reviewAndSulje(); });
    const std::string saved = readFile(dat / "orvik.dat");
    const std::string exported = readFile(dat / "orvik.txt");

    int zeroRowsAgain = 0;
    expectEveryStateHolds("Sulje", replay, calls, [&](const PowerCutState&) -> std::string {
        recoverAtStartUp(datPolku);
        const std::string work = readFile(dat / "orvik.dat");
        const bool zeroRowsWait = test::exists(dat / "nulli.dat");
        if (work == saved)
            return differs("list export", readFile(dat / "orvik.txt"), exported) +
                   (zeroRowsWait ? " the zero rows back beside the saved list;" : "") +
                   leftBehind();
        if (work != kCount)
            return differs("work file", work, kCount);
        if (zeroRowsWait && readFile(dat / "nulli.dat") != kZeroRows)
            return differs("zero-row file", readFile(dat / "nulli.dat"), kZeroRows);
        if (!zeroRowsWait) {
            ++zeroRowsAgain;
            FakeMessageBoxes messages;
            if (!nollainventointi(dirs, {1}, 41000.0, messages, clock))
                return " the zero inventory refused;";
        }
        // Not saved: the user opens the review again and closes it the same way.
        reviewAndSulje();
        return differs("work file", readFile(dat / "orvik.dat"), saved) +
               differs("list export", readFile(dat / "orvik.txt"), exported) +
               (test::exists(dat / "nulli.dat") ? " zero-row file left;" : "") + leftBehind();
    });
    std::cout << "  of which " << zeroRowsAgain
              << " lost the zero rows taken into the review (zero inventory run again)\n";
}

TEST_P(PowerCut, ArchiveCopy) {
    writeFile(cwd / "orvik.dat", kEarlierWork);
    const fs::path archive = cwd / archiveName(clock.date, clock.time);
    const PowerCutReplay replay(directories());
    const std::vector<FileCall> calls = record([&](RecordingFileOps&) { archiveWorkFile(clock); });
    ASSERT_EQ(readFile(archive), kEarlierWork);

    expectEveryStateHolds("archive copy", replay, calls, [&](const PowerCutState&) {
        recoverAtStartUp(datPolku);
        // The copy is whole or not there before the next start-up copies again.
        std::string why = test::exists(archive)
                              ? differs("archive copy", readFile(archive), kEarlierWork)
                              : std::string();
        archiveWorkFile(clock);
        return why + differs("work file", readFile(cwd / "orvik.dat"), kEarlierWork) +
               differs("archive copy", readFile(archive), kEarlierWork) + leftBehind();
    });
}

// The replay finds a flush a program forgets: here every flush of the
// current directory, where the count is copied before its source goes.
TEST(PowerCutReplay, FindsAForgottenDirectoryFlush) {
    test::TempDir cwd, vorda, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeClock clock;
    writeFile(vorda / "orvik.dat", kCount);
    const PowerCutReplay replay({cwd.path(), vorda.path(), dat.path()});
    RecordingFileOps recorder;
    {
        ForgetfulFileOps forgetful(recorder, fs::absolute(cwd.path()).lexically_normal());
        ScopedFileOps scoped(forgetful);
        ASSERT_EQ(importReaderSoftwareCount(vorda.dirValue(), dat.dirValue(), clock).lineCount, 3);
    }

    const test::PowerCutReport report = checkEveryState(
        replay, recorder.calls(), PowerCutReplay::Depth::Quick, [&](const PowerCutState&) {
            recoverAtStartUp(dat.dirValue());
            importReaderSoftwareCount(vorda.dirValue(), dat.dirValue(), clock);
            return differs("work file", readFile(dat / "orvik.dat"), kCount);
        });

    EXPECT_GT(report.failed, 0u) << report.states << " states, none lost the count";
}

} // namespace
} // namespace orvik
