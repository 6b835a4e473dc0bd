#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/archive.h"
#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using test::readFile;
using test::writeFile;

class ArchiveTest : public testing::Test {
protected:
    test::TempDir cwd;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeClock clock; // 13 November 2012, 08:15:02

    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(cwd.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ArchiveTest, EmptyWorkFileIsArchivedAndRemoved) {
    writeFile(cwd / "orvik.dat", "");
    archiveWorkFile(clock);
    EXPECT_EQ(fileNames(), std::vector<std::string>{"orvik_20121113_081502.dat"});
}

TEST_F(ArchiveTest, WorkFileWithRowsIsArchivedAndKept) {
    clock.date = {2013, 1, 5};
    clock.time = {23, 0, 9};
    writeFile(cwd / "orvik.dat", "6410000000017    3\r\n");

    archiveWorkFile(clock);

    EXPECT_EQ(fileNames(), (std::vector<std::string>{"orvik.dat", "orvik_20130105_230009.dat"}));
    EXPECT_EQ(readFile(cwd / "orvik_20130105_230009.dat"), "6410000000017    3\r\n");
    EXPECT_EQ(readFile(cwd / "orvik.dat"), "6410000000017    3\r\n");
}

TEST_F(ArchiveTest, FailedCopyIsIgnoredAndKeepsTheWorkFile) {
    writeFile(cwd / "orvik.dat", "6410000000017    3\r\n");
    test::FailingFileOps diskFull(0);
    {
        ScopedFileOps failing(diskFull);
        archiveWorkFile(clock);
    }
    EXPECT_EQ(fileNames(), std::vector<std::string>{"orvik.dat"});
    EXPECT_EQ(readFile(cwd / "orvik.dat"), "6410000000017    3\r\n");
}

} // namespace
} // namespace orvik
