#include <gtest/gtest.h>

#include <climits>
#include <fstream>

#include "stockencode.h"
#include "support/stockwriter.h"
#include "support/systemsays.h"
#include "support/tempdir.h"
#include "zeroinv/zerorows.h"

namespace orvik {
namespace {

using test::stockedProduct;

constexpr double kCutOff = 41000.0;
constexpr double kAfter = 41010.5;

// The code fields of the rows without their trailing blanks, each row's
// quantity checked.
std::vector<std::string> rowCodes(const ZeroRowsResult& result) {
    EXPECT_FALSE(result.failure);
    std::vector<std::string> codes;
    for (std::size_t at = 0; at < result.rows.size(); at += 20) {
        EXPECT_EQ(result.rows.substr(at + 13, 7), "    0\r\n");
        std::string code = result.rows.substr(at, 13);
        codes.push_back(code.erase(code.find_last_not_of(' ') + 1));
    }
    EXPECT_EQ(codes.size(), result.rowCount);
    return codes;
}

class ZeroRows : public ::testing::Test {
protected:
    std::vector<std::string> rowsFor(const std::vector<ProductRecord>& products,
                                     const std::vector<EventRecord>& events = {},
                                     const std::vector<std::int32_t>& groups = {3}) {
        test::writeStockFiles(dir.path(), products, events);
        return rowCodes(collectZeroRows(dir.dirValue(), groups, kCutOff));
    }
    test::TempDir dir;
};

TEST_F(ZeroRows, EachProductRuleAndItsBoundary) {
    auto with = [](const std::string& code, auto change) {
        ProductRecord product = stockedProduct(code, 3);
        change(product);
        return product;
    };
    const std::vector<ProductRecord> products = {
        stockedProduct("PLAIN", 3),
        stockedProduct("  LEADING", 7), // the code as stored
        with("NOSTOCK", [](auto& p) { p.stock.scaled = 0; }),
        with("TINYSTOCK", [](auto& p) { p.stock.scaled = 1; }),
        with("NEGSTOCK", [](auto& p) { p.stock.scaled = -20000; }),
        with("MARKERE", [](auto& p) { p.marker = 'E'; }),
        with("MARKERSMALLE", [](auto& p) { p.marker = 'e'; }),
        with("ONCUTOFF", [](auto& p) { p.lastCount = kCutOff; }),
        with("AFTERCUTOFF", [](auto& p) { p.lastCount = kCutOff + 1.0 / 86400; }),
        with("OTHERGROUP", [](auto& p) { p.group = 4; }),
        stockedProduct(std::string("\x00ZERO", 5), 3),
        stockedProduct("\x01ONE", 3),
        stockedProduct("\x02TWO", 3),
        stockedProduct("\x03THREE", 3),
        stockedProduct("\xE4HIGH", 3), // above 127: compared unsigned
    };
    EXPECT_EQ(rowsFor(products, {}, {7, 3}),
              (std::vector<std::string>{"PLAIN", "  LEADING", "TINYSTOCK", "NEGSTOCK",
                                        "MARKERSMALLE", "ONCUTOFF", "\x03THREE", "\xE4HIGH"}));
}

TEST_F(ZeroRows, TheEventChainRules) {
    const std::vector<EventRecord> events = {
        /* 1*/ {'M', kAfter, 2},
        /* 2*/ {'h', kAfter, 3}, // a small h, not the oldest: clears
        /* 3*/ {'M', kAfter, 0},
        /* 4*/ {'H', kAfter, 0}, // a one-record chain: never looked at
        /* 5*/ {'M', kAfter, 6},
        /* 6*/ {'H', kAfter, 0},  // the oldest of its chain: never looked at
        /* 7*/ {'H', kCutOff, 8}, // on the cut-off: stops before its kind
        /* 8*/ {'H', kAfter, 3},  // newest after the cut-off with an older link: clears
        /* 9*/ {'M', kAfter, 99}, // a link beyond the file ends the walk
        /*10*/ {'M', kAfter, 11},
        /*11*/ {'M', kAfter, 10}, // a cycle ends the walk
        /*12*/ {'X', kAfter, -1}, // a negative link ends the chain
    };
    const std::vector<ProductRecord> products = {
        stockedProduct("SMALLH", 3, 0, 1), stockedProduct("SINGLEH", 3, 0, 4),
        stockedProduct("OLDESTH", 3, 0, 5), stockedProduct("ONCUTOFF", 3, 0, 7),
        stockedProduct("NEWESTH", 3, 0, 8), stockedProduct("BEYOND", 3, 0, 9),
        stockedProduct("PAST", 3, 0, 500), stockedProduct("CYCLE", 3, 0, 10),
        stockedProduct("NEGLINK", 3, 0, 12), stockedProduct("MINUS", 3, 0, -4),
        // The same chain again: the walk above must not count as walked here.
        stockedProduct("SMALLHAGAIN", 3, 0, 1)};
    EXPECT_EQ(rowsFor(products, events),
              (std::vector<std::string>{"SINGLEH", "OLDESTH", "ONCUTOFF", "BEYOND", "PAST", "CYCLE",
                                        "NEGLINK", "MINUS"}));
}

TEST_F(ZeroRows, AHugeSparseEventFileCostsOnlyTheRecordsWalked) {
    // Four tebibytes, nearly all holes: a walk that kept a byte per record of
    // the file would ask for more memory than the machine has.
    constexpr std::int32_t kFar = 2000000000;
    test::writeStockFiles(dir.path(),
                          {stockedProduct("FAR", 3, 0, kFar), stockedProduct("LAST", 3, 0, INT_MAX),
                           stockedProduct("HOLE", 3, 0, 1500000000)},
                          {});
    const std::filesystem::path eventFile = dir / kEventFileName;
    {
        std::fstream events(eventFile, std::ios::in | std::ios::out | std::ios::binary);
        auto put = [&](std::int64_t number, const EventRecord& event) {
            events.seekp((number - 1) * static_cast<std::int64_t>(kEventRecordLength));
            events << sampleshop::encodeEvent(event);
        };
        put(kFar, {'M', kAfter, kFar - 1});
        put(kFar - 1, {'H', kAfter, 1}); // clears FAR
        put(INT_MAX, {'H', kAfter, 0});  // the oldest of its chain: keeps LAST
        ASSERT_TRUE(events.good());
    }
    test::resizeSparse(eventFile, std::uintmax_t{4} << 40);
    EXPECT_EQ(rowCodes(collectZeroRows(dir.dirValue(), {3}, kCutOff)),
              (std::vector<std::string>{"LAST", "HOLE"}));
}

TEST_F(ZeroRows, LargeFilesGiveTheSameRowsAsSmallOnes) {
    // More products and events than one read takes, chains that jump between
    // far-apart parts of the event file, and a product file cut short.
    std::vector<ProductRecord> products;
    for (int i = 1; i <= 1300; ++i)
        products.push_back(stockedProduct("P" + std::to_string(i), 3));
    std::vector<EventRecord> events(20000, EventRecord{'M', kAfter, 0});
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

    std::vector<std::string> expected;
    for (int i = 2; i <= 1299; ++i)
        expected.push_back("P" + std::to_string(i));
    EXPECT_EQ(rowCodes(collectZeroRows(dir.dirValue(), {3}, kCutOff)), expected);

    // Less than half a record left: the record is gone.
    std::filesystem::resize_file(dir / "CASSA.002", 1299 * 356 + 170);
    EXPECT_EQ(collectZeroRows(dir.dirValue(), {3}, kCutOff).rowCount, 1298u);
}

} // namespace
} // namespace orvik
