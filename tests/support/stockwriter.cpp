#include "support/stockwriter.h"

#include <algorithm>
#include <stdexcept>

#include "stock/haetuote.h"
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

NameRecord name(const std::string& text, char kind) {
    return {kind, text, ' '};
}

void writeStock(const TempDir& dir, sampleshop::Shop shop) {
    shop.index.clear();
    for (std::size_t i = 0; i < shop.products.size(); ++i)
        if (!sampleshop::isRemoved(shop.products[i]))
            shop.index.push_back({shop.products[i].code, static_cast<std::int32_t>(i + 1)});
    std::sort(shop.index.begin(), shop.index.end(), [](const IndexRecord& a, const IndexRecord& b) {
        return productIndexKey(a.code) < productIndexKey(b.code);
    });
    if (sampleshop::writeShop(shop, dir.path(), dir / "shop-count.dat").failed())
        throw std::runtime_error("cannot write the stock files");
}

} // namespace orvik::test
