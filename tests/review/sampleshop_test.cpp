// The sample shop, and the review list built over it checked against values
// worked out here in whole numbers from the shop's own data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "common/fixedfield.h"
#include "review/haetuote.h"
#include "review/reviewbuilder.h"
#include "sampleshop.h"
#include "support/files.h"
#include "support/tempdir.h"

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

TEST(SampleShop, IndexIsSortedAndPointsAtItsProducts) {
    const Shop shop = sampleshop::makeShop({2000, 10, 10, 3});
    ASSERT_GT(shop.index.size(), 1900u);
    EXPECT_LT(shop.index.size(), 2000u); // some products are left out
    for (std::size_t i = 1; i < shop.index.size(); ++i)
        ASSERT_LT(shop.index[i - 1].code, shop.index[i].code) << i;
    for (const IndexRecord& entry : shop.index) {
        ASSERT_GE(entry.productRecord, 1);
        EXPECT_EQ(shop.products[static_cast<std::size_t>(entry.productRecord - 1)].code,
                  entry.code);
    }
    EXPECT_EQ(indexFileBytes(shop).size(), shop.index.size() * kIndexRecordLength);
}

TEST(SampleShop, HoldsWhatTheReviewAndTheZeroInventoryMeet) {
    const Shop shop = sampleshop::makeShop({3000, 10, 10, 4});
    std::size_t removed = 0, negative = 0, decimal = 0, zero = 0, markedE = 0, markedSmallE = 0,
                noSupplier = 0, neverCounted = 0, longChains = 0, hKinds = 0, smallHKinds = 0;
    bool nonAscii = false;
    for (const ProductRecord& p : shop.products) {
        if (sampleshop::isRemoved(p)) {
            ++removed;
            continue;
        }
        negative += p.stock.scaled < 0;
        decimal += p.stock.scaled % 10000 != 0;
        zero += p.stock.scaled == 0;
        markedE += p.marker == 'E';
        markedSmallE += p.marker == 'e';
        noSupplier += p.supplier == 0;
        neverCounted += p.lastCount == 0;
        nonAscii = nonAscii || std::any_of(p.name.begin(), p.name.end(), [](char c) {
                       return static_cast<unsigned char>(c) > 127;
                   });
        std::size_t chain = 0;
        for (std::int32_t k = p.newestEvent; k > 0; k = shop.events[std::size_t(k - 1)].olderEvent)
            ASSERT_LE(++chain, 20u);
        longChains += chain >= 5;
    }
    for (const EventRecord& e : shop.events) {
        hKinds += e.kind == 'H';
        smallHKinds += e.kind == 'h';
    }
    for (std::size_t count : {removed, negative, decimal, zero, markedE, markedSmallE, noSupplier,
                              neverCounted, longChains, hKinds, smallHKinds})
        EXPECT_GT(count, 0u);
    EXPECT_TRUE(nonAscii);

    std::size_t groups = 0, smallR = 0, digitFlag = 0;
    for (const NameRecord& n : shop.names) {
        groups += n.kind == 'R';
        smallR += n.kind == 'r';
        digitFlag += n.kind == 'R' && n.flag >= '1' && n.flag <= '9';
    }
    EXPECT_GE(groups, 24u);
    EXPECT_EQ(smallR, 1u);
    EXPECT_EQ(digitFlag, 1u);
    EXPECT_LT(groups, shop.names.size()); // classes and suppliers too
}

TEST(SampleShop, CountFileHasTheAskedLinesAndDistinctCodes) {
    const Shop shop = sampleshop::makeShop({500, 300, 120, 9});
    ASSERT_EQ(shop.countLines.size(), 300u);
    std::set<std::string> codes;
    for (const std::string& line : shop.countLines) {
        ASSERT_EQ(line.size(), 18u);
        codes.insert(line.substr(0, 13));
    }
    EXPECT_EQ(codes.size(), 120u);
    const std::string bytes = countFileBytes(shop);
    EXPECT_EQ(bytes.size(), 300u * 20u);
    EXPECT_EQ(bytes.substr(18, 2), "\r\n");
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

// Rounds ten-thousandths to `places` decimals, halves away from zero.
std::int64_t roundScaled(std::int64_t scaled, int places) {
    std::int64_t unit = places == 0 ? 10000 : places == 2 ? 100 : 1;
    std::int64_t magnitude = (std::llabs(scaled) + unit / 2) / unit;
    return scaled < 0 ? -magnitude : magnitude;
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
    ASSERT_FALSE(readCountedRows(ReviewSource::WorkFile, dir.dirValue(), list).failed());
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
                      rightField(std::to_string(roundScaled(p.stock.scaled, 0)), 10));
            EXPECT_EQ(row[colErotus], rightField(scaledText(difference, '.'), 10));
            const std::int64_t purchaseCents = roundScaled(p.purchasePrice.scaled, 2);
            EXPECT_EQ(row[colMyyntihinta],
                      rightField(cents(roundScaled(p.salesPrice.scaled, 2), '.'), 10));
            EXPECT_EQ(row[colOstohinta], rightField(cents(purchaseCents, '.'), 10));
            // cents x ten-thousandths = millionths; rounded to cents.
            const std::int64_t valued = purchaseCents * difference;
            const std::int64_t valuedCents =
                (std::llabs(valued) + 5000) / 10000 * (valued < 0 ? -1 : 1);
            EXPECT_EQ(row[colEroOH], rightField(cents(valuedCents, ','), 11));
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
