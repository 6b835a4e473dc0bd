// Reading the cash-register system's record files: record counts, padding,
// field decoding.
#include <gtest/gtest.h>

#include <cstring>

#include "common/codepage.h"
#include "common/daydate.h"
#include "common/fixedfield.h"
#include "review/stockfiles.h"
#include "stockencode.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::TempDir;
using test::writeFile;

// Little-endian bytes of an integer, `width` bytes wide.
std::string little(std::uint64_t value, std::size_t width) {
    std::string bytes;
    for (std::size_t i = 0; i < width; ++i, value >>= 8)
        bytes += static_cast<char>(value & 0xFF);
    return bytes;
}

TEST(RecordCount, RoundsTheLengthToTheNearestRecordHalvesToEven) {
    EXPECT_EQ(recordCountFor(0, 18), 0);
    EXPECT_EQ(recordCountFor(36, 18), 2);
    EXPECT_EQ(recordCountFor(36 + 8, 18), 2);  // less than half a record more
    EXPECT_EQ(recordCountFor(36 + 10, 18), 3); // more than half: one more record
    EXPECT_EQ(recordCountFor(9, 18), 0);       // half of one: to even 0
    EXPECT_EQ(recordCountFor(27, 18), 2);      // one and a half: to even 2
    EXPECT_EQ(recordCountFor(45, 18), 2);      // two and a half: to even 2
    EXPECT_EQ(recordCountFor(43 * 1000 + 22, 43), 1001);
    EXPECT_EQ(recordCountFor(43 * 1000 + 21, 43), 1000);
}

TEST(RecordFile, ReadsRecordsByNumberAndPadsAShortLastOne) {
    TempDir dir;
    writeFile(dir / "f", "AAAAbbbbCCC"); // two whole records of 4, then 3 bytes
    FileError error;
    RecordFile file = RecordFile::open(dir / "f", 4, error);
    ASSERT_TRUE(file.isOpen());
    EXPECT_FALSE(error.failed());
    EXPECT_EQ(file.recordCount(), 3);
    std::string record;
    ASSERT_TRUE(file.read(2, record));
    EXPECT_EQ(record, "bbbb");
    ASSERT_TRUE(file.read(3, record));
    EXPECT_EQ(record, std::string("CCC\0", 4));
    EXPECT_FALSE(file.read(0, record));
    EXPECT_FALSE(file.read(-1, record));
    EXPECT_FALSE(file.read(4, record));
    std::string all;
    ASSERT_TRUE(file.readAll(all));
    EXPECT_EQ(all, std::string("AAAAbbbbCCC\0", 12));
}

TEST(RecordFile, ARoundedUpRecordBeyondTheEndReadsAsZeroBytes) {
    TempDir dir;
    writeFile(dir / "f", std::string(18 + 10, 'x'));
    FileError error;
    RecordFile file = RecordFile::open(dir / "f", 18, error);
    ASSERT_EQ(file.recordCount(), 2);
    std::string record;
    ASSERT_TRUE(file.read(2, record));
    EXPECT_EQ(record, std::string(10, 'x') + std::string(8, '\0'));
}

TEST(RecordFile, MissingFileOrDirectoryDoesNotOpen) {
    TempDir dir;
    FileError error;
    EXPECT_FALSE(RecordFile::open(dir / "none", 18, error).isOpen());
    EXPECT_TRUE(error.failed());
    std::filesystem::create_directory(dir / "CASSA.001");
    error = {};
    RecordFile directory = RecordFile::open(dir / "CASSA.001", 18, error);
    EXPECT_FALSE(directory.isOpen());
    EXPECT_TRUE(error.failed());
    std::string record;
    EXPECT_FALSE(directory.read(1, record));
}

TEST(RecordFile, MovingHandsTheOpenFileOver) {
    TempDir dir;
    writeFile(dir / "f", "abcd");
    FileError error;
    RecordFile first = RecordFile::open(dir / "f", 2, error);
    RecordFile second = std::move(first);
    EXPECT_FALSE(first.isOpen());
    std::string record;
    ASSERT_TRUE(second.read(2, record));
    EXPECT_EQ(record, "cd");
    first = std::move(second);
    ASSERT_TRUE(first.read(1, record));
    EXPECT_EQ(record, "ab");
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
    EXPECT_EQ(p.stock.scaled, -25000);
    EXPECT_DOUBLE_EQ(p.stock.value(), -2.5);
    EXPECT_EQ(p.purchasePrice.scaled, 0x0102030405060708ll);
    EXPECT_EQ(p.marker, 'E');
    EXPECT_EQ(p.supplier, 0x01020304);
    EXPECT_EQ(fromDayNumber(p.lastCount).date, (CalendarDate{1899, 12, 30}));
    EXPECT_EQ(p.newestEvent, 42);
}

TEST(Decoders, EventNameAndIndexFields) {
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

    std::string name =
        little(0xFFFFFFFF, 4) + "R" + "Maitotuotteet            " + "1" + std::string(12, '\0');
    ASSERT_EQ(name.size(), kNameRecordLength);
    NameRecord n = decodeName(name);
    EXPECT_EQ(n.kind, 'R');
    EXPECT_EQ(n.name, "Maitotuotteet            ");
    EXPECT_EQ(n.flag, '1');

    IndexRecord i = decodeIndex("123          " + little(99, 4) + " ");
    EXPECT_EQ(i.code, "123          ");
    EXPECT_EQ(i.productRecord, 99);
}

TEST(Decoders, AShortRecordReadsItsMissingFieldsAsZero) {
    ProductRecord p = decodeProduct("12345");
    EXPECT_EQ(p.code, std::string("12345") + std::string(8, '\0'));
    EXPECT_EQ(p.stock.scaled, 0);
    EXPECT_EQ(p.supplier, 0);
    EXPECT_EQ(decodeIndex("").productRecord, 0);
}

TEST(Encoders, WriteWhatTheDecodersRead) {
    ProductRecord p;
    p.code = "6410000000017";
    p.name = leftField("Täysmaito 1 l"_cp, 25);
    p.group = 3;
    p.productClass = 4;
    p.salesPrice.scaled = 12900;
    p.stock.scaled = -125000;
    p.purchasePrice.scaled = 9876;
    p.marker = 'e';
    p.supplier = 12;
    p.lastCount = 45321.5;
    p.newestEvent = 77;
    std::string bytes = sampleshop::encodeProduct(p);
    ASSERT_EQ(bytes.size(), kProductRecordLength);
    ProductRecord back = decodeProduct(bytes);
    EXPECT_EQ(back.code, p.code);
    EXPECT_EQ(back.name, p.name);
    EXPECT_EQ(back.group, 3);
    EXPECT_EQ(back.productClass, 4);
    EXPECT_EQ(back.salesPrice.scaled, 12900);
    EXPECT_EQ(back.stock.scaled, -125000);
    EXPECT_EQ(back.purchasePrice.scaled, 9876);
    EXPECT_EQ(back.marker, 'e');
    EXPECT_EQ(back.supplier, 12);
    EXPECT_EQ(back.lastCount, 45321.5);
    EXPECT_EQ(back.newestEvent, 77);

    EventRecord e{'H', 44000.0, -1};
    EventRecord eBack = decodeEvent(sampleshop::encodeEvent(e));
    EXPECT_EQ(eBack.kind, 'H');
    EXPECT_EQ(eBack.date, 44000.0);
    EXPECT_EQ(eBack.olderEvent, -1);
}

} // namespace
} // namespace orvik
