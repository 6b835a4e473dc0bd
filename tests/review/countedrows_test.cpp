// The counted rows of the review: the work file merged per code, the zero-row
// file line by line, and what could not be read.
#include <gtest/gtest.h>

#include "common/codepage.h"
#include "common/fixedfield.h"
#include "review/countedrows.h"
#include "review/reviewbuilder.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::TempDir;
using Texts = std::vector<std::string>;

// A count line: the code in 13 characters, the quantity right-aligned in 5.
std::string countLine(const std::string& code, const std::string& quantity) {
    return leftField(code, 13) + rightField(quantity, 5) + "\r\n";
}

Texts column(const ReviewList& list, int col) {
    Texts texts;
    for (const ReviewRow& row : list.rows)
        texts.push_back(row[static_cast<std::size_t>(col)]);
    return texts;
}

class CountedRows : public testing::Test {
protected:
    TempDir dir;
    std::string datPolku = dir.dirValue();

    ReviewList readWorkFile(const std::string& content) {
        test::writeFile(dir / "orvik.dat", content);
        ReviewList list;
        EXPECT_FALSE(readCountedRows(ReviewSource::WorkFile, datPolku, list).failed());
        return list;
    }
    ReviewList readZeroRows(const std::string& content) {
        test::writeFile(dir / "nulli.dat", content);
        ReviewList list;
        EXPECT_FALSE(readCountedRows(ReviewSource::ZeroRowFile, datPolku, list).failed());
        return list;
    }
};

TEST_F(CountedRows, RepeatedCodesAddUpUnpadded) {
    ReviewList list = readWorkFile("1234567890123    2\r\n"
                                   "1234567890123    3\r\n"
                                   "555              2\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{"1234567890123", "555"}));
    EXPECT_EQ(column(list, colLukija), (Texts{"5", "         2"}));
}

TEST_F(CountedRows, ANewRowHasBlankStockColumns) {
    ReviewList list = readWorkFile(countLine("77", "2"));
    ASSERT_EQ(list.rows.size(), 1u);
    const ReviewRow& row = list.rows[0];
    EXPECT_EQ(row[colTuote], "77");
    EXPECT_EQ(row[colNimitys], "");
    for (int col : {2, 4, 5, 6, 9, 10, 11, 13, 14})
        EXPECT_EQ(row[static_cast<std::size_t>(col)], std::string(10, ' ')) << col;
    for (int col : {7, 8, 12})
        EXPECT_EQ(row[static_cast<std::size_t>(col)], std::string(25, ' ')) << col;
}

TEST_F(CountedRows, PointsAndCommasAreDecimalSeparators) {
    ReviewList list = readWorkFile("1              2.5\r\n"
                                   "2              2,5\r\n"
                                   "3            0.250\r\n"
                                   "4               -3\r\n"
                                   "4              1.5\r\n"
                                   "5                7\r\n");
    EXPECT_EQ(column(list, colLukija),
              (Texts{"       2,5", "       2,5", "      0,25", "-1,5", "         7"}));
}

TEST_F(CountedRows, SumsKeepFifteenDigitsAsSequentialAdding) {
    // 0.1 + 0.2 is 0.30000000000000004 in binary; the cell reads 0,3 and the
    // next line adds to that.
    ReviewList list =
        readWorkFile(countLine("9", "0.1") + countLine("9", "0.2") + countLine("9", "0.1") +
                     countLine("8", "99999") + countLine("8", "99999"));
    EXPECT_EQ(column(list, colLukija), (Texts{"199998", "0,4"}));
}

TEST_F(CountedRows, CodesSortByTheirBytes) {
    std::string content;
    for (std::string code : {"10", "9", "100", "b", "B", "\xE4"})
        content += countLine(code, "1");
    ReviewList list = readWorkFile(content);
    EXPECT_EQ(column(list, colTuote), (Texts{"10", "100", "9", "B", "b", "\xE4"}));
}

TEST_F(CountedRows, CodeIsTrimmedAtBothEnds) {
    ReviewList list = readWorkFile("  42         1\r\n42           2\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{"42"}));
    EXPECT_EQ(column(list, colLukija), (Texts{"3"}));
}

TEST_F(CountedRows, EmptyCodesAreSkippedAndUnreadableQuantitiesKeptAside) {
    ReviewList list = readWorkFile("12345        1\r\n"
                                   "\r\n"
                                   "                 4\r\n"
                                   "12345         \r\n"
                                   "6666         abc\r\n"
                                   "6666           2\r\n"
                                   "7777        1.2.3\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{"12345", "6666"}));
    EXPECT_EQ(column(list, colLukija), (Texts{"         1", "         2"}));
    ASSERT_EQ(list.unreadLines.size(), 3u);
    EXPECT_EQ(list.unreadLines[0].lineNumber, 4u);
    EXPECT_EQ(list.unreadLines[0].text, "12345         ");
    EXPECT_EQ(list.unreadLines[1].lineNumber, 5u);
    EXPECT_EQ(list.unreadLines[1].text, "6666         abc");
    EXPECT_EQ(list.unreadLines[2].lineNumber, 7u);
}

TEST_F(CountedRows, OnlyTheLastFiveCharactersHoldTheQuantity) {
    // A 20-character line: columns 16 to 20 are its quantity; a point before
    // them does not matter.
    ReviewList list = readWorkFile("12.4567890123   12.5\r\nshort\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{"12.4567890123"}));
    EXPECT_EQ(column(list, colLukija), (Texts{"      12,5"}));
    ASSERT_EQ(list.unreadLines.size(), 1u); // "short" has no number
    EXPECT_EQ(list.unreadLines[0].text, "short");
}

TEST_F(CountedRows, EmptyWorkFileGivesAnEmptyList) {
    ReviewList list = readWorkFile("");
    EXPECT_TRUE(list.rows.empty());
    EXPECT_TRUE(list.unreadLines.empty());
    EXPECT_TRUE(test::exists(dir / "orvik.dat")); // only read
}

TEST_F(CountedRows, ZeroRowFileGivesOneRowPerLineAndIsDeleted) {
    ReviewList list = readZeroRows("6410000000017    0\r\n"
                                   " 12          0\r\n"
                                   "5555         0\r\n"
                                   "6410000000017    0\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{" 12", "5555", "6410000000017", "6410000000017"}));
    EXPECT_EQ(column(list, colLukija), (Texts(4, "        0")));
    EXPECT_FALSE(test::exists(dir / "nulli.dat"));
    EXPECT_TRUE(list.unreadLines.empty());
}

TEST_F(CountedRows, ZeroRowFileKeepsAnEmptyCodeAndSetsAsideUnreadableLines) {
    ReviewList list = readZeroRows("                 0\r\nABC          x\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{""}));
    EXPECT_EQ(column(list, colLukija), (Texts{"        0"}));
    ASSERT_EQ(list.unreadLines.size(), 1u);
    EXPECT_EQ(list.unreadLines[0].lineNumber, 2u);
}

TEST(ZeroRowOrder, EqualCodesKeepFileOrder) {
    // Stable: the rows for equal codes stay in the order of their lines,
    // which the quantities tell apart here.
    ReviewList list;
    addZeroRowFileRows(countLine("B", "1") + countLine("A", "2") + countLine("B", "3") +
                           countLine("A", "4"),
                       list);
    EXPECT_EQ(column(list, colLukija), (Texts{"        2", "        4", "        1", "        3"}));
}

TEST(ReviewSourceChoice, ZeroRowFileFirstThenWorkFile) {
    TempDir dir;
    EXPECT_EQ(chooseReviewSource(dir.dirValue()), ReviewSource::Nothing);
    test::writeFile(dir / "orvik.dat", "");
    EXPECT_EQ(chooseReviewSource(dir.dirValue()), ReviewSource::WorkFile);
    test::writeFile(dir / "nulli.dat", "");
    EXPECT_EQ(chooseReviewSource(dir.dirValue()), ReviewSource::ZeroRowFile);
}

TEST(ReviewSourceChoice, AfterTheZeroRowFileTheWorkFileIsRead) {
    TempDir dir;
    test::writeFile(dir / "orvik.dat", countLine("1", "5"));
    test::writeFile(dir / "nulli.dat", countLine("2", "0"));
    ReviewList first;
    ASSERT_FALSE(
        readCountedRows(chooseReviewSource(dir.dirValue()), dir.dirValue(), first).failed());
    EXPECT_EQ(column(first, colTuote), (Texts{"2"}));
    ReviewList second;
    ASSERT_FALSE(
        readCountedRows(chooseReviewSource(dir.dirValue()), dir.dirValue(), second).failed());
    EXPECT_EQ(column(second, colTuote), (Texts{"1"}));
}

TEST(ReadCountedRows, NothingToReadAndFailures) {
    TempDir dir;
    ReviewList list;
    EXPECT_FALSE(readCountedRows(ReviewSource::Nothing, dir.dirValue(), list).failed());
    EXPECT_TRUE(list.rows.empty());
    // The work file vanished after it was chosen.
    EXPECT_TRUE(readCountedRows(ReviewSource::WorkFile, dir.dirValue(), list).failed());
    EXPECT_TRUE(list.rows.empty());
}

TEST(UnreadLinesNotice, CountsAndShowsTheFirstFive) {
    ReviewList list;
    EXPECT_EQ(unreadLinesNotice(list), "");
    list.unreadLines.push_back({3, "ABC  x"});
    EXPECT_EQ(unreadLinesNotice(list), " 1 riviltä ei voitu lukea määrää:\n"
                                       " rivi 3: \"ABC  x\"\n"
                                       " Niitä ei näytetä listassa. "_cp);
    for (std::size_t n = 4; n <= 9; ++n)
        list.unreadLines.push_back({n, std::string(50, 'z')});
    std::string notice = unreadLinesNotice(list);
    EXPECT_EQ(notice.rfind(" 7 riviltä"_cp, 0), 0u);
    EXPECT_NE(notice.find(" rivi 7: \"" + std::string(40, 'z') + "...\"\n"), std::string::npos);
    EXPECT_EQ(notice.find("rivi 8:"), std::string::npos);
    EXPECT_NE(notice.find("\n ja 2 muuta.\n"), std::string::npos);
}

TEST(UnreadableStockNotice, NamesEveryFile) {
    EXPECT_EQ(unreadableStockNotice({}), "");
    EXPECT_EQ(unreadableStockNotice({{"CASSA.002"}}),
              " Varastotiedostoa CASSA.002 ei voitu lukea. Listassa ei ole varastotietoja. ");
    EXPECT_EQ(unreadableStockNotice({{"CASSA.001", "CASSA.005"}}),
              " Varastotiedostoja CASSA.001, CASSA.005 ei voitu lukea. Listassa ei ole "
              "varastotietoja. ");
}

} // namespace
} // namespace orvik
