#include <gtest/gtest.h>

#include "support/files.h"
#include "support/tempdir.h"
#include "zeroinv/stockbytes.h"
#include "zeroinv/zerorows.h"

namespace orvik {
namespace {

using test::EventBytes;
using test::ProductBytes;

constexpr double kCutOff = 41000.0;
constexpr double kBefore = 40990.25;
constexpr double kAfter = 41010.5;

ProductBytes candidate(const std::string& code) {
    ProductBytes product;
    product.code = code;
    product.group = 3;
    product.lastCount = kBefore;
    return product;
}

// The codes of the rows, blanks trimmed, after checking each row's layout.
std::vector<std::string> rowCodes(const ZeroRowsResult& result) {
    std::vector<std::string> codes;
    for (std::size_t at = 0; at < result.rows.size(); at += 20) {
        const std::string row = result.rows.substr(at, 20);
        EXPECT_EQ(row.substr(13), "    0\r\n") << row;
        codes.push_back(row.substr(0, row.find(' ')));
    }
    EXPECT_EQ(codes.size(), result.rowCount);
    return codes;
}

class ZeroRows : public ::testing::Test {
protected:
    ZeroRowsResult collect(const std::vector<ProductBytes>& products,
                           const std::vector<EventBytes>& events = {},
                           const std::vector<std::int32_t>& groups = {3}) {
        test::writeStockFiles(dir.path(), products, events);
        return collectZeroRows(dir.dirValue(), groups, kCutOff);
    }
    test::TempDir dir;
};

TEST_F(ZeroRows, TheRowIsTheStoredCodeAndAZeroQuantity) {
    ProductBytes product = candidate("ABC");
    product.code = std::string("  AB\xC4", 5); // leading blanks and a code-page letter kept
    const ZeroRowsResult result = collect({product});
    ASSERT_FALSE(result.failure);
    EXPECT_EQ(result.rows, std::string("  AB\xC4        ", 13) + "    0\r\n");
}

TEST_F(ZeroRows, EachProductRuleAndItsBoundary) {
    auto with = [](const std::string& code, auto change) {
        ProductBytes product = candidate(code);
        change(product);
        return product;
    };
    const std::vector<ProductBytes> products = {
        candidate("PLAIN"),
        with("NOSTOCK", [](auto& p) { p.stockScaled = 0; }),
        with("TINYSTOCK", [](auto& p) { p.stockScaled = 1; }),
        with("NEGSTOCK", [](auto& p) { p.stockScaled = -20000; }),
        with("MARKERE", [](auto& p) { p.marker = 'E'; }),
        with("MARKERSMALLE", [](auto& p) { p.marker = 'e'; }),
        with("ONCUTOFF", [](auto& p) { p.lastCount = kCutOff; }),
        with("AFTERCUTOFF", [](auto& p) { p.lastCount = kCutOff + 1.0 / 86400; }),
        with("OTHERGROUP", [](auto& p) { p.group = 4; }),
        with(std::string("\x00ZERO", 5), [](auto&) {}),
        with("\x01ONE", [](auto&) {}),
        with("\x02TWO", [](auto&) {}),
        with("\x03THREE", [](auto&) {}),
        with("\xE4HIGH", [](auto&) {}), // above 127: compared unsigned
    };

    const ZeroRowsResult result = collect(products);

    ASSERT_FALSE(result.failure);
    EXPECT_EQ(rowCodes(result),
              (std::vector<std::string>{"PLAIN", "TINYSTOCK", "NEGSTOCK", "MARKERSMALLE",
                                        "ONCUTOFF", "\x03THREE", "\xE4HIGH"}));
}

TEST_F(ZeroRows, OnlyTheChosenGroupsGetRows) {
    auto inGroup = [](const std::string& code, std::int32_t group) {
        ProductBytes product = candidate(code);
        product.group = group;
        return product;
    };
    const auto products = {inGroup("G1", 1), inGroup("G2", 2), inGroup("G7", 7), inGroup("G2B", 2),
                           inGroup("G0", 0)};
    EXPECT_EQ(rowCodes(collect(products, {}, {7, 2})),
              (std::vector<std::string>{"G2", "G7", "G2B"}));
    EXPECT_TRUE(rowCodes(collect(products, {}, {})).empty());
}

// Each product's chain starts at `newest`; the event file is shared.
TEST_F(ZeroRows, TheEventChainRules) {
    auto chained = [](const std::string& code, std::int32_t newest) {
        ProductBytes product = candidate(code);
        product.newestEvent = newest;
        return product;
    };
    const std::vector<EventBytes> events = {
        /* 1*/ {'M', kAfter, 2},
        /* 2*/ {'h', kAfter, 3}, // a small h, not the oldest: clears
        /* 3*/ {'M', kAfter, 0},
        /* 4*/ {'H', kAfter, 0}, // a one-record chain: never looked at
        /* 5*/ {'M', kAfter, 6},
        /* 6*/ {'H', kAfter, 0},  // the oldest of its chain: never looked at
        /* 7*/ {'H', kCutOff, 8}, // on the cut-off: stops before its kind
        /* 8*/ {'H', kAfter, 3},
        /* 9*/ {'M', kAfter, 10},
        /*10*/ {'H', kBefore, 8}, // before the cut-off: stops
        /*11*/ {'H', kAfter, 3},  // newest after the cut-off with an older link: clears
        /*12*/ {'M', kAfter, 99}, // a link beyond the file ends the walk
        /*13*/ {'M', kAfter, 14},
        /*14*/ {'M', kAfter, 13}, // a cycle without H ends the walk
        /*15*/ {'M', kAfter, 16},
        /*16*/ {'H', kAfter, 15}, // a cycle through an H clears
        /*17*/ {'X', kAfter, -1}, // a negative link ends the chain
    };
    const std::vector<ProductBytes> products = {
        chained("SMALLH", 1),   chained("SINGLEH", 4),  chained("OLDESTH", 5),
        chained("ONCUTOFF", 7), chained("BEFORE", 9),   chained("NEWESTH", 11),
        chained("BEYOND", 12),  chained("PAST", 500),   chained("CYCLE", 13),
        chained("CYCLEH", 15),  chained("NEGLINK", 17), chained("NOEVENTS", 0),
        chained("MINUS", -4),
    };

    const ZeroRowsResult result = collect(products, events);

    ASSERT_FALSE(result.failure);
    EXPECT_EQ(rowCodes(result),
              (std::vector<std::string>{"SINGLEH", "OLDESTH", "ONCUTOFF", "BEFORE", "BEYOND",
                                        "PAST", "CYCLE", "NEGLINK", "NOEVENTS", "MINUS"}));
}

TEST_F(ZeroRows, TheSameEventsJudgeEachProductAfresh) {
    // Two products share a chain: the second must not find it "already walked".
    ProductBytes first = candidate("FIRST");
    first.newestEvent = 1;
    ProductBytes second = candidate("SECOND");
    second.newestEvent = 1;
    const std::vector<EventBytes> events = {{'M', kAfter, 2}, {'H', kAfter, 3}, {'M', kAfter, 0}};
    EXPECT_TRUE(rowCodes(collect({first, second}, events)).empty());
}

TEST_F(ZeroRows, LargeFilesGiveTheSameRowsAsSmallOnes) {
    // More products and events than one read takes, chains that jump between
    // far-apart parts of the event file, and a product file cut short.
    std::vector<ProductBytes> products;
    for (int i = 1; i <= 1300; ++i)
        products.push_back(candidate("P" + std::to_string(i)));
    std::vector<EventBytes> events(20000, EventBytes{'M', kAfter, 0});
    auto link = [&](std::int32_t from, char kind, std::int32_t older) {
        events[static_cast<std::size_t>(from - 1)] = {kind, kAfter, older};
    };
    link(1, 'M', 16449); // the first and the 258th block of 64 records
    link(16449, 'M', 65);
    link(65, 'H', 5); // cleared through the third record of the chain
    link(130, 'M', 19999);
    link(19999, 'M', 200);
    link(200, 'H', 0); // the oldest: keeps the row
    products[0].newestEvent = 1;
    products[1].newestEvent = 130;
    products[1299].newestEvent = 16449; // the product cut short below
    test::writeStockFiles(dir.path(), products, events);
    // 256 of the last record's 356 bytes remain: still a record, the rest zero.
    std::filesystem::resize_file(dir / "CASSA.002", 1300 * 356 - 100);

    const ZeroRowsResult result = collectZeroRows(dir.dirValue(), {3}, kCutOff);

    ASSERT_FALSE(result.failure);
    std::vector<std::string> expected;
    for (int i = 2; i <= 1299; ++i)
        expected.push_back("P" + std::to_string(i));
    EXPECT_EQ(rowCodes(result), expected);

    // Less than half a record left: the record is gone.
    std::filesystem::resize_file(dir / "CASSA.002", 1299 * 356 + 170);
    EXPECT_EQ(collectZeroRows(dir.dirValue(), {3}, kCutOff).rowCount, 1298u);
}

TEST_F(ZeroRows, AMissingStockFileIsReportedByItsPath) {
    test::writeStockFiles(dir.path(), {candidate("A")}, {});
    std::filesystem::remove(dir.path() / "CASSA.004");
    ZeroRowsResult result = collectZeroRows(dir.dirValue(), {3}, kCutOff);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->path, dir.dirValue() + "CASSA.004");
    EXPECT_TRUE(result.rows.empty());

    std::filesystem::remove(dir.path() / "CASSA.002");
    result = collectZeroRows(dir.dirValue(), {3}, kCutOff);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->path, dir.dirValue() + "CASSA.002");
}

} // namespace
} // namespace orvik
