#include "zeroinv/stockwriter.h"

#include "stockencode.h"
#include "support/files.h"

namespace orvik::test {

ProductRecord stockedProduct(const std::string& code, std::int32_t group, double lastCount,
                             std::int32_t newestEvent) {
    ProductRecord product;
    product.code = code;
    product.group = group;
    product.stock.scaled = 50000;
    product.lastCount = lastCount;
    product.newestEvent = newestEvent;
    return product;
}

template <typename Record, typename Encode>
std::string fileBytes(const std::vector<Record>& records, Encode encode) {
    std::string bytes;
    for (const Record& record : records)
        bytes += encode(record);
    return bytes;
}

void writeStockFiles(const std::filesystem::path& dir, const std::vector<ProductRecord>& products,
                     const std::vector<EventRecord>& events, const std::vector<NameRecord>& names) {
    writeFile(dir / kProductFileName, fileBytes(products, sampleshop::encodeProduct));
    writeFile(dir / kEventFileName, fileBytes(events, sampleshop::encodeEvent));
    writeFile(dir / kNameFileName, fileBytes(names, sampleshop::encodeName));
}

} // namespace orvik::test
