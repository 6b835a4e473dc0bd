// "Sulje": the work file and the list export file written from the list.
#include <cerrno>
#include <cmath>
#include <map>
#include <random>

#include "files/fileops.h"
#include "results/listsave.h"
#include "results/resultsfixture.h"
#include "review/reviewbuilder.h"
#include "support/failingfileops.h"
#include "support/systemsays.h"
#include "text/codepage.h"
#include "text/fixedfield.h"
#include "text/numbertext.h"
#include "text/textlines.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

const std::string kOldWork = "OLD              1\r\n";
const std::string kOldExport = "old export\r\n";

class SaveTest : public ResultsTest {
protected:
    bool save(const ReviewList& list) {
        return saveListAndEnd(list, dir.dirValue(), fakes.platform, window);
    }

    // Saves the list and reads the work file back as the next review does:
    // every row's count must come back as the same text.
    void expectCountsSurviveTheNextReview(const ReviewList& list) {
        ASSERT_TRUE(save(list));
        for (const std::string& line : splitLines(file("orvik.dat")))
            EXPECT_EQ(line.size(), 18u) << line;
        ReviewList readBack;
        ASSERT_FALSE(
            readCountedRows(ReviewSource::WorkFile, dir.dirValue(), readBack).error.failed());
        EXPECT_TRUE(readBack.unreadLines.empty());
        std::map<std::string, std::string> counts;
        for (const ReviewRow& row : readBack.rows)
            counts[row[colTuote]] = std::string(trimBlanks(row[colLukija]));
        ASSERT_EQ(counts.size(), list.rows.size());
        for (const ReviewRow& row : list.rows)
            EXPECT_EQ(counts[row[colTuote]], trimBlanks(row[colLukija])) << row[colLukija];
    }

    void putOldFiles() {
        put("orvik.dat", kOldWork);
        put("orvik.txt", kOldExport);
        fakes.messages.shown.clear();
    }
    void expectOldFilesAndAnError(const std::string& inText) {
        EXPECT_EQ(file("orvik.dat"), kOldWork);
        EXPECT_EQ(file("orvik.txt"), kOldExport);
        expectWindowStaysOpen();
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].title, " Virhe");
        EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Exclamation);
        EXPECT_NE(fakes.messages.shown[0].text.find(inText), std::string::npos) << inText;
    }
};

TEST_F(SaveTest, WritesCountLinesAndExportLinesInListOrder) {
    put("orvik.dat", kOldWork);
    ReviewList list = listOf({fullRow("123", "         7"), fullRow("4567", "2,5"),
                              fullRow("ABCDEFGHIJKLMNO", "    12,5"), fullRow("10", "1234")});
    list.unreadLines = {{3, "BROKEN       x"}, {7, ""}};
    ASSERT_TRUE(save(list));

    EXPECT_EQ(file("orvik.dat"), "123              7\r\n"
                                 "4567           2,5\r\n"
                                 "ABCDEFGHIJKLM 12,5\r\n"
                                 "10            1234\r\n"
                                 "BROKEN       x\r\n\r\n");
    const std::string cells = "\tc1\tc2\t";
    const std::string rest = "\tc4\tc7\tc8\tc9\tc10\tc11\tc12\tc13\tc14\r\n";
    EXPECT_EQ(file("orvik.txt"), "123" + cells + "         7" + rest + "4567" + cells + "2,5" +
                                     rest + "ABCDEFGHIJKLMNO" + cells + "    12,5" + rest + "10" +
                                     cells + "1234" + rest);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, " Tapahtumat on tallennettu työtiedostoon. "_cp);
    EXPECT_EQ(fakes.messages.shown[0].title, " Ilmoitus");
    EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Information);
    expectProgramEndedHidden();
}

TEST_F(SaveTest, EmptyListEmptiesBothFilesInTheCurrentDirectoryWithoutMessage) {
    putOldFiles();
    ScopedCurrentDir here(dir.path());
    ASSERT_TRUE(saveListAndEnd(ReviewList{}, "", fakes.platform, window));
    EXPECT_EQ(file("orvik.dat"), "");
    EXPECT_EQ(file("orvik.txt"), "");
    EXPECT_TRUE(fakes.messages.shown.empty());
    expectProgramEndedHidden();
}

TEST_F(SaveTest, LongCountsAreSplitIntoLinesThatAddUpToTheSameCount) {
    ReviewList list;
    for (const char* counted :
         {"123456", "    123456", "12,3456", "-10000", "-12,3456", "1234,5", "-99999,9", "9999999",
          "100000", "-123,45", "12345,678", "-0,0001", "0,0001", "-0,9999", "-9999,9999", "98765 "})
        list.rows.push_back(fullRow("P" + std::to_string(100 + list.rows.size()), counted));
    expectCountsSurviveTheNextReview(list);
    EXPECT_EQ(splitLines(file("orvik.dat"))[0], "P100         99999");
}

TEST_F(SaveTest, ManyMergedSumsSurviveTheRoundTrip) {
    // Sums as the review writes them: up to four decimals, either sign.
    std::mt19937 random(20121113);
    std::uniform_int_distribution<long long> units(-9'000'000'000LL, 9'000'000'000LL);
    std::uniform_int_distribution<int> decimals(0, 4);
    ReviewList list;
    for (int i = 0; i < 400; ++i) {
        const double scale = std::pow(10.0, decimals(random));
        const double value = std::trunc(static_cast<double>(units(random)) / 1e4 * scale) / scale;
        list.rows.push_back(fullRow("R" + std::to_string(10000 + i), generalNumber(value)));
    }
    expectCountsSurviveTheNextReview(list);
}

TEST_F(SaveTest, CountNoLineCanHoldStopsTheSaveAndNamesTheProduct) {
    for (const char* counted : {"0,00001", "1,5E+16", "12345678901234567", "12 345", "999999999"}) {
        putOldFiles();
        EXPECT_FALSE(save(listOf({fullRow("1", "5"), fullRow("4711", counted)})));
        expectOldFilesAndAnError(" 4711 ");
    }
}

TEST_F(SaveTest, FailedWritesKeepTheOldFilesAndTheWindow) {
    const ReviewList list = listOf({fullRow("1", "5"), fullRow("2", "123456")});
    for (int attempt = 0; attempt < 3; ++attempt) {
        putOldFiles();
        FailingFileOps failing(attempt == 0 ? 10 : 1 << 20);
        failing.failFsync = attempt == 1;
        failing.failRename = attempt == 2;
        ScopedFileOps scoped(failing);
        EXPECT_FALSE(save(list));
        expectOldFilesAndAnError("28 ");
    }
    int files = 0; // no temporary file left behind
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 2);

    putOldFiles();
    put("notadir", "x");
    EXPECT_FALSE(saveListAndEnd(list, (dir / "notadir").string() + "/", fakes.platform, window));
    expectOldFilesAndAnError(test::fileInPlaceOfDirectory().message());

    // Once the disk takes the files again, the same list saves.
    EXPECT_TRUE(save(list));
    EXPECT_EQ(file("orvik.dat"),
              "1                5\r\n2            99999\r\n2            23457\r\n");
}

} // namespace
} // namespace orvik::test
