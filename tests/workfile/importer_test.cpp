#include <gtest/gtest.h>

#include <string>

#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "workfile/importer.h"

namespace orvik {
namespace {

using test::readFile;
using test::writeFile;

class TuodataTest : public testing::Test {
protected:
    test::TempDir dir;
    FakeClock clock; // 13.11.2012 08:15:02

    ImportResult importSource(const std::string& bytes) {
        writeFile(dir / "pnqty.dat", bytes);
        return tuodata(dir / "pnqty.dat", dir.dirValue(), clock);
    }
};

TEST_F(TuodataTest, AppendsToWorkFileAndToLogUnderADatedHeader) {
    writeFile(dir / "orvik.dat", "OLD                1\r\n");
    writeFile(dir / "orvik.log", "earlier\r\n");

    const ImportResult first = importSource("6410000000017    3\r\n6410000000024    1\r\nX");
    clock.date = {2013, 1, 2};
    clock.time = {17, 4, 9};
    const ImportResult second = importSource("6410000000031  2.5\r\n");

    ASSERT_FALSE(first.error.failed()) << first.error.message();
    EXPECT_EQ(first.lineCount, 3);
    EXPECT_EQ(second.lineCount, 1);
    EXPECT_EQ(readFile(dir / "orvik.dat"), "OLD                1\r\n6410000000017    3\r\n"
                                           "6410000000024    1\r\nX\r\n6410000000031  2.5\r\n");
    EXPECT_EQ(readFile(dir / "orvik.log"),
              "earlier\r\n13.11.2012 08:15:02\r\n6410000000017    3\r\n6410000000024    1\r\nX\r\n"
              "02.01.2013 17:04:09\r\n6410000000031  2.5\r\n");
    EXPECT_TRUE(test::exists(dir / "pnqty.dat")) << "deleting the source is the caller's step";
}

TEST_F(TuodataTest, AnOpenLastLineIsEndedBeforeTheNewLinesJoinIt) {
    // Edited by hand, or cut short by another program: no CR LF, a lone CR,
    // a lone LF (which is part of the line).
    const std::string lastLines[] = {"6410000000024    5", "6410000000024    5\r",
                                     "6410000000024    5\n"};
    for (const std::string& lastLine : lastLines) {
        writeFile(dir / "orvik.dat", lastLine);
        writeFile(dir / "orvik.log", "");
        importSource("6410000000031    3\r\n");
        const std::string ended = lastLine.back() == '\r' ? lastLine + "\n" : lastLine + "\r\n";
        EXPECT_EQ(readFile(dir / "orvik.dat"), ended + "6410000000031    3\r\n");
    }
}

TEST_F(TuodataTest, EmptySourceCreatesEmptyWorkFileAndLogsTheHeaderOnly) {
    const ImportResult result = importSource("");

    EXPECT_EQ(result.lineCount, 0);
    EXPECT_EQ(readFile(dir / "orvik.dat"), "");
    EXPECT_EQ(readFile(dir / "orvik.log"), "13.11.2012 08:15:02\r\n");
}

TEST_F(TuodataTest, CountsBeyondSixteenBits) {
    std::string many;
    for (int i = 0; i < 40000; ++i)
        many += "6410000000017    1\r\n";
    EXPECT_EQ(importSource(many).lineCount, 40000);
}

TEST_F(TuodataTest, FailedWriteLeavesWorkFileAndLogByteIdentical) {
    writeFile(dir / "orvik.dat", "OLD                1\r\n");
    writeFile(dir / "orvik.log", "earlier\r\n");
    test::FailingFileOps diskFullPartWay(30);
    diskFullPartWay.onlyFile = "orvik.log";
    ImportResult result;
    {
        ScopedFileOps failing(diskFullPartWay);
        result = importSource("6410000000017    3\r\n6410000000024    1\r\n");
    }

    EXPECT_EQ(result.error.number, 28);
    EXPECT_EQ(result.lineCount, 0);
    EXPECT_EQ(readFile(dir / "orvik.dat"), "OLD                1\r\n");
    EXPECT_EQ(readFile(dir / "orvik.log"), "earlier\r\n");
}

} // namespace
} // namespace orvik
