// The sample shop's files.
#include <string>

#include "sampleshop.h"
#include "stockencode.h"
#include "text/textlines.h"

namespace orvik::sampleshop {

namespace {

template <typename Record, typename Encode>
std::string recordBytes(const std::vector<Record>& records, std::size_t length, Encode encode) {
    std::string bytes;
    bytes.reserve(records.size() * length);
    for (const Record& record : records)
        bytes += encode(record);
    return bytes;
}

} // namespace

std::string productFileBytes(const Shop& shop) {
    return recordBytes(shop.products, kProductRecordLength, [](const ProductRecord& p) {
        return isRemoved(p) ? std::string(kProductRecordLength, '\0') : encodeProduct(p);
    });
}

std::string eventFileBytes(const Shop& shop) {
    return recordBytes(shop.events, kEventRecordLength, encodeEvent);
}

std::string nameFileBytes(const Shop& shop) {
    return recordBytes(shop.names, kNameRecordLength, encodeName);
}

std::string indexFileBytes(const Shop& shop) {
    return recordBytes(shop.index, kIndexRecordLength, encodeIndex);
}

std::string countFileBytes(const Shop& shop) {
    return joinLinesCrLf(shop.countLines);
}

FileError writeShop(const Shop& shop, const std::filesystem::path& stockDir,
                    const std::filesystem::path& countFile) {
    return replaceFiles({
        {stockDir / kIndexFileName, indexFileBytes(shop)},
        {stockDir / kProductFileName, productFileBytes(shop)},
        {stockDir / kEventFileName, eventFileBytes(shop)},
        {stockDir / kNameFileName, nameFileBytes(shop)},
        {countFile, countFileBytes(shop)},
    });
}

} // namespace orvik::sampleshop
