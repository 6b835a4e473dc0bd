// "Sulje": the work file and the list export file written from the list.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

#include "common/codepage.h"
#include "common/fixedfield.h"
#include "common/numbertext.h"
#include "common/textlines.h"
#include "results/listsave.h"
#include "results/resultsfixture.h"
#include "review/reviewbuilder.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

class SaveTest : public ResultsTest {
protected:
    bool save(const ReviewList& list) { return saveListAndEnd(list, dir.dirValue(), window); }

    // The counted quantities the next review reads from the saved work file.
    std::map<std::string, std::string> countsReadBack() {
        ReviewList readBack;
        EXPECT_FALSE(readCountedRows(ReviewSource::WorkFile, dir.dirValue(), readBack).failed());
        EXPECT_TRUE(readBack.unreadLines.empty());
        std::map<std::string, std::string> counts;
        for (const ReviewRow& row : readBack.rows)
            counts[row[colTuote]] = std::string(trimBlanks(row[colLukija]));
        return counts;
    }

    void expectNothingWritten(const std::string& oldWork, const std::string& oldExport) {
        EXPECT_EQ(file("orvik.dat"), oldWork);
        EXPECT_EQ(file("orvik.txt"), oldExport);
        expectWindowStaysOpen();
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_EQ(fakes.messages.shown[0].title, " Virhe");
        EXPECT_EQ(fakes.messages.shown[0].icon, MsgIcon::Exclamation);
    }
};

TEST_F(SaveTest, WritesCountLinesAndExportLinesInListOrder) {
    put("orvik.dat", "OLD          99999\r\n");
    const ReviewList list = listOf({fullRow("123", "         7"), fullRow("4567", "2,5"),
                                    fullRow("ABCDEFGHIJKLMNO", "    12,5"), fullRow("10", "1234")});
    ASSERT_TRUE(save(list));

    EXPECT_EQ(file("orvik.dat"), "123              7\r\n"
                                 "4567           2,5\r\n"
                                 "ABCDEFGHIJKLM 12,5\r\n"
                                 "10            1234\r\n");
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

TEST_F(SaveTest, EmptyListEmptiesBothFilesWithoutMessage) {
    put("orvik.dat", "123              7\r\n");
    put("orvik.txt", "old\r\n");
    ASSERT_TRUE(save(ReviewList{}));
    EXPECT_EQ(file("orvik.dat"), "");
    EXPECT_EQ(file("orvik.txt"), "");
    EXPECT_TRUE(fakes.messages.shown.empty());
    expectProgramEndedHidden();
}

TEST_F(SaveTest, EmptyDirectoryValueWritesIntoCurrentDirectory) {
    ScopedCurrentDir here(dir.path());
    ASSERT_TRUE(saveListAndEnd(listOf({fullRow("5", "3")}), "", window));
    EXPECT_EQ(file("orvik.dat"), "5                3\r\n");
    EXPECT_NE(file("orvik.txt"), "<missing>");
}

TEST_F(SaveTest, LinesTheReviewCouldNotReadFollowTheRowsUnchanged) {
    ReviewList list = listOf({fullRow("1", "2")});
    list.unreadLines = {{3, "BROKEN       x"}, {7, ""}};
    ASSERT_TRUE(save(list));
    EXPECT_EQ(file("orvik.dat"), "1                2\r\nBROKEN       x\r\n\r\n");
}

TEST_F(SaveTest, LongCountsAreSplitIntoLinesThatAddUpToTheSameCount) {
    const std::vector<std::string> counts = {
        "123456",   "    123456", "12,3456", "-10000",  "-12,3456",  "1234,5",
        "-99999,9", "9999999",    "100000",  "0,12345", "-123,45",   "12345,678",
        "-0,0001",  "0,0001",     "-0,9999", "-5,9991", "-9999,9999"};
    ReviewList list;
    for (std::size_t i = 0; i < counts.size(); ++i)
        list.rows.push_back(fullRow("P" + std::to_string(100 + i), counts[i]));
    // 0,12345 has a decimal too many for any count line.
    list.rows.erase(list.rows.begin() + 9);
    ASSERT_TRUE(save(list));

    for (const std::string& line : splitLines(file("orvik.dat")))
        EXPECT_EQ(line.size(), 18u) << line;
    const std::map<std::string, std::string> readBack = countsReadBack();
    ASSERT_EQ(readBack.size(), list.rows.size());
    for (const ReviewRow& row : list.rows)
        EXPECT_EQ(readBack.at(row[colTuote]), trimBlanks(row[colLukija])) << row[colLukija];
}

TEST_F(SaveTest, ManyMergedSumsSurviveTheRoundTrip) {
    std::mt19937 random(20121113);
    std::uniform_int_distribution<long long> units(-9'000'000'000LL, 9'000'000'000LL);
    std::uniform_int_distribution<int> decimals(0, 4);
    ReviewList list;
    for (int i = 0; i < 400; ++i) {
        const int places = decimals(random);
        double value = static_cast<double>(units(random));
        for (int p = 0; p < 4 - places; ++p)
            value = std::trunc(value / 10);
        for (int p = 0; p < places; ++p)
            value /= 10;
        char code[16];
        std::snprintf(code, sizeof code, "R%05d", i);
        list.rows.push_back(fullRow(code, generalNumber(value)));
    }
    ASSERT_TRUE(save(list));
    const std::map<std::string, std::string> readBack = countsReadBack();
    for (const ReviewRow& row : list.rows)
        EXPECT_EQ(readBack.at(row[colTuote]), row[colLukija]);
}

TEST_F(SaveTest, CountNoLineCanHoldStopsTheSaveAndNamesTheProduct) {
    for (const std::string counted :
         {"0,00001", "1,5E+16", "12345678901234567", "12 345", "999999999"}) {
        put("orvik.dat", "OLD              1\r\n");
        put("orvik.txt", "old export\r\n");
        fakes.messages.shown.clear();
        const ReviewList list = listOf({fullRow("1", "5"), fullRow("4711", counted)});
        EXPECT_FALSE(save(list));
        expectNothingWritten("OLD              1\r\n", "old export\r\n");
        ASSERT_FALSE(fakes.messages.shown.empty());
        EXPECT_NE(fakes.messages.shown[0].text.find(" 4711 "), std::string::npos) << counted;
    }
}

TEST_F(SaveTest, WorkDirectoryThatIsAFileLeavesWindowOpenWithTheError) {
    put("notadir", "x");
    EXPECT_FALSE(
        saveListAndEnd(listOf({fullRow("1", "5")}), (dir / "notadir").string() + "/", window));
    expectNothingWritten("<missing>", "<missing>");
    EXPECT_NE(fakes.messages.shown[0].text.find(std::to_string(ENOTDIR) + " "), std::string::npos);
    EXPECT_EQ(file("notadir"), "x");
}

TEST_F(SaveTest, FailedWriteOrRenameKeepsTheOldFiles) {
    const ReviewList list = listOf({fullRow("1", "5"), fullRow("2", "123456")});
    for (int attempt = 0; attempt < 3; ++attempt) {
        put("orvik.dat", "OLD              1\r\n");
        put("orvik.txt", "old export\r\n");
        fakes.messages.shown.clear();
        FailingFileOps failing(attempt == 0 ? 10 : 1 << 20);
        failing.failFsync = attempt == 1;
        failing.failRename = attempt == 2;
        {
            ScopedFileOps scoped(failing);
            EXPECT_FALSE(save(list));
        }
        expectNothingWritten("OLD              1\r\n", "old export\r\n");
        EXPECT_NE(fakes.messages.shown[0].text.find("28 "), std::string::npos);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_TRUE(entry.path().filename() == "orvik.dat" ||
                        entry.path().filename() == "orvik.txt")
                << entry.path();
    }
    // Once the disk takes the files again, the same list saves.
    EXPECT_TRUE(save(list));
    EXPECT_EQ(file("orvik.dat"),
              "1                5\r\n2            99999\r\n2            23457\r\n");
}

} // namespace
} // namespace orvik::test
