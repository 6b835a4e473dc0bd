// The sample shop, and the review list built over it checked against values
// worked out here in whole numbers from the shop's own data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "review/reviewbuilder.h"
#include "review/stockpass.h"
#include "sampleshop.h"
#include "stock/haetuote.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/fixedfield.h"

namespace orvik {
namespace {

using sampleshop::Shop;
using test::TempDir;

TEST(SampleShop, SameSeedSameFilesOtherSeedOtherFiles) {
    const Shop a = sampleshop::makeShop({300, 200, 80, 11});
    const Shop b = sampleshop::makeShop({300, 200, 80, 11});
    const Shop c = sampleshop::makeShop({300, 200, 80, 12});
    EXPECT_EQ(productFileBytes(a), productFileBytes(b));
    EXPECT_EQ(eventFileBytes(a), eventFileBytes(b));
    EXPECT_EQ(countFileBytes(a), countFileBytes(b));
    EXPECT_NE(productFileBytes(a), productFileBytes(c));
    EXPECT_NE(countFileBytes(a), countFileBytes(c));
}

TEST(SampleShop, HoldsTheOddCasesAndTheAskedCount) {
    const Shop shop = sampleshop::makeShop({3000, 300, 120, 4});
    std::map<std::string, std::size_t> seen;
    for (const ProductRecord& p : shop.products) {
        if (sampleshop::isRemoved(p)) {
            ++seen["removed"];
            continue;
        }
        seen["negative"] += p.stock.scaled < 0;
        seen["decimal"] += p.stock.scaled % 10000 != 0;
        seen["E"] += p.marker == 'E';
        seen["e"] += p.marker == 'e';
        seen["no supplier"] += p.supplier == 0;
        seen["non-ASCII name"] +=
            std::any_of(p.name.begin(), p.name.end(), [](char c) { return c & 0x80; });
        std::size_t chain = 0;
        for (std::int32_t k = p.newestEvent; k > 0; k = shop.events[std::size_t(k - 1)].olderEvent)
            ASSERT_LE(++chain, 20u);
        seen["chain of 5+"] += chain >= 5;
    }
    for (const EventRecord& e : shop.events)
        seen[std::string("kind ") + e.kind] += e.kind == 'H' || e.kind == 'h';
    for (const NameRecord& n : shop.names) {
        seen[std::string("name ") + n.kind] += 1;
        seen["digit flag"] += n.kind == 'R' && n.flag >= '1' && n.flag <= '9';
    }
    for (const char* kind :
         {"removed", "negative", "decimal", "E", "e", "no supplier", "non-ASCII name",
          "chain of 5+", "kind H", "kind h", "name L", "name T"})
        EXPECT_GT(seen[kind], 0u) << kind;
    EXPECT_GE(seen["name R"], 24u);
    EXPECT_EQ(seen["name r"], 1u);
    EXPECT_EQ(seen["digit flag"], 1u);

    ASSERT_EQ(shop.countLines.size(), 300u);
    std::set<std::string> codes;
    for (const std::string& line : shop.countLines)
        codes.insert(line.substr(0, 13));
    EXPECT_EQ(codes.size(), 120u);
    EXPECT_EQ(countFileBytes(shop).substr(18, 2), "\r\n");
}

// ---- The review list over a generated shop ----

// A decimal text of a value in ten-thousandths: no trailing zeros, `point`
// as the separator.
std::string scaledText(std::int64_t scaled, char point) {
    std::string text = scaled < 0 ? "-" : "";
    const std::int64_t magnitude = std::llabs(scaled);
    text += std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty())
        text += point + fraction;
    return text;
}

// Divides by `unit`, rounding halves away from zero.
std::int64_t roundTo(std::int64_t value, std::int64_t unit) {
    return (std::llabs(value) + unit / 2) / unit * (value < 0 ? -1 : 1);
}

std::string cents(std::int64_t centValue, char point) {
    std::string text = centValue < 0 ? "-" : "";
    std::int64_t magnitude = std::llabs(centValue);
    return text + std::to_string(magnitude / 100) + point +
           std::to_string(100 + magnitude % 100).substr(1);
}

// The count lines of the shop as scaled sums per trimmed code, and how many
// lines each code had.
struct CountedSum {
    std::int64_t scaled = 0;
    int lines = 0;
};

std::map<std::string, CountedSum> countedSums(const Shop& shop) {
    std::map<std::string, CountedSum> sums;
    for (const std::string& line : shop.countLines) {
        std::string quantity(trimBlanks(line.substr(13)));
        std::replace(quantity.begin(), quantity.end(), ',', '.');
        CountedSum& sum = sums[std::string(trimBlanks(line.substr(0, 13)))];
        sum.scaled += std::llround(std::stod(quantity) * 10000);
        ++sum.lines;
    }
    return sums;
}

TEST(ReviewOfSampleShop, EveryRowMatchesTheShopsData) {
    TempDir dir;
    const Shop shop = sampleshop::makeShop({600, 500, 150, 21});
    ASSERT_FALSE(sampleshop::writeShop(shop, dir.path(), dir / "orvik.dat").failed());
    ReviewList list;
    ASSERT_FALSE(readCountedRows(ReviewSource::WorkFile, dir.dirValue(), list).error.failed());
    ASSERT_TRUE(fillStock(list, dir.dirValue(), nullptr).unreadableFiles.empty());

    const auto sums = countedSums(shop);
    ASSERT_EQ(list.rows.size(), sums.size());
    std::map<std::string, std::int32_t> indexed;
    for (const IndexRecord& entry : shop.index)
        indexed[std::string(trimBlanks(entry.code))] = entry.productRecord;
    auto nameOf = [&](std::int32_t n) {
        return n >= 1 && n <= std::int32_t(shop.names.size()) ? shop.names[std::size_t(n - 1)].name
                                                              : std::string(25, ' ');
    };

    std::size_t withStock = 0, merged = 0;
    auto sum = sums.begin();
    for (const ReviewRow& row : list.rows) {
        SCOPED_TRACE(row[colTuote]);
        ASSERT_EQ(row[colTuote], sum->first); // ascending byte order, as the map keeps it
        const std::string countText = scaledText(sum->second.scaled, ',');
        EXPECT_EQ(row[colLukija], sum->second.lines == 1 ? rightField(countText, 10) : countText);
        merged += sum->second.lines > 1;
        auto entry = indexed.find(row[colTuote]);
        if (entry == indexed.end()) {
            EXPECT_EQ(row[colVarasto], std::string(10, ' '));
            EXPECT_EQ(row[colNimitys], "");
        } else {
            ++withStock;
            const ProductRecord& p = shop.products[std::size_t(entry->second - 1)];
            const std::int64_t difference = sum->second.scaled - p.stock.scaled;
            EXPECT_EQ(row[colNimitys], std::string(trimBlanks(p.name)));
            EXPECT_EQ(row[colVarasto],
                      rightField(std::to_string(roundTo(p.stock.scaled, 10000)), 10));
            EXPECT_EQ(row[colErotus], rightField(scaledText(difference, '.'), 10));
            const std::int64_t purchaseCents = roundTo(p.purchasePrice.scaled, 100);
            EXPECT_EQ(row[colMyyntihinta],
                      rightField(cents(roundTo(p.salesPrice.scaled, 100), '.'), 10));
            EXPECT_EQ(row[colOstohinta], rightField(cents(purchaseCents, '.'), 10));
            // cents x ten-thousandths = millionths; rounded to cents.
            EXPECT_EQ(row[colEroOH],
                      rightField(cents(roundTo(purchaseCents * difference, 10000), ','), 11));
            EXPECT_EQ(row[colTuoteryhma], nameOf(p.group));
            EXPECT_EQ(row[colTuoteluokka], nameOf(p.productClass));
            EXPECT_EQ(row[colToimittaja],
                      p.supplier > 0 ? nameOf(p.supplier) : std::string(25, ' '));
        }
        ++sum;
    }
    EXPECT_GT(withStock, 100u);
    EXPECT_LT(withStock, list.rows.size()); // unknown and unindexed codes too
    EXPECT_GT(merged, 50u);
}

} // namespace
} // namespace orvik
