#include <gtest/gtest.h>

#include "app/tasks/taskchecks.h"
#include "app/tasks/taskcutoff.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

const CalendarDate kToday{2012, 11, 13};

TEST(ZeroInventoryCutOff, IsTodayAtMidnightMovedBackByTheLeadingNumber) {
    const double today = toDayNumber(kToday);
    EXPECT_EQ(zeroInventoryCutOff(kToday, ""), today);
    EXPECT_EQ(zeroInventoryCutOff(kToday, "abc"), today);
    EXPECT_EQ(zeroInventoryCutOff(kToday, "-style 7"), today);
    EXPECT_EQ(zeroInventoryCutOff(kToday, "7"), toDayNumber({2012, 11, 6}));
    EXPECT_EQ(zeroInventoryCutOff(kToday, "  30 extra words"), toDayNumber({2012, 10, 14}));
    EXPECT_EQ(zeroInventoryCutOff(kToday, "-2"), toDayNumber({2012, 11, 15}));
    EXPECT_EQ(fromDayNumber(zeroInventoryCutOff(kToday, "1.5")),
              (DateTime{{2012, 11, 11}, {12, 0, 0}}));
    // A comma is no decimal point here: "1,5" is one day.
    EXPECT_EQ(zeroInventoryCutOff(kToday, "1,5"), toDayNumber({2012, 11, 12}));
}

TEST(WorkFileGuard, OnlyAWorkFileWithBytesHoldsRows) {
    test::TempDir dir;
    const Directories directories{dir.dirValue(), "", ""};
    EXPECT_FALSE(workFileHoldsRows(directories));
    test::writeFile(dir / "orvik.dat", "");
    EXPECT_FALSE(workFileHoldsRows(directories));
    test::writeFile(dir / "orvik.dat", "\r\n");
    EXPECT_TRUE(workFileHoldsRows(directories));
    // Another directory's work file does not count.
    EXPECT_FALSE(workFileHoldsRows({dir.dirValue() + "sub/", "", ""}));
}

} // namespace
} // namespace orvik
