// Reading the cash-register system's record files: record counts, padding,
// field decoding.
#include <gtest/gtest.h>

#include <cstring>

#include "stock/stockfiles.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/daydate.h"

namespace orvik {
namespace {

using test::TempDir;

// Little-endian bytes of an integer, `width` bytes wide.
std::string little(std::uint64_t value, std::size_t width) {
    std::string bytes;
    for (std::size_t i = 0; i < width; ++i, value >>= 8)
        bytes += static_cast<char>(value & 0xFF);
    return bytes;
}

TEST(RecordCount, RoundsTheLengthToTheNearestRecordHalvesToEven) {
    EXPECT_EQ(recordCountFor(0, 18), 0);
    EXPECT_EQ(recordCountFor(36 + 8, 18), 2);  // less than half a record more
    EXPECT_EQ(recordCountFor(36 + 10, 18), 3); // more than half: one more record
    EXPECT_EQ(recordCountFor(9, 18), 0);       // half: to the even 0
    EXPECT_EQ(recordCountFor(27, 18), 2);      // one and a half: to the even 2
    EXPECT_EQ(recordCountFor(45, 18), 2);      // two and a half: to the even 2
}

TEST(RecordFile, ReadsByNumberAndPadsAShortLastRecord) {
    TempDir dir;
    test::writeFile(dir / "f", "AAAAbbbbCCC"); // two records of 4, then 3 bytes
    FileError error;
    RecordFile file = RecordFile::open(dir / "f", 4, error);
    ASSERT_TRUE(file.isOpen());
    EXPECT_EQ(file.recordCount(), 3);
    std::string record;
    ASSERT_TRUE(file.read(2, record));
    EXPECT_EQ(record, "bbbb");
    ASSERT_TRUE(file.read(3, record));
    EXPECT_EQ(record, std::string("CCC\0", 4));
    for (std::int64_t outside : {0, -1, 4})
        EXPECT_FALSE(file.read(outside, record)) << outside;
    std::string all;
    ASSERT_TRUE(file.readAll(all));
    EXPECT_EQ(all, std::string("AAAAbbbbCCC\0", 12));

    RecordFile moved = std::move(file); // the descriptor goes along, once
    EXPECT_FALSE(file.isOpen());
    ASSERT_TRUE(moved.read(1, record));
    EXPECT_EQ(record, "AAAA");
}

TEST(RecordFile, MissingFileOrDirectoryDoesNotOpen) {
    TempDir dir;
    FileError error;
    EXPECT_FALSE(RecordFile::open(dir / "none", 18, error).isOpen());
    EXPECT_TRUE(error.failed());
    std::filesystem::create_directory(dir / "CASSA.001");
    error = {};
    EXPECT_FALSE(RecordFile::open(dir / "CASSA.001", 18, error).isOpen());
    EXPECT_TRUE(error.failed());
}

TEST(Decoders, ProductFieldsAtTheirOffsets) {
    std::string record(kProductRecordLength, ' ');
    record.replace(0, 13, "1234567890123");
    record.replace(13, 25, "Ruisleip\xE4 500 g          ");
    record.replace(41, 4, little(7, 4));
    record.replace(45, 4, little(static_cast<std::uint32_t>(-3), 4));
    record.replace(53, 8, little(123456, 8));
    record.replace(63, 8, little(static_cast<std::uint64_t>(-25000), 8));
    record.replace(71, 8, little(0x0102030405060708ull, 8));
    record[79] = 'E';
    record.replace(80, 4, little(0x01020304, 4));
    record.replace(84, 8, little(0, 8)); // day 0
    record.replace(113, 4, little(42, 4));
    ProductRecord p = decodeProduct(record);
    EXPECT_EQ(p.code, "1234567890123");
    EXPECT_EQ(p.name, "Ruisleip\xE4 500 g          ");
    EXPECT_EQ(p.group, 7);
    EXPECT_EQ(p.productClass, -3);
    EXPECT_DOUBLE_EQ(p.salesPrice.value(), 12.3456);
    EXPECT_DOUBLE_EQ(p.stock.value(), -2.5);
    EXPECT_EQ(p.purchasePrice.scaled, 0x0102030405060708ll);
    EXPECT_EQ(p.marker, 'E');
    EXPECT_EQ(p.supplier, 0x01020304);
    EXPECT_EQ(fromDayNumber(p.lastCount).date, (CalendarDate{1899, 12, 30}));
    EXPECT_EQ(p.newestEvent, 42);
}

TEST(Decoders, EventAndNameFields) {
    std::string event(kEventRecordLength, '\0');
    event[0] = 'h';
    double day = 45000.25;
    std::uint64_t bits;
    std::memcpy(&bits, &day, sizeof bits);
    event.replace(10, 8, little(bits, 8));
    event.replace(84, 4, little(static_cast<std::uint32_t>(-1), 4));
    EventRecord e = decodeEvent(event);
    EXPECT_EQ(e.kind, 'h');
    EXPECT_EQ(e.date, 45000.25);
    EXPECT_EQ(e.olderEvent, -1);

    NameRecord n =
        decodeName(little(0xFFFFFFFF, 4) + "RMaitotuotteet            1" + std::string(12, '\0'));
    EXPECT_EQ(n.kind, 'R');
    EXPECT_EQ(n.name, "Maitotuotteet            ");
    EXPECT_EQ(n.flag, '1');
}

TEST(Decoders, AShortRecordReadsItsMissingFieldsAsZero) {
    ProductRecord p = decodeProduct("12345");
    EXPECT_EQ(p.code, std::string("12345") + std::string(8, '\0'));
    EXPECT_EQ(p.stock.scaled, 0);
    EXPECT_EQ(decodeIndex("").productRecord, 0);
}

} // namespace
} // namespace orvik
