#pragma once
// A sample shop: the cash-register system's four stock files and a reader
// count file for a realistic small shop, the same for the same seed.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "files/safewrite.h"
#include "stock/stockfiles.h"

namespace orvik::sampleshop {

struct ShopSize {
    std::size_t products = 2000;    // live products in the product file
    std::size_t countLines = 1000;  // lines in the count file
    std::size_t countedCodes = 400; // distinct codes among them (at most countLines)
    std::uint64_t seed = 1;
};

// The shop as data; record n of a file is element n - 1.
struct Shop {
    std::vector<NameRecord> names;       // groups, classes, suppliers
    std::vector<ProductRecord> products; // a few removed records of zero bytes among them
    std::vector<EventRecord> events;     // chains, newest record last in each chain
    std::vector<IndexRecord> index;      // sorted by code; some products left out
    std::vector<std::string> countLines; // count-line layout, without line ends
};

// True for a removed product record (its code begins with a zero byte).
bool isRemoved(const ProductRecord& product);

Shop makeShop(const ShopSize& size);

// The files' bytes.
std::string productFileBytes(const Shop& shop);
std::string eventFileBytes(const Shop& shop);
std::string nameFileBytes(const Shop& shop);
std::string indexFileBytes(const Shop& shop);
std::string countFileBytes(const Shop& shop); // lines with CR LF

// Writes CASSA.001, .002, .004 and .005 into `stockDir` and the count lines
// to `countFile`.
FileError writeShop(const Shop& shop, const std::filesystem::path& stockDir,
                    const std::filesystem::path& countFile);

} // namespace orvik::sampleshop
