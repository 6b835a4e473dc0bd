// The product look-up: the halving search of the product index, and the
// copy of the index the stock pass searches instead.
#include <gtest/gtest.h>

#include "sampleshop.h"
#include "stock/haetuote.h"
#include "stock/productindex.h"
#include "stockencode.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using test::TempDir;

// An index file of these entries, in the order given.
void writeIndex(const TempDir& dir, const std::vector<IndexRecord>& entries) {
    std::string bytes;
    for (const IndexRecord& entry : entries)
        bytes += sampleshop::encodeIndex(entry);
    test::writeFile(dir / kIndexFileName, bytes);
}

class Haetuote : public testing::Test {
protected:
    TempDir dir;
    std::string datat = dir.dirValue();
};

TEST_F(Haetuote, FindsCodesByAllThirteenBytesUnsigned) {
    // 'z' (0x7A) sorts before the code page's a-umlaut (0xE4).
    writeIndex(dir,
               {{"10", 5}, {"100", 6}, {"1234567890123", 7}, {"9", 8}, {"z", -4}, {"\xE4", 3}});
    EXPECT_EQ(haetuote(datat, "1234567890123"), 7);
    EXPECT_EQ(haetuote(datat, "12345678901234"), 7); // cut to 13
    EXPECT_EQ(haetuote(datat, "10"), 5);
    EXPECT_EQ(haetuote(datat, "100"), 6);
    EXPECT_EQ(haetuote(datat, "9"), 8);
    EXPECT_EQ(haetuote(datat, "\xE4"), 3);
    EXPECT_EQ(haetuote(datat, "z"), -4);  // the stored number as it is
    EXPECT_EQ(haetuote(datat, " 10"), 0); // a leading blank is part of the code
    EXPECT_EQ(haetuote(datat, "123456789012"), 0);
}

TEST_F(Haetuote, OneRecordEmptyAndMissingIndexes) {
    writeIndex(dir, {{"5", 11}});
    EXPECT_EQ(haetuote(datat, "5"), 11);
    EXPECT_EQ(haetuote(datat, "4"), 0);
    EXPECT_EQ(haetuote(datat, "6"), 0);
    writeIndex(dir, {});
    EXPECT_EQ(haetuote(datat, "5"), 0);
    std::filesystem::remove(dir / kIndexFileName);
    EXPECT_EQ(haetuote(datat, "5"), 0);
    ProductIndexSnapshot snapshot;
    EXPECT_FALSE(snapshot.load(datat));
    EXPECT_FALSE(snapshot.search("5").has_value());
    std::filesystem::create_directory(dir / kIndexFileName);
    EXPECT_EQ(haetuote(datat, "5"), 0);
}

TEST_F(Haetuote, UnsortedIndexEndsAndMayMiss) {
    // The middle is "1"; "9" and "3" sort after it, so the search looks right
    // of it and never sees "9" at the front; "3" at the end is passed by "7".
    writeIndex(dir, {{"9", 1}, {"5", 2}, {"1", 3}, {"7", 4}, {"3", 5}});
    EXPECT_EQ(haetuote(datat, "1"), 3);
    EXPECT_EQ(haetuote(datat, "7"), 4);
    EXPECT_EQ(haetuote(datat, "9"), 0);
    EXPECT_EQ(haetuote(datat, "3"), 0);
}

TEST_F(Haetuote, HostileBytesEndTheSearch) {
    // Scrambled bytes, runs of 0xFF and zero bytes, and a length that is no
    // multiple of the record: every search ends, and the first record the
    // search reads (the middle one) is found by its own code.
    std::string bytes;
    for (int i = 0; i < 18 * 101; ++i)
        bytes += static_cast<char>((i * 7919 + 13) % 256);
    bytes += std::string(18 * 3, '\xFF') + std::string(18 * 3, '\0') + "xyz";
    test::writeFile(dir / kIndexFileName, bytes);
    const std::int64_t count = recordCountFor(bytes.size(), kIndexRecordLength);
    ASSERT_EQ(count, 107);
    const std::size_t middle = static_cast<std::size_t>((1 + count) / 2 - 1) * 18;
    const IndexRecord probe = decodeIndex(std::string_view(bytes).substr(middle, 18));
    EXPECT_EQ(haetuote(datat, probe.code), probe.productRecord);

    ProductIndexSnapshot snapshot;
    ASSERT_TRUE(snapshot.load(datat));
    for (std::string code : {std::string(13, '\xFF'), std::string(13, '\0'), std::string("x"),
                             std::string("5"), probe.code})
        EXPECT_EQ(snapshot.search(code).value_or(0), haetuote(datat, code));
}

// The stock pass searches a copy of the index read once; it must find what
// haetuote finds, hit or miss, sorted index or not.
TEST(ProductIndexSnapshot, FindsWhatHaetuoteFinds) {
    TempDir dir;
    sampleshop::Shop shop = sampleshop::makeShop({400, 10, 10, 5});
    std::vector<IndexRecord> scrambled = shop.index;
    std::swap(scrambled[3], scrambled[200]); // a damaged order as well
    for (const auto& entries : {shop.index, scrambled}) {
        writeIndex(dir, entries);
        ProductIndexSnapshot snapshot;
        ASSERT_TRUE(snapshot.load(dir.dirValue()));
        std::vector<std::string> codes{"", "0", "9999999999999", "64"};
        for (const ProductRecord& p : shop.products)
            codes.push_back(p.code);
        int found = 0;
        for (const std::string& code : codes) {
            std::int32_t expected = haetuote(dir.dirValue(), code);
            EXPECT_EQ(snapshot.search(code).value_or(0), expected) << code;
            found += expected > 0;
        }
        EXPECT_GT(found, 300);
    }
}

} // namespace
} // namespace orvik
