#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "common/codepage.h"
#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "workfile/readerimport.h"

namespace orvik {
namespace {

using test::readFile;
using test::writeFile;
using Outcome = ReaderSoftwareImport::Outcome;

const std::string kThreeLines =
    "6410000000017    3\r\n6410000000024    1\r\n6410000000031  2.5\r\n";

// The program runs in `cwd`, the reader software writes to `vorda`, and the
// work file lives in `dat`.
class ReaderImportTest : public testing::Test {
protected:
    test::TempDir cwd, vorda, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeClock clock;

    std::filesystem::path source() const { return vorda / "orvik.dat"; }
    std::filesystem::path pending() const { return cwd / "pnqty.dat"; }
    std::string workFile() const { return readFile(dat / "orvik.dat"); }
    std::string log() const { return readFile(dat / "orvik.log"); }
    ReaderSoftwareImport import(const std::string& datPolku) {
        return importReaderSoftwareCount(vorda.dirValue(), datPolku, clock);
    }
    ReaderSoftwareImport import() { return import(dat.dirValue()); }
};

TEST_F(ReaderImportTest, MovesTheCountIntoTheWorkFileAndRemovesBothCopies) {
    writeFile(source(), kThreeLines);

    const ReaderSoftwareImport result = import();

    ASSERT_EQ(result.outcome, Outcome::Imported) << result.message;
    EXPECT_EQ(result.lineCount, 3);
    EXPECT_EQ(workFile(), kThreeLines);
    EXPECT_EQ(log(), "13.11.2012 08:15:02\r\n" + kThreeLines);
    EXPECT_FALSE(test::exists(source()));
    EXPECT_FALSE(test::exists(pending()));
}

TEST_F(ReaderImportTest, EmptyCountIsStillAnImport) {
    writeFile(source(), "");

    const ReaderSoftwareImport result = import();

    ASSERT_EQ(result.outcome, Outcome::Imported);
    EXPECT_EQ(result.lineCount, 0);
    EXPECT_EQ(workFile(), "");
    EXPECT_EQ(log(), "13.11.2012 08:15:02\r\n");
}

TEST_F(ReaderImportTest, NoCountFileNamesTheFileLookedForAndTouchesNothing) {
    const ReaderSoftwareImport result = import();

    EXPECT_EQ(result.outcome, Outcome::NothingToImport);
    EXPECT_EQ(result.message, "Ei tuotua tiedostoa: " + vorda.dirValue() + "orvik.dat");
    EXPECT_FALSE(test::exists(dat / "orvik.dat"));
    EXPECT_FALSE(test::exists(dat / "orvik.log"));
}

TEST_F(ReaderImportTest, EmptyReaderDirectoryMeansTheCurrentDirectory) {
    writeFile(cwd / "orvik.dat", kThreeLines);

    const ReaderSoftwareImport empty = importReaderSoftwareCount("", dat.dirValue(), clock);

    ASSERT_EQ(empty.outcome, Outcome::Imported);
    EXPECT_EQ(empty.lineCount, 3);
    EXPECT_FALSE(test::exists(cwd / "orvik.dat"));
    EXPECT_EQ(importReaderSoftwareCount("", dat.dirValue(), clock).message,
              "Ei tuotua tiedostoa: orvik.dat");
}

TEST_F(ReaderImportTest, LeftoverFromAFailedImportIsTakenBeforeTheNewCount) {
    writeFile(pending(), "LEFTOVER           7\r\n");
    writeFile(source(), kThreeLines);

    const ReaderSoftwareImport result = import();

    ASSERT_EQ(result.outcome, Outcome::Imported) << result.message;
    EXPECT_EQ(result.lineCount, 4);
    EXPECT_EQ(workFile(), "LEFTOVER           7\r\n" + kThreeLines);
    EXPECT_EQ(log(), "13.11.2012 08:15:02\r\nLEFTOVER           7\r\n"
                     "13.11.2012 08:15:02\r\n" +
                         kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
    EXPECT_FALSE(test::exists(source()));
}

TEST_F(ReaderImportTest, LeftoverAloneIsImportedWithoutComplaint) {
    writeFile(pending(), "LEFTOVER           7\r\n");

    const ReaderSoftwareImport result = import();

    ASSERT_EQ(result.outcome, Outcome::Imported) << result.message;
    EXPECT_EQ(result.lineCount, 1);
    EXPECT_EQ(workFile(), "LEFTOVER           7\r\n");
    EXPECT_FALSE(test::exists(pending()));
}

TEST_F(ReaderImportTest, FailedAppendKeepsTheCountForTheNextImport) {
    writeFile(dat / "orvik.dat", "OLD                1\r\n");
    writeFile(dat / "orvik.log", "earlier\r\n");
    writeFile(source(), kThreeLines);
    test::FailingFileOps diskFullPartWay(25);
    ReaderSoftwareImport failed;
    {
        ScopedFileOps failing(diskFullPartWay);
        failed = import();
    }

    ASSERT_EQ(failed.outcome, Outcome::Failed);
    EXPECT_EQ(failed.message, FileError::fromErrno(28).message());
    EXPECT_EQ(workFile(), "OLD                1\r\n");
    EXPECT_EQ(log(), "earlier\r\n");
    EXPECT_EQ(readFile(pending()), kThreeLines);

    const ReaderSoftwareImport retried = import();
    ASSERT_EQ(retried.outcome, Outcome::Imported) << retried.message;
    EXPECT_EQ(retried.lineCount, 3);
    EXPECT_EQ(workFile(), "OLD                1\r\n" + kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
}

TEST_F(ReaderImportTest, WorkDirectoryThatIsAFileFailsWithoutLosingTheCount) {
    writeFile(dat / "notadir", "x");
    writeFile(source(), kThreeLines);

    const ReaderSoftwareImport result = import((dat / "notadir").string() + "/");

    ASSERT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.message, FileError::fromErrno(ENOTDIR).message());
    EXPECT_EQ(readFile(pending()), kThreeLines);
    EXPECT_EQ(readFile(dat / "notadir"), "x");
}

TEST_F(ReaderImportTest, RefusedMoveLeavesTheCountWhereTheReaderSoftwarePutIt) {
    writeFile(source(), kThreeLines);
    test::FailingFileOps renameRefused(1L << 30, EACCES);
    renameRefused.failRename = true;
    ReaderSoftwareImport result;
    {
        ScopedFileOps failing(renameRefused);
        result = import();
    }

    ASSERT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.message, FileError::fromErrno(EACCES).message());
    EXPECT_EQ(readFile(source()), kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
    EXPECT_FALSE(test::exists(dat / "orvik.dat"));
}

// A reader-software directory on another file system: the first rename is
// refused as a cross-device link.
class CrossDeviceOnce : public FileOps {
public:
    int rename(const char* from, const char* to) override {
        if (refused)
            return FileOps::rename(from, to);
        refused = true;
        errno = EXDEV;
        return -1;
    }
    bool refused = false;
};

TEST_F(ReaderImportTest, CountOnAnotherFileSystemIsCopiedAndRemoved) {
    writeFile(source(), kThreeLines);
    CrossDeviceOnce crossDevice;
    ReaderSoftwareImport result;
    {
        ScopedFileOps scoped(crossDevice);
        result = import();
    }

    ASSERT_TRUE(crossDevice.refused);
    ASSERT_EQ(result.outcome, Outcome::Imported) << result.message;
    EXPECT_EQ(workFile(), kThreeLines);
    EXPECT_FALSE(test::exists(source()));
    EXPECT_FALSE(test::exists(pending()));
}

TEST(ImportedCountCaption, ShowsThePlainCount) {
    using namespace literals;
    EXPECT_EQ(importedCountCaption(120), "Rivejä käsitelty: 120 kpl"_cp);
    EXPECT_EQ(importedCountCaption(1000000), "Rivejä käsitelty: 1000000 kpl"_cp);
}

} // namespace
} // namespace orvik
