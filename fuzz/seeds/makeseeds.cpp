// Writes the seed corpora of the fuzzers into fuzz/corpus/<harness>/ from a
// small sample shop: valid files first, so that mutations start from inputs
// that reach deep into the code. Run once by hand; the output is committed.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "sampleshop.h"
#include "support/fuzzsupport.h"
#include "text/daydate.h"

namespace {

using namespace orvik;
namespace fs = std::filesystem;

const std::string kMarker(fuzz::kPartMarker);

void writeSeed(const fs::path& corpus, const std::string& harness, const std::string& name,
               const std::string& bytes) {
    fs::create_directories(corpus / harness);
    std::ofstream(corpus / harness / name, std::ios::binary) << bytes;
}

std::string le32Bytes(std::int32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string doubleBytes(double value) {
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

std::string groupNumbers(const sampleshop::Shop& shop) {
    std::string bytes;
    int listed = 0;
    for (std::size_t i = 0; i < shop.names.size() && listed < 8; ++i)
        if (shop.names[i].kind == 'R') {
            bytes += le32Bytes(static_cast<std::int32_t>(i + 1));
            ++listed;
        }
    return bytes;
}

void writeShopSeeds(const fs::path& corpus, const sampleshop::Shop& shop, const std::string& tag) {
    const std::string index = sampleshop::indexFileBytes(shop);
    const std::string products = sampleshop::productFileBytes(shop);
    const std::string events = sampleshop::eventFileBytes(shop);
    const std::string names = sampleshop::nameFileBytes(shop);
    const std::string count = sampleshop::countFileBytes(shop);

    writeSeed(corpus, "stockfiles", tag + "-products", std::string("\x01\x03", 2) + products);
    writeSeed(corpus, "stockfiles", tag + "-index", std::string("\x02\x7f", 2) + index);
    writeSeed(corpus, "stockfiles", tag + "-events-cut",
              std::string("\x05\x02", 2) + events.substr(0, events.size() - 40));

    std::string codes;
    for (const auto& line : shop.countLines)
        codes += line.substr(0, 13) + "\n";
    writeSeed(corpus, "haetuote", tag + "-counted", codes + kMarker + index);

    writeSeed(corpus, "review", tag + "-shop",
              count + kMarker + index + kMarker + products + kMarker + names + kMarker +
                  std::string("\x03\x05\x0e\x02", 4));

    const double cutOff = toDayNumber(CalendarDate{2023, 6, 1});
    writeSeed(corpus, "zerorows", tag + "-shop",
              doubleBytes(cutOff) + groupNumbers(shop) + kMarker + products + kMarker + events);
}

void writeSmallSeeds(const fs::path& corpus) {
    const std::string lines = "1234567890123    2\r\n1234567890123    3\r\n42             2.5\r\n"
                              "  7             1\r\nabc           x\r\n\r\n9\n8     1";
    writeSeed(corpus, "review", "merged-and-unread", lines);
    writeSeed(corpus, "review", "empty-stock",
              lines + kMarker + kMarker + kMarker + kMarker + std::string("\x01\x01", 2));

    writeSeed(corpus, "haetuote", "no-index", "123\n");
    writeSeed(corpus, "haetuote", "one-record",
              "5\n" + kMarker + "5            " + le32Bytes(11) + " ");

    writeSeed(corpus, "haetuote", "rewritten-index",
              "7\n5\n" + kMarker + "5            " + le32Bytes(11) + " " + kMarker +
                  "5            " + le32Bytes(12) + " 7            " + le32Bytes(3) + " ");

    writeSeed(corpus, "zerorows", "no-event-file", doubleBytes(100.0) + le32Bytes(1) + kMarker);

    writeSeed(corpus, "import", "three-lines",
              std::string("\0\0", 2) + kMarker + "111          1\r\n222          2\r\n333   3" +
                  kMarker + "000          9\r\n" + kMarker + "01.01.2026 10:00:00\r\n");
    writeSeed(corpus, "import", "lone-lf-and-cr",
              std::string("\0\0", 2) + kMarker + "a\nb\rc\r\n\r\nlast" + kMarker);
    writeSeed(corpus, "import", "disk-full",
              std::string("\x01\x02", 2) + kMarker + "111          1\r\n222          2\r\n" +
                  kMarker + "old\r\n" + kMarker + "log\r\n");
    writeSeed(corpus, "import", "empty-source", std::string("\0\0", 2) + kMarker);

    const std::string header = doubleBytes(2.5) + le32Bytes(0) + std::string("\x10\x20\x0a", 3);
    writeSeed(corpus, "numbers", "plain", header + "  -12.5 tail");
    writeSeed(corpus, "numbers", "comma",
              doubleBytes(-99999999.995) + le32Bytes(-1) + std::string("\0\0\x05", 3) + " 2,5 ");
    writeSeed(corpus, "numbers", "code-page",
              doubleBytes(1.005) + le32Bytes(2958465) + std::string("\xff\xff\x0d", 3) +
                  "\x80\x81\x8a\x9a\xe4\xf6\xff\xdf abc");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: orvik_fuzz_seeds CORPUS_DIR\n", stderr);
        return 2;
    }
    const fs::path corpus = argv[1];
    writeShopSeeds(corpus, sampleshop::makeShop({8, 14, 6, 1}), "shop1");
    writeShopSeeds(corpus, sampleshop::makeShop({5, 6, 5, 7}), "shop7");
    writeSmallSeeds(corpus);
    return 0;
}
