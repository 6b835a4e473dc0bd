// The stock pass: every cell of a row filled from the product, its names and
// the counted quantity; what happens when stock files are missing.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>

#include "review/countedrows.h"
#include "review/reviewtotals.h"
#include "review/stockpass.h"
#include "support/files.h"
#include "support/stockwriter.h"
#include "text/codepage.h"
#include "text/daydate.h"
#include "text/fixedfield.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::TempDir;

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

ReviewRow counted(const std::string& code, const std::string& cell) {
    return newCountedRow(code, cell);
}

struct Prices {
    std::int64_t sales, purchase; // times 10 000
};
struct NameRefs {
    std::int32_t group, productClass, supplier;
};

ProductRecord product(const std::string& code, std::int64_t stockScaled, Prices prices,
                      NameRefs names, double lastCount, const std::string& name = "") {
    ProductRecord p;
    p.code = code;
    p.name = name;
    p.stock.scaled = stockScaled;
    p.salesPrice.scaled = prices.sales;
    p.purchasePrice.scaled = prices.purchase;
    p.group = names.group;
    p.productClass = names.productClass;
    p.supplier = names.supplier;
    p.lastCount = lastCount;
    return p;
}

// Names 1 to 3: a group, a class, a supplier. Products name them, name
// nothing, or point beyond the name file.
sampleshop::Shop smallShop() {
    sampleshop::Shop shop;
    shop.names = {test::name("Maitotuotteet"), test::name("Perusvalikoima", 'L'),
                  test::name("Meijeri Oy", 'T')};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    shop.products = {
        product("1001", 25000, {12900, 8765}, {1, 2, 3}, toDayNumber({2024, 3, 15}),
                " Täysmaito 1 l"_cp),
        product("1002", -50000, {0, 0}, {0, 99, 0}, 0),
        product("1003", 120000, {100000, 65000}, {-7, 1, 4}, nan),
        product("1004", 1160000, {0, 59900}, {0, 0, 0}, 0),
    };
    return shop;
}

class StockPass : public testing::Test {
protected:
    TempDir dir;
    std::string datat = dir.dirValue();
    ReviewList list;

    void SetUp() override {
        test::writeStock(dir, smallShop());
        list.rows = {counted("1001", "         2"), counted("1002", "         0"),
                     counted("1003", "10"), counted("4040", "         1")};
    }
    StockPassResult fill() { return fillStock(list, datat, nullptr); }
};

TEST_F(StockPass, FillsEveryCellOfAProductWithNames) {
    ASSERT_TRUE(fill().unreadableFiles.empty());
    const ReviewRow& row = list.rows[0];
    EXPECT_EQ(row[colTuote], "1001");
    EXPECT_EQ(row[colNimitys], "Täysmaito 1 l"_cp);
    EXPECT_EQ(row[colVarasto], "         3"); // 2.5 rounds away from zero
    EXPECT_EQ(row[colLukija], "         2");
    EXPECT_EQ(row[colErotus], "      -0.5");
    EXPECT_EQ(row[colSortSaldo], " 100000003");
    EXPECT_EQ(row[colSortErotus], " 100000000");
    EXPECT_EQ(row[colTuoteryhma], "Maitotuotteet            ");
    EXPECT_EQ(row[colTuoteluokka], "Perusvalikoima           ");
    EXPECT_EQ(row[colInventoitu], "2024-03-15");
    EXPECT_EQ(row[colMyyntihinta], "      1.29");
    EXPECT_EQ(row[colOstohinta], "      0.88");
    EXPECT_EQ(row[colToimittaja], "Meijeri Oy               ");
    EXPECT_EQ(row[colEroOH], "      -0,44"); // 0.88 x -0.5, eleven wide
    EXPECT_EQ(row[colSortEroMh], "1000000000");
}

TEST_F(StockPass, NegativeStockMissingNamesAndDayZero) {
    fill();
    const ReviewRow& row = list.rows[1];
    EXPECT_EQ(row[colVarasto], "        -5");
    EXPECT_EQ(row[colErotus], "         5");
    EXPECT_EQ(row[colSortSaldo], " 099999995");
    EXPECT_EQ(row[colSortErotus], " 100000005");
    EXPECT_EQ(row[colTuoteryhma], blanks(25));  // group 0
    EXPECT_EQ(row[colTuoteluokka], blanks(25)); // beyond the name file
    EXPECT_EQ(row[colToimittaja], blanks(25));  // supplier 0
    EXPECT_EQ(row[colInventoitu], "1899-12-30");
    EXPECT_EQ(row[colMyyntihinta], "      0.00");
    EXPECT_EQ(row[colEroOH], "       0,00");
}

TEST_F(StockPass, DamagedReferencesAndDatesLeaveBlanks) {
    fill();
    const ReviewRow& row = list.rows[2];
    EXPECT_EQ(row[colErotus], "        -2"); // a merged count "10" against 12
    EXPECT_EQ(row[colEroOH], "     -13,00");
    EXPECT_EQ(row[colSortEroMh], "0999999987");
    EXPECT_EQ(row[colTuoteryhma], blanks(25)); // a negative group
    EXPECT_EQ(row[colTuoteluokka], "Maitotuotteet            ");
    EXPECT_EQ(row[colToimittaja], blanks(25)); // supplier beyond the file
    EXPECT_EQ(row[colInventoitu], blanks(10)); // a date no calendar shows
}

TEST_F(StockPass, DifferenceIsExactInTenThousandths) {
    // In binary 125.1 - 116 is 9.0999999999999943, which would show as
    // 9,09999999999999 and lose its front to the ten-character cell.
    list.rows = {counted("1004", "125,1"), counted("1004", "0,00005"), counted("1004", "-0,00005")};
    fill();
    EXPECT_EQ(list.rows[0][colErotus], "       9.1");
    EXPECT_EQ(list.rows[0][colSortErotus], " 100000009");
    EXPECT_EQ(list.rows[0][colEroOH], "      54,51"); // 5.99 x 9.1 = 54.509
    // The count is first rounded to four decimals, halves away from zero.
    EXPECT_EQ(list.rows[1][colErotus], " -115.9999");
    EXPECT_EQ(list.rows[2][colErotus], " -116.0001");
}

TEST(StockPassLongNumbers, NumbersLongerThanTheirCellsStayWholeAndTotalRight) {
    TempDir dir;
    sampleshop::Shop shop;
    shop.names = {test::name("Ryhma")};
    const std::int64_t hugePrice = 99999999900; // 9 999 999,99
    shop.products = {product("1", 123456789, {101000, 50500}, {1, 1, 0}, 0),
                     product("2", -999999990000, {hugePrice, hugePrice}, {1, 1, 0}, 0),
                     product("3", -999999990000, {hugePrice, hugePrice}, {1, 1, 0}, 0),
                     product("4", 0, {100000000000, 100000000000}, {1, 1, 0}, 0)};
    test::writeStock(dir, shop);
    ReviewList list;
    list.rows = {counted("1", "         0")};
    fillStock(list, dir.dirValue(), nullptr);
    EXPECT_EQ(list.rows[0][colErotus], "-12345.6789");
    EXPECT_EQ(list.rows[0][colSortErotus], " 099987654"); // keys keep their width
    EXPECT_EQ(list.rows[0][colEroOH], "  -62345,68");
    EXPECT_EQ(laske(list), "Inventointiero -62345,68 OH / -124691,36 MH");

    list.rows = {counted("2", "         1"), counted("3", "         1"), counted("4", "1")};
    fillStock(list, dir.dirValue(), nullptr);
    EXPECT_EQ(list.rows[0][colErotus], " 100000000");
    EXPECT_EQ(list.rows[0][colOstohinta], "9999999.99");
    EXPECT_EQ(list.rows[0][colEroOH], "999999999000000,00");
    EXPECT_EQ(list.rows[0][colSortEroMh], "0999000000"); // cut as it always was
    EXPECT_EQ(list.rows[2][colMyyntihinta], "10000000.00");
    EXPECT_EQ(list.rows[2][colEroOH], "10000000,00");
    EXPECT_EQ(laske(list), "Inventointiero 2000000008000000,00 OH / 2000000008000000,00 MH");
}

TEST_F(StockPass, ProductNotInTheStockFilesKeepsItsBlanks) {
    const ReviewRow before = list.rows[3];
    fill();
    EXPECT_EQ(list.rows[3], before);
}

TEST_F(StockPass, AnIndexEntryBeyondTheProductFileIsNoProduct) {
    std::string index = test::readFile(dir / kIndexFileName);
    index.replace(13, 4, std::string("\x10\x00\x00\x00", 4)); // "1001" -> record 16
    test::writeFile(dir / kIndexFileName, index);
    const ReviewRow before = list.rows[0];
    fill();
    EXPECT_EQ(list.rows[0], before);
    EXPECT_EQ(list.rows[1][colVarasto], "        -5");
}

TEST_F(StockPass, EachUnreadableStockFileIsNamedAndNoRowGetsStock) {
    std::filesystem::remove(dir / kEventFileName); // not needed here
    EXPECT_TRUE(fill().unreadableFiles.empty());
    list.rows.resize(1);
    list.rows[0] = counted("1001", "2");
    for (const char* missing : {kIndexFileName, kProductFileName, kNameFileName}) {
        test::writeStock(dir, smallShop());
        std::filesystem::remove(dir / missing);
        const ReviewList before = list;
        StockPassResult result = fill();
        EXPECT_EQ(result.unreadableFiles, std::vector<std::string>{missing});
        EXPECT_EQ(list.rows, before.rows) << missing;
    }
    std::filesystem::remove(dir / kProductFileName);
    std::filesystem::create_directory(dir / kProductFileName);
    EXPECT_EQ(fill().unreadableFiles, (std::vector<std::string>{"CASSA.002", "CASSA.005"}));
}

// The pass searches a copy of the index and trusts a miss there only while
// the file is still the one copied: a product the cash-register system adds
// to the index during the pass is found.
TEST(StockPassIndex, ACodeWrittenIntoTheIndexDuringThePassIsFound) {
    TempDir dir;
    test::writeStock(dir, smallShop());
    const std::filesystem::path index = dir.path() / kIndexFileName;
    const std::string withAll = test::readFile(index);
    test::writeFile(index, withAll.substr(0, withAll.size() - kIndexRecordLength)); // no 1004
    std::filesystem::last_write_time(index, std::filesystem::last_write_time(index) -
                                                std::chrono::hours(1));
    ReviewList list;
    list.rows = {counted("0999", "         1"), counted("1004", "         1")};
    struct RewritesAtFirstProgress : StockPassView {
        const std::filesystem::path& index;
        const std::string& withAll;
        bool rewritten = false;
        RewritesAtFirstProgress(const std::filesystem::path& i, const std::string& w)
            : index(i), withAll(w) {}
        void showPercent(int) override {
            if (!rewritten)
                test::writeFile(index, withAll);
            rewritten = true;
        }
    } view(index, withAll);
    fillStock(list, dir.dirValue(), &view);
    EXPECT_EQ(list.rows[0][colVarasto], blanks(10));
    EXPECT_EQ(list.rows[1][colVarasto], "       116");
}

TEST(StockPassProgress, ReportsEachWholePercentOnceUpTo100) {
    TempDir dir;
    test::writeStock(dir, smallShop());
    for (std::size_t rows : {0u, 3u, 250u}) {
        ReviewList list;
        list.rows.assign(rows, counted("1001", "1"));
        struct : StockPassView {
            std::vector<int> seen;
            void showPercent(int percent) override { seen.push_back(percent); }
        } view;
        fillStock(list, dir.dirValue(), &view);
        const std::vector<int>& seen = view.seen;
        std::vector<int> expected;
        if (rows == 3)
            expected = {33, 66, 100};
        for (int i = 0; rows == 250 && i <= 100; ++i)
            expected.push_back(i);
        EXPECT_EQ(seen, expected) << rows;
    }
}

} // namespace
} // namespace orvik
