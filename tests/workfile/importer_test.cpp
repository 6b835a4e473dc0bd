#include <gtest/gtest.h>

#include <string>

#include "platform/doubles/fakeplatform.h"
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
    FakeClock clock;

    std::filesystem::path source() const { return dir / "pnqty.dat"; }
    std::string workFile() const { return readFile(dir / "orvik.dat"); }
    std::string log() const { return readFile(dir / "orvik.log"); }
    ImportResult importSource(const std::string& bytes) {
        writeFile(source(), bytes);
        return tuodata(source(), dir.dirValue(), clock);
    }
};

TEST_F(TuodataTest, AppendsLinesToWorkFileAndLogAfterDatedHeader) {
    writeFile(dir / "orvik.dat", "OLD                1\r\n");
    writeFile(dir / "orvik.log", "earlier\r\n");
    const std::string lines = "6410000000017    3\r\n6410000000024    1\r\n6410000000017  2.5\r\n";

    const ImportResult result = importSource(lines);

    ASSERT_FALSE(result.error.failed()) << result.error.message();
    EXPECT_EQ(result.lineCount, 3);
    EXPECT_EQ(workFile(), "OLD                1\r\n" + lines);
    EXPECT_EQ(log(), "earlier\r\n13.11.2012 08:15:02\r\n" + lines);
    EXPECT_EQ(readFile(source()), lines) << "the caller deletes the source";
}

TEST_F(TuodataTest, EveryLineEndsWithCrLfWhateverItHadInTheSource) {
    // A lone CR ends a line, a lone LF stays inside it, and a last line
    // without an end is still taken.
    const ImportResult result = importSource("A\rB\nC\r\n\r\n12345678901234567890");

    ASSERT_FALSE(result.error.failed());
    EXPECT_EQ(result.lineCount, 4);
    EXPECT_EQ(workFile(), "A\r\nB\nC\r\n\r\n12345678901234567890\r\n");
}

TEST_F(TuodataTest, EmptySourceCreatesEmptyWorkFileAndLogsHeaderOnly) {
    const ImportResult result = importSource("");

    ASSERT_FALSE(result.error.failed());
    EXPECT_EQ(result.lineCount, 0);
    EXPECT_EQ(workFile(), "");
    EXPECT_EQ(log(), "13.11.2012 08:15:02\r\n");
}

TEST_F(TuodataTest, TwoImportsKeepBothSetsEachUnderItsOwnHeader) {
    ASSERT_FALSE(importSource("FIRST              1\r\n").error.failed());
    clock.date = {2013, 1, 2};
    clock.time = {17, 4, 9};
    ASSERT_FALSE(importSource("SECOND             2\r\n").error.failed());

    EXPECT_EQ(workFile(), "FIRST              1\r\nSECOND             2\r\n");
    EXPECT_EQ(log(), "13.11.2012 08:15:02\r\nFIRST              1\r\n"
                     "02.01.2013 17:04:09\r\nSECOND             2\r\n");
}

TEST_F(TuodataTest, CountsFarBeyondSixteenBits) {
    std::string many;
    for (int i = 0; i < 40000; ++i)
        many += "6410000000017    1\r\n";

    const ImportResult result = importSource(many);

    ASSERT_FALSE(result.error.failed());
    EXPECT_EQ(result.lineCount, 40000);
    EXPECT_EQ(workFile().size(), many.size());
}

TEST_F(TuodataTest, FailedWriteLeavesWorkFileAndLogByteIdentical) {
    writeFile(dir / "orvik.dat", "OLD                1\r\n");
    writeFile(dir / "orvik.log", "earlier\r\n");
    writeFile(source(), "6410000000017    3\r\n6410000000024    1\r\n");
    test::FailingFileOps diskFullPartWay(30);
    ImportResult result;
    {
        ScopedFileOps failing(diskFullPartWay);
        result = tuodata(source(), dir.dirValue(), clock);
    }

    ASSERT_TRUE(result.error.failed());
    EXPECT_EQ(result.error.number, 28);
    EXPECT_EQ(result.lineCount, 0);
    EXPECT_EQ(workFile(), "OLD                1\r\n");
    EXPECT_EQ(log(), "earlier\r\n");
}

TEST_F(TuodataTest, MissingSourceChangesNothing) {
    const ImportResult result = tuodata(dir / "absent.dat", dir.dirValue(), clock);

    EXPECT_TRUE(result.error.failed());
    EXPECT_FALSE(test::exists(dir / "orvik.dat"));
    EXPECT_FALSE(test::exists(dir / "orvik.log"));
}

} // namespace
} // namespace orvik
