#include "stockfixture.h"

#include <algorithm>
#include <stdexcept>

#include "review/haetuote.h"

namespace orvik::test {

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
