// Totals, sorting by column title, removal and the resize layout of the
// review list.
#include <gtest/gtest.h>

#include "review/removalhistory.h"
#include "review/reviewlayout.h"
#include "review/reviewsort.h"
#include "review/reviewtotals.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using Texts = std::vector<std::string>;

ReviewRow rowWith(const std::string& code, int column = colTuote, const std::string& text = "") {
    ReviewRow row;
    row[colTuote] = code;
    if (column != colTuote)
        row[static_cast<std::size_t>(column)] = text;
    return row;
}

ReviewRow pricedRow(const std::string& difference, const std::string& sales,
                    const std::string& purchase) {
    ReviewRow row = rowWith("1", colErotus, difference);
    row[colMyyntihinta] = sales;
    row[colOstohinta] = purchase;
    return row;
}

Texts column(const ReviewList& list, int col) {
    Texts texts;
    for (const ReviewRow& row : list.rows)
        texts.push_back(row[static_cast<std::size_t>(col)]);
    return texts;
}

TEST(ReviewTotals, ValueTheDifferenceAtBothPricesBlankRowsAddingNothing) {
    ReviewList list;
    EXPECT_EQ(laske(list), "Inventointiero 0,00 OH / 0,00 MH");
    list.rows.push_back(pricedRow("        -2", "     10.00", "      6.50"));
    EXPECT_EQ(laske(list), "Inventointiero -13,00 OH / -20,00 MH");
    list.rows.push_back(
        pricedRow(std::string(10, ' '), std::string(10, ' '), std::string(10, ' ')));
    list.rows.push_back(rowWith("2"));
    EXPECT_EQ(laske(list), "Inventointiero -13,00 OH / -20,00 MH");
}

TEST(ReviewTotals, SumsAreExactAndEachProductRoundsToFourDecimals) {
    // 0.1 does not exist in binary; summing doubles would drift by now.
    ReviewList list;
    for (int i = 0; i < 100000; ++i)
        list.rows.push_back(pricedRow("         1", "      0.10", "      0.30"));
    EXPECT_EQ(computeTotals(list).salesScaled, 100000LL * 1000);
    EXPECT_EQ(laske(list), "Inventointiero 30000,00 OH / 10000,00 MH");

    list.rows = {pricedRow("0.5", "0.0001", "0.0003"), pricedRow("-0.5", "0.0003", "0.0001")};
    const Totals halves = computeTotals(list); // ±0.00005 and ±0.00015, away from zero
    EXPECT_EQ(halves.salesScaled, 1 - 2);
    EXPECT_EQ(halves.purchaseScaled, 2 - 1);
    EXPECT_EQ(totalsCaption({12350, -12345}), "Inventointiero 1,24 OH / -1,23 MH");
}

ReviewList differencesList() { // −3, 0 and 12 with their hidden keys
    ReviewList list;
    for (const auto& [code, difference, key] :
         {std::tuple{"1", "        -3", " 099999997"}, std::tuple{"2", "         0", " 100000000"},
          std::tuple{"3", "        12", " 100000012"}}) {
        list.rows.push_back(rowWith(code, colErotus, difference));
        list.rows.back()[colSortErotus] = key;
    }
    return list;
}

TEST(ReviewSorting, OneDirectionFlipsAtEveryClickWhateverTheColumn) {
    ReviewList list = differencesList();
    clickColumn(list, 5); // "Erotus": descending first
    EXPECT_EQ(list.sortColumn, colSortErotus);
    EXPECT_EQ(column(list, colErotus), (Texts{"        12", "         0", "        -3"}));
    clickColumn(list, 5);
    EXPECT_EQ(column(list, colErotus), (Texts{"        -3", "         0", "        12"}));
    clickColumn(list, 2);  // "Nimitys": descending
    clickColumn(list, 16); // no such title: nothing changes
    clickColumn(list, 3);  // "Varasto" sorts its empty key, ascending: order kept
    EXPECT_EQ(list.sortColumn, colSortSaldo);
    EXPECT_FALSE(list.descending);
    EXPECT_EQ(column(list, colTuote), (Texts{"1", "2", "3"}));
}

TEST(ReviewSorting, LukijaSortsItsOwnTextsMergedOnesByFirstDigit) {
    ReviewList list;
    for (const auto& [code, count] : {std::pair{"a", "12"}, std::pair{"b", "         5"},
                                      std::pair{"c", "5"}, std::pair{"d", "         9"}})
        list.rows.push_back(rowWith(code, colLukija, count));
    clickColumn(list, 15); // by the code, descending, so that "Lukija" comes ascending
    clickColumn(list, 4);
    EXPECT_EQ(column(list, colTuote), (Texts{"b", "d", "a", "c"}));
}

TEST(ReviewSorting, NameColumnsIgnoreCaseOthersCompareBytes) {
    ReviewList list;
    for (const std::string& name :
         {"öljy"_cp, "banaani"_cp, "Äyräs"_cp, "Appelsiini"_cp, "BANAANI"_cp, "ananas"_cp})
        list.rows.push_back(rowWith(name, colNimitys, name));
    clickColumn(list, 1);
    clickColumn(list, 2);
    // Equal keys ("banaani", "BANAANI") keep their order: the sort is stable.
    EXPECT_EQ(column(list, colNimitys),
              (Texts{"ananas", "Appelsiini", "banaani", "BANAANI", "Äyräs"_cp, "öljy"_cp}));
    clickColumn(list, 1); // the code, descending by plain bytes: small letters above capitals
    EXPECT_EQ(column(list, colTuote),
              (Texts{"öljy"_cp, "Äyräs"_cp, "banaani", "ananas", "BANAANI", "Appelsiini"}));
}

TEST(ReviewSorting, DescendingKeepsEqualKeysInOrderAndTellsWhereRowsWent) {
    ReviewList list;
    for (const char* code : {"1", "2", "3", "4"})
        list.rows.push_back(rowWith(code, colTuoteryhma, code[0] == '3' ? "B" : "A"));
    EXPECT_EQ(clickColumnReordering(list, 8), (std::vector<std::size_t>{2, 0, 1, 3}));
    EXPECT_EQ(column(list, colTuote), (Texts{"3", "1", "2", "4"}));
}

// Keys that agree for 8, 16 or more bytes, end inside or at the edge of such
// a piece, differ only in case or hold zero bytes: the sort orders them as a
// stable sort by compareForSort does, by a name column and by the code, in
// both directions.
TEST(ReviewSorting, LongAndLookAlikeKeysSortAsTheirWholeTexts) {
    const std::string stems[] = {"", "ABCDEFGH", "abcdefgh", "ABCDEFGHIJKLMNOP",
                                 "abcdefghijklmnop"};
    const std::string tails[] = {
        "",     "a",    "A",        "b", std::string("\0", 1), std::string("a\0", 2),
        "\xE4", "\xC4", "zzzzzzzzz"};
    ReviewList sample;
    for (int copy = 0; copy < 2; ++copy)
        for (const std::string& tail : tails)
            for (const std::string& stem : stems) {
                // The group tells the rows with equal keys apart.
                ReviewRow row = rowWith(stem + tail, colNimitys, stem + tail);
                row[colTuoteryhma] = std::to_string(sample.rows.size());
                sample.rows.push_back(row);
            }
    for (const int position : {1, 2}) {
        const auto key = static_cast<std::size_t>(sortColumnForClick(position));
        for (const bool descending : {false, true}) {
            ReviewList list = sample;
            list.descending = !descending; // the click flips it
            std::vector<ReviewRow> expected = sample.rows;
            std::stable_sort(expected.begin(), expected.end(), [&](const auto& a, const auto& b) {
                const int order = compareForSort(a[key], b[key], static_cast<int>(key));
                return descending ? order > 0 : order < 0;
            });
            clickColumn(list, position);
            EXPECT_EQ(list.rows, expected)
                << "position " << position << " descending " << descending;
        }
    }
}

TEST(ReviewRemoval, RemovesEveryGivenRowAndKeepsTheOthersInOrder) {
    ReviewList list;
    for (const char* code : {"a", "b", "c", "d", "e", "f"})
        list.rows.push_back(rowWith(code));
    removeRows(list, {4, 0, 2, 4, 99});
    EXPECT_EQ(column(list, colTuote), (Texts{"b", "d", "f"}));
}

// Codes in load order; names and differences repeat, so that earlier sorts
// decide among equal keys. "c" comes twice, as the zero-row file allows.
ReviewList undoList() {
    ReviewList list;
    for (const auto& [code, name, key] :
         {std::tuple{"a", "Omena", "5"}, std::tuple{"b", "banaani", "3"},
          std::tuple{"c", "Appelsiini", "5"}, std::tuple{"c", "Appelsiini", "1"},
          std::tuple{"d", "BANAANI", "3"}, std::tuple{"e", "omena", "1"},
          std::tuple{"f", "Kiivi", "5"}}) {
        list.rows.push_back(rowWith(code, colNimitys, name));
        list.rows.back()[colSortErotus] = key;
    }
    return list;
}

Texts codesAndKeys(const ReviewList& list) {
    Texts texts;
    for (const ReviewRow& row : list.rows)
        texts.push_back(row[colTuote] + row[colSortErotus]);
    return texts;
}

TEST(ReviewUndo, TakesBackEachPoistaNewestFirstUntilTheListIsAsLoaded) {
    ReviewList list = undoList();
    const Texts loaded = codesAndKeys(list);
    RemovalHistory history;
    history.removeRows(list, {5, 2, 99, 2}); // the first "c" and "e"
    history.removeRows(list, {0});
    history.removeRows(list, {42}); // removes nothing: no step to take back
    EXPECT_EQ(codesAndKeys(list), (Texts{"b3", "c1", "d3", "f5"}));

    EXPECT_EQ(history.undo(list), (std::vector<std::size_t>{0}));
    EXPECT_EQ(history.undo(list), (std::vector<std::size_t>{2, 5}));
    EXPECT_EQ(codesAndKeys(list), loaded);
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.undo(list).empty());
    EXPECT_EQ(codesAndKeys(list), loaded);
}

TEST(ReviewUndo, RowsComeBackWhereTheSortsSinceWouldHavePutThem) {
    ReviewList list = undoList();
    ReviewList twin = list; // takes the same clicks and never loses a row
    RemovalHistory history;
    auto clickBoth = [&](int position) {
        clickColumn(list, position);
        clickColumn(twin, position);
    };
    clickBoth(2); // "Nimitys", descending
    history.removeRows(list, {1, 4});
    clickBoth(5); // "Erotus", ascending: equal differences keep the name order
    history.removeRows(list, {0, 2});
    clickBoth(13); // "Toimittaja", all blank: the order so far decides
    clickBoth(8);  // "Tuoteryhmä", all blank, ascending again

    history.undo(list);
    EXPECT_EQ(list.rows.size(), 5u);
    history.undo(list);
    EXPECT_EQ(codesAndKeys(list), codesAndKeys(twin));
    EXPECT_EQ(list.sortColumn, colTuoteryhma);
    EXPECT_FALSE(list.descending);
}

TEST(ReviewLayout, ResizingAnchorsButtonsToTheBottomRightAndKeepsTooSmallSizes) {
    const ReviewLayout layout = resizedLayout(designLayout(), 10000, 6000);
    EXPECT_EQ(layout.list, (TwipsRect{60, 165, 9775, 4930}));
    EXPECT_EQ(layout.bar, (TwipsRect{90, 5210, 9620, 165}));
    EXPECT_EQ(layout.sulje, (TwipsRect{8510, 5210, 1300, 330}));
    EXPECT_EQ(layout.hyvaksy.left, 7110);
    EXPECT_EQ(layout.tulostaLaaja.left, 5710);
    EXPECT_EQ(layout.tulosta.left, 4310);
    EXPECT_EQ(layout.poista, (TwipsRect{2910, 5210, 1300, 330}));
    EXPECT_EQ(layout.totals, (TwipsRect{120, 5240, 5475, 345}));

    const ReviewLayout tiny = resizedLayout(layout, 225, 1070);
    EXPECT_EQ(tiny.list, layout.list);
    EXPECT_EQ(tiny.bar, (TwipsRect{90, 280, 9620, 165}));
    EXPECT_EQ(tiny.poista, (TwipsRect{-6865, 280, 1300, 330}));
}

} // namespace
} // namespace orvik
