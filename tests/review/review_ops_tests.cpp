// Totals, sorting by column title, removal and the window layout of the
// review list.
#include <gtest/gtest.h>

#include "common/codepage.h"
#include "review/reviewops.h"

namespace orvik {
namespace {

using namespace orvik::literals;

// A row with a code and the cells a test cares about; everything else blank.
ReviewRow rowWith(const std::string& code,
                  std::initializer_list<std::pair<int, std::string>> cells) {
    ReviewRow row;
    row[colTuote] = code;
    for (const auto& [column, text] : cells)
        row[static_cast<std::size_t>(column)] = text;
    return row;
}

ReviewRow pricedRow(const std::string& difference, const std::string& sales,
                    const std::string& purchase) {
    return rowWith("1",
                   {{colErotus, difference}, {colMyyntihinta, sales}, {colOstohinta, purchase}});
}

std::vector<std::string> column(const ReviewList& list, int col) {
    std::vector<std::string> texts;
    for (const ReviewRow& row : list.rows)
        texts.push_back(row[static_cast<std::size_t>(col)]);
    return texts;
}

using Texts = std::vector<std::string>;

TEST(ReviewTotals, OneRowValuesTheDifferenceAtBothPrices) {
    ReviewList list;
    list.rows.push_back(pricedRow("        -2", "     10.00", "      6.50"));
    const Totals totals = computeTotals(list);
    EXPECT_EQ(totals.purchaseScaled, -130000);
    EXPECT_EQ(totals.salesScaled, -200000);
    EXPECT_EQ(laske(list), "Inventointiero -13,00 OH / -20,00 MH");
}

TEST(ReviewTotals, EmptyListAndBlankRowsAddNothing) {
    ReviewList list;
    EXPECT_EQ(laske(list), "Inventointiero 0,00 OH / 0,00 MH");

    // A product missing from the stock files: blank stock columns.
    ReviewRow missing = rowWith("999", {{colLukija, "         4"}});
    for (int col : {colVarasto, colErotus, colMyyntihinta, colOstohinta})
        missing[static_cast<std::size_t>(col)] = std::string(10, ' ');
    list.rows.push_back(missing);
    list.rows.push_back(pricedRow("       1.5", "      2.00", "      1.20"));
    list.rows.push_back(missing);
    EXPECT_EQ(laske(list), "Inventointiero 1,80 OH / 3,00 MH");
}

TEST(ReviewTotals, SumsAreExactOverManyRows) {
    // 0.1 does not exist in binary; summing doubles would drift by now.
    ReviewList list;
    for (int i = 0; i < 100000; ++i)
        list.rows.push_back(pricedRow("         1", "      0.10", "      0.30"));
    const Totals totals = computeTotals(list);
    EXPECT_EQ(totals.salesScaled, 100000LL * 1000);
    EXPECT_EQ(totals.purchaseScaled, 100000LL * 3000);
    EXPECT_EQ(totalsCaption(totals), "Inventointiero 30000,00 OH / 10000,00 MH");
}

TEST(ReviewTotals, EachProductIsRoundedToFourDecimalsHalvesAwayFromZero) {
    ReviewList list;
    list.rows.push_back(pricedRow("0.5", "0.0001", "0.0003"));  // 0.00005 and 0.00015
    list.rows.push_back(pricedRow("-0.5", "0.0001", "0.0001")); // -0.00005
    const Totals totals = computeTotals(list);
    EXPECT_EQ(totals.salesScaled, 1 - 1);
    EXPECT_EQ(totals.purchaseScaled, 2 - 1);
}

TEST(ReviewTotals, CaptionRoundsToCentsHalvesAwayFromZero) {
    EXPECT_EQ(totalsCaption({12345, -12345}), "Inventointiero 1,23 OH / -1,23 MH");
    EXPECT_EQ(totalsCaption({12350, -12350}), "Inventointiero 1,24 OH / -1,24 MH");
}

TEST(ReviewSortColumn, EachTitleSortsItsColumnOrItsHiddenKey) {
    const int expected[] = {0, 1, 5, 3, 6, 5, 6, 7, 8, 9, 10, 11, 12, 14, 0};
    for (int position = 1; position <= 15; ++position)
        EXPECT_EQ(sortColumnForClick(position), expected[position - 1]) << position;
    EXPECT_EQ(sortColumnForClick(0), -1);
    EXPECT_EQ(sortColumnForClick(16), -1);
}

// Differences −3, 0 and 12 with their hidden keys, in code order.
ReviewList differencesList() {
    ReviewList list;
    list.rows.push_back(rowWith("1", {{colErotus, "        -3"}, {colSortErotus, " 099999997"}}));
    list.rows.push_back(rowWith("2", {{colErotus, "         0"}, {colSortErotus, " 100000000"}}));
    list.rows.push_back(rowWith("3", {{colErotus, "        12"}, {colSortErotus, " 100000012"}}));
    return list;
}

TEST(ReviewSorting, ClickingErotusFlipsBetweenDescendingAndAscending) {
    ReviewList list = differencesList();
    clickColumn(list, 5);
    EXPECT_EQ(list.sortColumn, colSortErotus);
    EXPECT_TRUE(list.descending);
    EXPECT_EQ(column(list, colErotus), (Texts{"        12", "         0", "        -3"}));
    clickColumn(list, 5);
    EXPECT_FALSE(list.descending);
    EXPECT_EQ(column(list, colErotus), (Texts{"        -3", "         0", "        12"}));
}

TEST(ReviewSorting, TheOneDirectionFlipsWhateverColumnWasClicked) {
    ReviewList list = differencesList();
    clickColumn(list, 2); // "Nimitys": descending
    clickColumn(list, 5); // "Erotus": ascending
    EXPECT_EQ(column(list, colErotus), (Texts{"        -3", "         0", "        12"}));
}

TEST(ReviewSorting, LukijaSortsItsOwnTextsMergedOnesByFirstDigit) {
    ReviewList list;
    list.rows.push_back(rowWith("a", {{colLukija, "12"}}));
    list.rows.push_back(rowWith("b", {{colLukija, "         5"}}));
    list.rows.push_back(rowWith("c", {{colLukija, "5"}}));
    list.rows.push_back(rowWith("d", {{colLukija, "         9"}}));
    clickColumn(list, 1); // descending first, so "Lukija" comes ascending
    clickColumn(list, 4);
    EXPECT_EQ(column(list, colTuote), (Texts{"b", "d", "a", "c"}));
}

TEST(ReviewSorting, NameColumnsIgnoreCaseOfTheCodePageLetters) {
    ReviewList list;
    for (const std::string& name :
         {"öljy"_cp, "banaani"_cp, "Äyräs"_cp, "Appelsiini"_cp, "BANAANI"_cp, "ananas"_cp})
        list.rows.push_back(rowWith(name, {{colNimitys, name}}));
    clickColumn(list, 1);
    clickColumn(list, 2);
    // Equal keys ("banaani", "BANAANI") keep their order: the sort is stable.
    EXPECT_EQ(column(list, colNimitys),
              (Texts{"ananas", "Appelsiini", "banaani", "BANAANI", "Äyräs"_cp, "öljy"_cp}));
}

TEST(ReviewSorting, OtherColumnsCompareBytesCaseIncluded) {
    ReviewList list;
    for (const char* code : {"a1", "B2",
                             "\xC4"
                             "3",
                             "10", "9", "100"})
        list.rows.push_back(rowWith(code, {}));
    clickColumn(list, 1);
    clickColumn(list, 1);
    EXPECT_EQ(column(list, colTuote), (Texts{"10", "100", "9", "B2", "a1",
                                             "\xC4"
                                             "3"}));
}

TEST(ReviewSorting, DescendingKeepsTheOrderOfEqualKeys) {
    ReviewList list;
    for (const char* code : {"1", "2", "3", "4"})
        list.rows.push_back(rowWith(code, {{colTuoteryhma, code[0] == '3' ? "B" : "A"}}));
    const std::vector<std::size_t> order = clickColumnReordering(list, 8);
    EXPECT_EQ(column(list, colTuote), (Texts{"3", "1", "2", "4"}));
    EXPECT_EQ(order, (std::vector<std::size_t>{2, 0, 1, 3}));
}

TEST(ReviewSorting, HiddenKeyTitlesSortTheirKeysOrTheCode) {
    ReviewList list;
    list.rows.push_back(rowWith("2", {{colSortEroMh, "0999999875"}}));
    list.rows.push_back(rowWith("1", {{colSortEroMh, "1000000000"}}));
    clickColumn(list, 15); // "SortEroMh" sorts the code, descending
    EXPECT_EQ(column(list, colTuote), (Texts{"2", "1"}));
    EXPECT_EQ(list.sortColumn, colTuote);
    clickColumn(list, 14); // "Ero OH" sorts its key, ascending
    EXPECT_EQ(column(list, colTuote), (Texts{"2", "1"}));
    EXPECT_EQ(list.sortColumn, colSortEroMh);
}

TEST(ReviewSorting, PositionOutsideTheColumnsChangesNothing) {
    ReviewList list = differencesList();
    EXPECT_TRUE(clickColumnReordering(list, 0).empty());
    clickColumn(list, 16);
    EXPECT_FALSE(list.descending);
    EXPECT_EQ(list.sortColumn, colTuote);
    EXPECT_EQ(column(list, colTuote), (Texts{"1", "2", "3"}));
}

TEST(ReviewRemoval, RemovesEverySelectedRowAndKeepsTheOthersInOrder) {
    ReviewList list;
    for (const char* code : {"a", "b", "c", "d", "e", "f"})
        list.rows.push_back(rowWith(code, {}));
    removeRows(list, {4, 0, 2, 4, 99});
    EXPECT_EQ(column(list, colTuote), (Texts{"b", "d", "f"}));
    removeRows(list, {});
    EXPECT_EQ(list.rows.size(), 3u);
    removeRows(list, {0, 1, 2});
    EXPECT_TRUE(list.rows.empty());
}

TEST(ReviewLayout, DesignPositions) {
    const ReviewLayout layout = designLayout();
    EXPECT_EQ(layout.list, (TwipsRect{60, 165, 7665, 3520}));
    EXPECT_EQ(layout.bar, (TwipsRect{90, 3720, 7635, 165}));
    EXPECT_EQ(layout.poista, (TwipsRect{600, 3840, 1300, 330}));
    EXPECT_EQ(layout.tulosta, (TwipsRect{2040, 3840, 1300, 330}));
    EXPECT_EQ(layout.tulostaLaaja, (TwipsRect{3480, 3840, 1300, 330}));
    EXPECT_EQ(layout.hyvaksy, (TwipsRect{4920, 3840, 1300, 330}));
    EXPECT_EQ(layout.sulje, (TwipsRect{6360, 3840, 1300, 330}));
    EXPECT_EQ(layout.totals, (TwipsRect{120, 3960, 5475, 345}));
}

TEST(ReviewLayout, ResizedWindowAnchorsButtonsToTheBottomRight) {
    const ReviewLayout layout = resizedLayout(designLayout(), 10000, 6000);
    EXPECT_EQ(layout.list, (TwipsRect{60, 165, 9775, 4930}));
    EXPECT_EQ(layout.bar, (TwipsRect{90, 5210, 9620, 165}));
    EXPECT_EQ(layout.sulje, (TwipsRect{8510, 5210, 1300, 330}));
    EXPECT_EQ(layout.hyvaksy, (TwipsRect{7110, 5210, 1300, 330}));
    EXPECT_EQ(layout.tulostaLaaja, (TwipsRect{5710, 5210, 1300, 330}));
    EXPECT_EQ(layout.tulosta, (TwipsRect{4310, 5210, 1300, 330}));
    EXPECT_EQ(layout.poista, (TwipsRect{2910, 5210, 1300, 330}));
    EXPECT_EQ(layout.totals, (TwipsRect{120, 5240, 5475, 345}));
}

TEST(ReviewLayout, TooSmallAWindowKeepsTheListAndBarSizes) {
    const ReviewLayout before = resizedLayout(designLayout(), 10000, 6000);
    const ReviewLayout layout = resizedLayout(before, 225, 1070);
    EXPECT_EQ(layout.list, before.list);
    EXPECT_EQ(layout.bar.width, before.bar.width);
    EXPECT_EQ(layout.bar.top, 280);
    EXPECT_EQ(layout.poista, (TwipsRect{-6865, 280, 1300, 330}));
    EXPECT_EQ(layout.totals.top, 310);
}

} // namespace
} // namespace orvik
