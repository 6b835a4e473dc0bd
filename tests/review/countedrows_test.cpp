// The counted rows of the review: the work file merged per code, the zero-row
// file line by line, and what could not be read.
#include <gtest/gtest.h>

#include "review/countedrows.h"
#include "review/reviewbuilder.h"
#include "review/reviewnotices.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "text/fixedfield.h"

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

    ReviewList read(const char* fileName, ReviewSource source, const std::string& content) {
        test::writeFile(dir / fileName, content);
        ReviewList list;
        const CountedRowsRead read = readCountedRows(source, datPolku, list);
        EXPECT_FALSE(read.error.failed());
        EXPECT_FALSE(read.zeroRowsLeft.failed());
        return list;
    }
    ReviewList readWorkFile(const std::string& content) {
        return read("orvik.dat", ReviewSource::WorkFile, content);
    }
    ReviewList readZeroRows(const std::string& content) {
        return read("nulli.dat", ReviewSource::ZeroRowFile, content);
    }
};

TEST_F(CountedRows, RepeatedCodesAddUpUnpadded) {
    ReviewList list = readWorkFile(countLine("1234567890123", "2") + countLine("  555", "2") +
                                   countLine("1234567890123", "3"));
    EXPECT_EQ(column(list, colTuote), (Texts{"1234567890123", "555"})); // trimmed
    EXPECT_EQ(column(list, colLukija), (Texts{"5", "         2"}));
    const ReviewRow& row = list.rows[1];
    EXPECT_EQ(row[colNimitys], "");
    for (int col : {2, 4, 5, 6, 9, 10, 11, 13, 14})
        EXPECT_EQ(row[static_cast<std::size_t>(col)], std::string(10, ' ')) << col;
    for (int col : {7, 8, 12})
        EXPECT_EQ(row[static_cast<std::size_t>(col)], std::string(25, ' ')) << col;
    EXPECT_TRUE(test::exists(dir / "orvik.dat")); // only read
}

TEST_F(CountedRows, PointsAndCommasAreDecimalSeparators) {
    ReviewList list =
        readWorkFile(countLine("1", "2.5") + countLine("2", "2,5") + countLine("3", "0.250") +
                     countLine("4", "-3") + countLine("4", "1.5") + countLine("5", "7"));
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
    EXPECT_EQ(column(readWorkFile(content), colTuote), (Texts{"10", "100", "9", "B", "b", "\xE4"}));
}

TEST_F(CountedRows, EmptyCodesAreSkippedAndUnreadableQuantitiesKeptAside) {
    // A 20-character line takes its quantity from columns 16 to 20; a point
    // in the code stays.
    ReviewList list =
        readWorkFile(countLine("12345", "1") + "\r\n" + countLine("", "4") + "12345         \r\n" +
                     countLine("6666", "abc") + "12.4567890123   12.5\r\nshort\r\n");
    EXPECT_EQ(column(list, colTuote), (Texts{"12.4567890123", "12345"}));
    EXPECT_EQ(column(list, colLukija), (Texts{"      12,5", "         1"}));
    ASSERT_EQ(list.unreadLines.size(), 3u);
    EXPECT_EQ(list.unreadLines[0].lineNumber, 4u);
    EXPECT_EQ(list.unreadLines[0].text, "12345         ");
    EXPECT_EQ(list.unreadLines[1].lineNumber, 5u);
    EXPECT_EQ(list.unreadLines[2].text, "short");
}

TEST_F(CountedRows, EmptyWorkFileGivesAnEmptyList) {
    ReviewList list = readWorkFile("");
    EXPECT_TRUE(list.rows.empty());
    EXPECT_TRUE(list.unreadLines.empty());
}

TEST_F(CountedRows, ZeroRowFileGivesOneRowPerLineAndIsDeleted) {
    ReviewList list =
        readZeroRows(countLine("6410000000017", "0") + countLine(" 12", "0") + countLine("", "0") +
                     countLine("6410000000017", "0") + countLine("ABC", "x"));
    EXPECT_EQ(column(list, colTuote), (Texts{"", " 12", "6410000000017", "6410000000017"}));
    EXPECT_EQ(column(list, colLukija), (Texts(4, "        0")));
    EXPECT_FALSE(test::exists(dir / "nulli.dat"));
    ASSERT_EQ(list.unreadLines.size(), 1u);
    EXPECT_EQ(list.unreadLines[0].lineNumber, 5u);
}

TEST(ZeroRowOrder, EqualCodesKeepFileOrder) {
    ReviewList list;
    addZeroRowFileRows(countLine("B", "1") + countLine("A", "2") + countLine("B", "3") +
                           countLine("A", "4"),
                       list);
    EXPECT_EQ(column(list, colLukija), (Texts{"        2", "        4", "        1", "        3"}));
}

TEST(ReviewSource, AZeroRowFileJoinsTheWorkFileRowsAndIsReviewedOnce) {
    TempDir dir;
    const std::string datPolku = dir.dirValue();
    EXPECT_EQ(chooseReviewSource(datPolku), ReviewSource::Nothing);
    ReviewList list;
    EXPECT_TRUE(readCountedRows(ReviewSource::WorkFile, datPolku, list).error.failed());

    test::writeFile(dir / "orvik.dat",
                    countLine("1", "5") + countLine("2", "1") + countLine("1", "2"));
    test::writeFile(dir / "nulli.dat", countLine("2", "0") + countLine("0", "0"));
    ASSERT_EQ(chooseReviewSource(datPolku), ReviewSource::WorkFileAndZeroRows);
    ASSERT_FALSE(readCountedRows(ReviewSource::WorkFileAndZeroRows, datPolku, list).error.failed());
    // Counted rows merged as always; each zero row its own row, after the
    // counted row of its code.
    EXPECT_EQ(column(list, colTuote), (Texts{"0", "1", "2", "2"}));
    EXPECT_EQ(column(list, colLukija), (Texts{"        0", "7", "         1", "        0"}));
    EXPECT_EQ(chooseReviewSource(datPolku), ReviewSource::WorkFile); // reviewed once
}

TEST(Notices, UnreadLinesCountedWithTheFirstFiveShown) {
    ReviewList list;
    EXPECT_EQ(unreadLinesNotice(list), "");
    list.unreadLines.push_back({3, "ABC  x"});
    EXPECT_EQ(unreadLinesNotice(list), " 1 riviltä ei voitu lukea määrää:\n"
                                       " rivi 3: \"ABC  x\"\n"
                                       " Niitä ei näytetä listassa. "_cp);
    for (std::size_t n = 4; n <= 9; ++n)
        list.unreadLines.push_back({n, std::string(50, 'z')});
    const std::string notice = unreadLinesNotice(list);
    EXPECT_EQ(notice.rfind(" 7 riviltä"_cp, 0), 0u);
    EXPECT_NE(notice.find(" rivi 7: \"" + std::string(40, 'z') + "...\"\n"), std::string::npos);
    EXPECT_EQ(notice.find("rivi 8:"), std::string::npos);
    EXPECT_NE(notice.find("\n ja 2 muuta.\n"), std::string::npos);
}

TEST(Notices, UnreadableStockFilesNamed) {
    EXPECT_EQ(unreadableStockNotice({}), "");
    EXPECT_EQ(unreadableStockNotice({{"CASSA.002"}}),
              " Varastotiedostoa CASSA.002 ei voitu lukea. Listassa ei ole varastotietoja. ");
    EXPECT_EQ(unreadableStockNotice({{"CASSA.001", "CASSA.005"}}),
              " Varastotiedostoja CASSA.001, CASSA.005 ei voitu lukea. Listassa ei ole "
              "varastotietoja. ");
}

} // namespace
} // namespace orvik
