#pragma once
// Stock-file records written byte by byte in the cash-register layout, so
// the tests exercise the real field offsets.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvik::test {

struct ProductBytes {
    std::string code = "1000"; // padded to 13 with blanks
    std::int32_t group = 1;
    std::int64_t stockScaled = 50000; // 5 pieces
    char marker = ' ';
    double lastCount = 0;
    std::int32_t newestEvent = 0;
};

struct EventBytes {
    char kind = 'M';
    double date = 0;
    std::int32_t olderEvent = 0;
};

struct NameBytes {
    char kind = 'R';
    std::string name; // padded to 25 with blanks
    char flag = ' ';
};

std::string productRecord(const ProductBytes& product);
std::string eventRecord(const EventBytes& event);
std::string nameRecord(const NameBytes& name);

// Writes CASSA.002, CASSA.004 and CASSA.005 into `dir` (an empty vector
// writes an empty file).
void writeStockFiles(const std::filesystem::path& dir, const std::vector<ProductBytes>& products,
                     const std::vector<EventBytes>& events,
                     const std::vector<NameBytes>& names = {});

} // namespace orvik::test
