#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "workfile/readerimport.h"

namespace orvik {
namespace {

using test::readFile;
using test::writeFile;
using Outcome = ReaderSoftwareImport::Outcome;
using namespace orvik::literals;

const std::string kThreeLines =
    "6410000000017    3\r\n6410000000024    1\r\n6410000000031  2.5\r\n";
const std::string kHeader = "13.11.2012 08:15:02\r\n";

// The program runs in `cwd`, the reader software writes to `vorda`, and the
// work file lives in `dat`.
class ReaderImportTest : public testing::Test {
protected:
    test::TempDir cwd, vorda, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeClock clock;

    std::filesystem::path source() const { return vorda / "orvik.dat"; }
    std::filesystem::path pending() const { return cwd / "pnqty.dat"; }
    ReaderSoftwareImport import() {
        return importReaderSoftwareCount(vorda.dirValue(), dat.dirValue(), clock);
    }
    ReaderSoftwareImport importUnder(FileOps& ops) {
        ScopedFileOps scoped(ops);
        return import();
    }
};

TEST_F(ReaderImportTest, MovesTheCountIntoTheWorkFileAndRemovesBothCopies) {
    writeFile(source(), kThreeLines);

    const ReaderSoftwareImport result = import();

    ASSERT_EQ(result.outcome, Outcome::Imported) << result.message;
    EXPECT_EQ(result.lineCount, 3);
    EXPECT_EQ(readFile(dat / "orvik.dat"), kThreeLines);
    EXPECT_EQ(readFile(dat / "orvik.log"), kHeader + kThreeLines);
    EXPECT_FALSE(test::exists(source()));
    EXPECT_FALSE(test::exists(pending()));
}

TEST_F(ReaderImportTest, NoCountFileNamesTheFileLookedForAndTouchesNothing) {
    const ReaderSoftwareImport result = import();
    EXPECT_EQ(result.outcome, Outcome::NothingToImport);
    EXPECT_EQ(result.message, "Ei tuotua tiedostoa: " + vorda.dirValue() + "orvik.dat");
    EXPECT_FALSE(test::exists(dat / "orvik.log"));

    // An empty reader directory value is the current directory.
    EXPECT_EQ(importReaderSoftwareCount("", dat.dirValue(), clock).message,
              "Ei tuotua tiedostoa: orvik.dat");
    writeFile(cwd / "orvik.dat", kThreeLines);
    EXPECT_EQ(importReaderSoftwareCount("", dat.dirValue(), clock).lineCount, 3);
}

TEST_F(ReaderImportTest, MissingDirectoriesTheUserSetAreNamedAndNothingIsMoved) {
    // The work directory: told before the count leaves the reader
    // software's directory, and a waiting count stays waiting.
    writeFile(source(), kThreeLines);
    const std::string missingDat = (dat / "puuttuu").string() + "/";
    ReaderSoftwareImport result = importReaderSoftwareCount(vorda.dirValue(), missingDat, clock);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.message, " Dat-hakemistoa " + missingDat +
                                  " ei ole. Luo hakemisto tai korjaa Dat-hakemisto ja käynnistä "
                                  "Orvik uudelleen. Tietoja ei tuotu. "_cp);
    EXPECT_EQ(readFile(source()), kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
    writeFile(pending(), kThreeLines);
    EXPECT_EQ(importReaderSoftwareCount("", missingDat, clock).message, result.message);
    EXPECT_EQ(readFile(pending()), kThreeLines);
    EXPECT_TRUE(test::namesIn(dat.path()).empty());

    // The reader software's directory: its own sentence after the usual
    // message; a directory that is there keeps the message as it was.
    const std::string missingVorda = (vorda / "puuttuu").string() + "/";
    std::filesystem::remove(pending());
    EXPECT_EQ(importReaderSoftwareCount(missingVorda, dat.dirValue(), clock).message,
              "Ei tuotua tiedostoa: " + missingVorda + "orvik.dat. Vorda -hakemistoa " +
                  missingVorda + " ei ole. Korjaa Vorda -hakemisto. ");
}

TEST_F(ReaderImportTest, LeftoverFromAFailedImportIsTakenFirstUnderItsOwnHeader) {
    writeFile(pending(), "LEFTOVER           7\r\n");
    writeFile(source(), kThreeLines);

    const ReaderSoftwareImport both = import();

    ASSERT_EQ(both.outcome, Outcome::Imported) << both.message;
    EXPECT_EQ(both.lineCount, 4);
    EXPECT_EQ(readFile(dat / "orvik.log"),
              kHeader + "LEFTOVER           7\r\n" + kHeader + kThreeLines);
    EXPECT_FALSE(test::exists(pending()));

    // A leftover alone is imported too: the user asked for the count.
    writeFile(pending(), "LEFTOVER           8\r\n");
    const ReaderSoftwareImport alone = import();
    ASSERT_EQ(alone.outcome, Outcome::Imported);
    EXPECT_EQ(alone.lineCount, 1);
    EXPECT_EQ(readFile(dat / "orvik.dat"),
              "LEFTOVER           7\r\n" + kThreeLines + "LEFTOVER           8\r\n");
}

TEST_F(ReaderImportTest, FailedAppendKeepsTheCountForTheNextImport) {
    writeFile(dat / "orvik.dat", "OLD                1\r\n");
    writeFile(dat / "orvik.log", "earlier\r\n");
    writeFile(source(), kThreeLines);
    test::FailingFileOps diskFullPartWay(25);
    diskFullPartWay.onlyFile = "orvik.dat";

    const ReaderSoftwareImport failed = importUnder(diskFullPartWay);

    ASSERT_EQ(failed.outcome, Outcome::Failed);
    EXPECT_EQ(failed.message, " Tiedostoon " + dat.dirValue() + "orvik.dat ei voitu kirjoittaa: " +
                                  FileError::fromErrno(28).message() + ". Tietoja ei tuotu. ");
    EXPECT_EQ(readFile(dat / "orvik.dat"), "OLD                1\r\n");
    EXPECT_EQ(readFile(dat / "orvik.log"), "earlier\r\n");
    EXPECT_EQ(readFile(pending()), kThreeLines);

    const ReaderSoftwareImport retried = import();
    EXPECT_EQ(retried.lineCount, 3);
    EXPECT_EQ(readFile(dat / "orvik.dat"), "OLD                1\r\n" + kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
}

TEST_F(ReaderImportTest, ATakenCountThatCannotBeRemovedIsNeverTakenAgain) {
    writeFile(source(), kThreeLines);
    test::FailingFileOps removalRefused(1L << 30, EBUSY);
    removalRefused.failRemovalOf = "pnqty.dat";

    const ReaderSoftwareImport taken = importUnder(removalRefused);
    ASSERT_EQ(taken.outcome, Outcome::Imported) << taken.message;
    EXPECT_EQ(taken.lineCount, 3);
    EXPECT_NE(taken.warning.find(pending().string()), std::string::npos) << taken.warning;

    // Still stuck: the next press refuses, naming the file, and adds nothing.
    writeFile(source(), "6410000000048    9\r\n");
    const ReaderSoftwareImport refused = importUnder(removalRefused);
    EXPECT_EQ(refused.outcome, Outcome::Failed);
    EXPECT_NE(refused.message.find(pending().string()), std::string::npos) << refused.message;
    EXPECT_EQ(readFile(dat / "orvik.dat"), kThreeLines);

    // Once it can go, it goes untaken, and the new count comes in once.
    const ReaderSoftwareImport next = import();
    EXPECT_EQ(next.lineCount, 1) << next.message;
    EXPECT_EQ(readFile(dat / "orvik.dat"), kThreeLines + "6410000000048    9\r\n");
    EXPECT_FALSE(test::exists(pending()));
}

TEST_F(ReaderImportTest, RefusedMoveLeavesTheCountWhereTheReaderSoftwarePutIt) {
    writeFile(source(), kThreeLines);
    test::FailingFileOps renameRefused(1L << 30, EACCES);
    renameRefused.failRenameTo = "pnqty.dat";

    const ReaderSoftwareImport result = importUnder(renameRefused);

    EXPECT_EQ(result.message, " Tiedostoa " + vorda.dirValue() + "orvik.dat ei voitu siirtää: "_cp +
                                  FileError::fromErrno(EACCES).message() + ". Tietoja ei tuotu. ");
    EXPECT_EQ(readFile(source()), kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
    EXPECT_EQ(test::namesIn(cwd.path()), std::vector<std::string>{}) << "a temporary left";
}

// The waiting count goes in first; when the new file then cannot be moved,
// cannot be taken, or must wait behind a taken count that cannot be
// removed, the waiting count's lines are reported as taken.
TEST_F(ReaderImportTest, AWaitingCountTakenIsToldAsTakenWhenTheNewFileIsNot) {
    const std::string waiting = "LEFTOVER           7\r\n";
    const std::string pendingName = pending().string();
    const std::string sourceName = vorda.dirValue() + "orvik.dat";
    const std::string waitingTaken =
        " Odottaneen tiedoston " + pendingName + " tiedot on otettu työtiedostoon."_cp;
    writeFile(pending(), waiting);
    writeFile(source(), kThreeLines);
    test::FailingFileOps moveRefused(1L << 30, EACCES);
    moveRefused.failRenameTo = "pnqty.dat";

    const ReaderSoftwareImport unmoved = importUnder(moveRefused);

    ASSERT_EQ(unmoved.outcome, Outcome::Imported) << unmoved.message;
    EXPECT_EQ(unmoved.lineCount, 1);
    EXPECT_EQ(unmoved.warning, waitingTaken + " Tiedostoa " + sourceName +
                                   " ei voitu siirtää: "_cp +
                                   FileError::fromErrno(EACCES).message() + ". Tiedoston " +
                                   sourceName + " tietoja ei tuotu. ");
    EXPECT_EQ(readFile(dat / "orvik.dat"), waiting);
    EXPECT_EQ(readFile(source()), kThreeLines);

    writeFile(pending(), waiting);
    test::FailingFileOps diskFullAfterWaiting(static_cast<long>(waiting.size()));
    diskFullAfterWaiting.onlyFile = dat.dirValue() + "orvik.dat";

    const ReaderSoftwareImport untaken = importUnder(diskFullAfterWaiting);

    ASSERT_EQ(untaken.outcome, Outcome::Imported) << untaken.message;
    EXPECT_EQ(untaken.lineCount, 1);
    EXPECT_EQ(untaken.warning,
              waitingTaken + " Tiedostoon " + dat.dirValue() +
                  "orvik.dat ei voitu kirjoittaa: " + FileError::fromErrno(28).message() +
                  ". Tiedoston " + sourceName + " tietoja ei tuotu; ne odottavat tiedostossa " +
                  pendingName + " seuraavaa tuontia. ");
    EXPECT_EQ(readFile(dat / "orvik.dat"), waiting + waiting);
    EXPECT_EQ(readFile(pending()), kThreeLines);

    writeFile(source(), kThreeLines);
    test::FailingFileOps removalRefused(1L << 30, EBUSY);
    removalRefused.failRemovalOf = "pnqty.dat";

    const ReaderSoftwareImport stuck = importUnder(removalRefused);

    ASSERT_EQ(stuck.outcome, Outcome::Imported) << stuck.message;
    EXPECT_EQ(stuck.lineCount, 3);
    EXPECT_EQ(stuck.warning.rfind(" Tiedoston " + pendingName, 0), 0u) << stuck.warning;
    EXPECT_TRUE(stuck.warning.ends_with(". Tiedoston " + sourceName + " tietoja ei tuotu. "))
        << stuck.warning;
    EXPECT_EQ(readFile(dat / "orvik.dat"), waiting + waiting + kThreeLines);
    EXPECT_EQ(readFile(source()), kThreeLines);
}

TEST_F(ReaderImportTest, AnUnsettledStepRefusesTheImportBeforeTheCountIsMoved) {
    const auto journal = dat / "orvik_tuonti.jnl";
    writeFile(journal, "not a journal");
    writeFile(source(), kThreeLines);

    const ReaderSoftwareImport refused = import();

    EXPECT_EQ(refused.outcome, Outcome::Failed);
    EXPECT_NE(refused.message.find(journal.string()), std::string::npos) << refused.message;
    EXPECT_TRUE(refused.message.ends_with(". Tietoja ei tuotu. ")) << refused.message;
    EXPECT_EQ(readFile(source()), kThreeLines);
    EXPECT_FALSE(test::exists(pending()));
    EXPECT_EQ(readFile(journal), "not a journal");
}

// The reader software's directory on another file system: a rename of the
// count would be refused as a cross-device link. The count is copied, never
// renamed, so it comes in as from any directory.
class CrossDevice : public FileOps {
public:
    std::filesystem::path source;
    int refused = 0;
    int rename(const NativePathChar* from, const NativePathChar* to) override {
        if (std::filesystem::path(from) != source)
            return FileOps::rename(from, to);
        ++refused;
        errno = EXDEV;
        return -1;
    }
};

TEST_F(ReaderImportTest, CountOnAnotherFileSystemIsCopiedThenRemoved) {
    writeFile(source(), kThreeLines);
    CrossDevice crossDevice;
    crossDevice.source = source();

    const ReaderSoftwareImport result = importUnder(crossDevice);

    EXPECT_EQ(crossDevice.refused, 0);
    EXPECT_EQ(result.lineCount, 3) << result.message;
    EXPECT_EQ(readFile(dat / "orvik.dat"), kThreeLines);
    EXPECT_FALSE(test::exists(source()));
    EXPECT_FALSE(test::exists(pending()));
}

TEST(ImportedCountCaption, ShowsThePlainCount) {
    using namespace literals;
    EXPECT_EQ(importedCountCaption(1000000), "Rivejä käsitelty: 1000000 kpl"_cp);
}

} // namespace
} // namespace orvik
