// Recovery of a step journal left by a crash. (The crash itself, at every
// moment of a real import and hand-over, is tests/app/crashsafety_test.)
#include <gtest/gtest.h>

#include "common/dirvalue.h"
#include "common/stepjournal.h"
#include "common/stepnotices.h"
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
