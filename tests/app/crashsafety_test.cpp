// A count's files after a crash at any instant of an import or a hand-over,
// once the program's start-up recovery has run and the user has done the
// step again: every line exactly once, none torn, nothing left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/startuprecovery.h"
#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "results/handover.h"
#include "review/countedrows.h"
#include "support/files.h"
#include "support/killingfileops.h"
#include "support/tempdir.h"
#include "workfile/importer.h"
#include "workfile/readerimport.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;
using test::KillingFileOps;
using test::readFile;
using test::writeFile;

constexpr int kLines = 60000;
constexpr int kMomentsByOperation = 30;
constexpr int kMomentsByByte = 30;

std::string countLine(int i) {
    return std::to_string(6400000000000LL + i) + "    1\r\n";
}

std::string countLines(int first, int count) {
    std::string lines;
    for (int i = first; i < first + count; ++i)
        lines += countLine(i);
    return lines;
}

// Moments spread over a whole run: before operations, and inside writes.
std::vector<KillingFileOps> killMoments(const KillingFileOps& wholeRun) {
    std::vector<KillingFileOps> moments;
    for (int i = 0; i < kMomentsByOperation; ++i)
        moments.push_back(
            KillingFileOps::beforeOperation(wholeRun.operations() * i / kMomentsByOperation));
    for (int i = 1; i <= kMomentsByByte; ++i)
        moments.push_back(KillingFileOps::atByte(wholeRun.bytes() * i / (kMomentsByByte + 1)));
    return moments;
}

// Equal bytes; a failure tells where they part, not the megabytes themselves.
testing::AssertionResult holds(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                       << ", first difference at byte " << at;
}

bool noJournalLeft(const test::TempDir& dat) {
    for (const fs::directory_entry& entry : fs::directory_iterator(dat.path()))
        if (entry.path().extension() == ".jnl")
            return false;
    return true;
}

class CrashSafety : public testing::Test {
protected:
    test::TempDir cwd, vorda, dat, inv;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeClock clock;
};

TEST_F(CrashSafety, AnImportKilledAtAnyMomentEndsWithEveryLineOnce) {
    const std::string earlierWork = countLines(0, 3);
    const std::string earlierLog = "01.01.2012 10:00:00\r\n" + earlierWork;
    const std::string count = countLines(100, kLines);
    const std::string header = logHeaderLine(clock);
    auto freshFiles = [&] {
        writeFile(dat / "orvik.dat", earlierWork);
        writeFile(dat / "orvik.log", earlierLog);
        writeFile(vorda / "orvik.dat", count);
    };
    auto hakeTiedot = [&] { importReaderSoftwareCount(vorda.dirValue(), dat.dirValue(), clock); };

    KillingFileOps wholeRun;
    freshFiles();
    {
        ScopedFileOps counting(wholeRun);
        hakeTiedot();
    }
    int killed = 0;
    for (KillingFileOps& moment : killMoments(wholeRun)) {
        freshFiles();
        killed += test::killedInChild(moment, hakeTiedot);
        recoverAtStartUp(dat.dirValue());
        hakeTiedot();

        ASSERT_TRUE(holds(readFile(dat / "orvik.dat"), earlierWork + count));
        ASSERT_TRUE(holds(readFile(dat / "orvik.log"), earlierLog + header + count));
        ASSERT_FALSE(test::exists(cwd / "pnqty.dat"));
        ASSERT_FALSE(test::exists(vorda / "orvik.dat"));
        ASSERT_TRUE(noJournalLeft(dat));
    }
    EXPECT_GE(killed, 55);
}

TEST_F(CrashSafety, AHandOverKilledAtAnyMomentEndsWithEveryRowOnce) {
    const std::string waiting = countLines(0, 2); // not yet taken by the cash-register system
    ReviewList list;
    for (int i = 0; i < kLines; ++i)
        list.rows.push_back(newCountedRow(std::to_string(6400000000000LL + i), "         1"));
    const std::string handedOver = transferLines(list);
    const Directories dirs{dat.dirValue(), "", inv.dirValue()};
    auto freshFiles = [&] {
        writeFile(inv / "orvik.inv", waiting);
        writeFile(dat / "orvik.dat", countLines(0, kLines));
    };
    auto hyvaksy = [&] {
        FakePlatform fakes;
        fakes.messages.answers = {MsgAnswer::Yes};
        Platform platform{fakes.settings,   fakes.singleCopy, fakes.messages, fakes.printer,
                          fakes.programEnd, fakes.events,     clock};
        struct : ResultsView {
            void hideWindow() override {}
        } window;
        handOver(list, dirs, platform, window);
    };

    KillingFileOps wholeRun;
    freshFiles();
    {
        ScopedFileOps counting(wholeRun);
        hyvaksy();
    }
    int killed = 0;
    for (KillingFileOps& moment : killMoments(wholeRun)) {
        freshFiles();
        killed += test::killedInChild(moment, hyvaksy);
        recoverAtStartUp(dat.dirValue());
        // A work file still there was not handed over: the user does it again.
        if (test::exists(dat / "orvik.dat"))
            hyvaksy();

        ASSERT_TRUE(holds(readFile(inv / "orvik.inv"), waiting + handedOver));
        ASSERT_FALSE(test::exists(dat / "orvik.dat"));
        ASSERT_TRUE(noJournalLeft(dat));
    }
    EXPECT_GE(killed, 55);
}

} // namespace
} // namespace orvik
