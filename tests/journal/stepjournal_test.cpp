// Recovery of a step journal left by a crash. (The crash itself, at every
// moment of a real import and hand-over, is tests/app/crashsafety_test.)
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>

#include "files/dirvalue.h"
#include "files/fileops.h"
#include "journal/stepjournal.h"
#include "journal/stepnotices.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using test::readFile;
using test::writeFile;

class StepJournalTest : public testing::Test {
protected:
    test::TempDir dir;

    void leaveJournal(const JournalRecord& record) {
        writeFile(fsPath(journalPath(dir.dirValue(), record.kind)), encodeJournal(record));
    }
};

TEST_F(StepJournalTest, AnUnfinishedStepIsCutBackExceptWhereAnotherProgramShortenedAFile) {
    writeFile(dir / "orvik.dat", "OLD\r\nTORN PA");
    writeFile(dir / "orvik.inv", "TAK"); // the cash-register system took lines meanwhile
    writeFile(dir / "nulli.dat", "NEW ROWS\r\n");
    JournalRecord record;
    record.kind = StepKind::HandOver;
    record.startedAt = "13.11.2012 08:15:02";
    record.targets = {{dir / "orvik.dat", 5}, {dir / "orvik.inv", 8}, {dir / "nulli.dat", -1}};
    leaveJournal(record);

    const std::vector<RecoveredStep> recovered = recoverSteps(dir.dirValue());

    ASSERT_EQ(recovered.size(), 1u);
    EXPECT_EQ(recovered[0].outcome, RecoveredStep::Outcome::RolledBack);
    EXPECT_EQ(readFile(dir / "orvik.dat"), "OLD\r\n");
    EXPECT_EQ(readFile(dir / "orvik.inv"), "TAK");
    EXPECT_FALSE(test::exists(dir / "nulli.dat"));
    EXPECT_FALSE(test::exists(fsPath(journalPath(dir.dirValue(), StepKind::HandOver))));
    // The user is told which hand-over to check, and where.
    const std::vector<StepNotice> notices = recoveryNotices(recovered);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_TRUE(notices[1].warning);
    EXPECT_NE(notices[1].text.find((dir / "orvik.inv").string()), std::string::npos);
    EXPECT_NE(notices[1].text.find("13.11.2012 08:15:02"), std::string::npos);
}

// The complete mark is appended in place: cut short by a crash, or left as
// the zeros a file system may show for it, it must read as not complete, so
// that the lines are cut back while the source is still there to take again.
TEST_F(StepJournalTest, AStepWhoseCompleteMarkIsTornIsRolledBackAndAWholeMarkFinishesIt) {
    JournalRecord record;
    record.kind = StepKind::Import;
    record.targets = {{dir / "orvik.dat", 5}};
    record.end.remove = {dir / "pnqty.dat"};
    const std::string unmarked = encodeJournal(record);
    const std::string mark(kJournalCompleteMark);
    std::vector<std::string> torn;
    for (std::size_t cut = 1; cut < mark.size(); ++cut)
        torn.push_back(unmarked + mark.substr(0, cut));
    torn.push_back(unmarked + std::string(mark.size(), '\0'));
    for (const std::string& journal : torn) {
        writeFile(dir / "orvik.dat", "OLD\r\nNEW\r\n");
        writeFile(dir / "pnqty.dat", "NEW\r\n");
        writeFile(fsPath(journalPath(dir.dirValue(), StepKind::Import)), journal);

        const std::vector<RecoveredStep> recovered = recoverSteps(dir.dirValue());

        ASSERT_EQ(recovered.size(), 1u);
        EXPECT_EQ(recovered[0].outcome, RecoveredStep::Outcome::RolledBack) << journal.size();
        EXPECT_EQ(readFile(dir / "orvik.dat"), "OLD\r\n");
        EXPECT_TRUE(test::exists(dir / "pnqty.dat"));
    }
    writeFile(dir / "orvik.dat", "OLD\r\nNEW\r\n");
    writeFile(fsPath(journalPath(dir.dirValue(), StepKind::Import)), unmarked + mark);
    const std::vector<RecoveredStep> recovered = recoverSteps(dir.dirValue());
    ASSERT_EQ(recovered.size(), 1u);
    EXPECT_EQ(recovered[0].outcome, RecoveredStep::Outcome::Finished);
    EXPECT_EQ(readFile(dir / "orvik.dat"), "OLD\r\nNEW\r\n");
    EXPECT_FALSE(test::exists(dir / "pnqty.dat"));
    // Anything longer after the end line is no mark: the journal is not ours.
    writeFile(fsPath(journalPath(dir.dirValue(), StepKind::Import)), unmarked + mark + "x");
    EXPECT_EQ(recoverSteps(dir.dirValue())[0].outcome, RecoveredStep::Outcome::Unsettled);
}

// Fails the flush of the journal's complete mark and, when asked, the
// cutting off of the mark that follows (its flush works).
class MarkFlushFails : public FileOps {
public:
    bool cutFails = false;
    int open(const NativePathChar* path, int flags, int mode) override {
        const int fd = FileOps::open(path, flags, mode);
        if ((flags & O_APPEND) && std::filesystem::path(path).extension() == ".jnl")
            journalFd_ = fd;
        return fd;
    }
    int fsync(int fd) override {
        if (fd != journalFd_ || markFlushed_)
            return FileOps::fsync(fd);
        markFlushed_ = true;
        return failed();
    }
    int ftruncate(int fd, long long length) override {
        return fd == journalFd_ && cutFails ? failed() : FileOps::ftruncate(fd, length);
    }

private:
    static int failed() {
        errno = EIO;
        return -1;
    }
    int journalFd_ = -1;
    bool markFlushed_ = false;
};

TEST_F(StepJournalTest, AMarkThatCannotBeFlushedLeavesNoCompleteJournalOverRolledBackLines) {
    for (const bool cutFails : {false, true}) {
        writeFile(dir / "orvik.dat", "OLD\r\n");
        writeFile(dir / "pnqty.dat", "NEW\r\n");
        StepPlan plan;
        plan.targets = {dir / "orvik.dat"};
        plan.write = [](AppendSession& files) { return files.append(0, "NEW\r\n"); };
        plan.end.remove = {dir / "pnqty.dat"};
        MarkFlushFails ops;
        ops.cutFails = cutFails;
        StepOutcome outcome;
        {
            ScopedFileOps failing(ops);
            outcome = runJournalledStep(dir.dirValue(), plan);
        }
        const auto journal = fsPath(journalPath(dir.dirValue(), StepKind::Import));
        EXPECT_TRUE(outcome.error.failed());
        EXPECT_TRUE(test::exists(dir / "pnqty.dat"));
        // A mark cut off again: rolled back at once. A mark that may stand:
        // the lines stay, and so does the journal for recovery to settle.
        EXPECT_EQ(test::exists(journal), cutFails);
        EXPECT_EQ(readFile(dir / "orvik.dat"), cutFails ? "OLD\r\nNEW\r\n" : "OLD\r\n");
        recoverSteps(dir.dirValue());
        EXPECT_EQ(readFile(dir / "orvik.dat"), cutFails ? "OLD\r\nNEW\r\n" : "OLD\r\n");
        EXPECT_EQ(test::exists(dir / "pnqty.dat"), !cutFails);
        EXPECT_FALSE(test::exists(journal));
    }
}

TEST_F(StepJournalTest, AJournalThatCannotBeReadStopsEveryStepAndIsKept) {
    const auto journal = fsPath(journalPath(dir.dirValue(), StepKind::ZeroRows));
    writeFile(journal, "orvik-journal 1\nkind 2\ntarget 12");
    StepPlan plan;
    plan.kind = StepKind::Import;
    plan.targets = {dir / "orvik.dat"};
    plan.write = [](AppendSession& files) { return files.append(0, "LINE\r\n"); };

    const StepOutcome outcome = runJournalledStep(dir.dirValue(), plan);

    EXPECT_TRUE(outcome.error.failed());
    ASSERT_EQ(outcome.blockedBy.size(), 1u);
    EXPECT_NE(unsettledStepText(outcome.blockedBy[0]).find(journal.string()), std::string::npos);
    EXPECT_FALSE(test::exists(dir / "orvik.dat"));
    EXPECT_TRUE(test::exists(journal));
}

} // namespace
} // namespace orvik
