#include "zeroinv/zerorows.h"

#include <cerrno>

#include "common/dirvalue.h"
#include "review/stockfiles.h"
#include "zeroinv/eventchain.h"
#include "zeroinv/qualifying.h"

namespace orvik {

namespace {

struct OpenedStock {
    RecordFile products;
    RecordFile events;
    std::optional<StockFileFailure> failure;
};

OpenedStock openStock(std::string_view datat) {
    OpenedStock stock;
    const std::string productPath = inDir(datat, kProductFileName);
    const std::string eventPath = inDir(datat, kEventFileName);
    FileError error;
    stock.products = RecordFile::open(fsPath(productPath), kProductRecordLength, error);
    if (!stock.products.isOpen()) {
        stock.failure = StockFileFailure{productPath, error};
        return stock;
    }
    stock.events = RecordFile::open(fsPath(eventPath), kEventRecordLength, error);
    if (!stock.events.isOpen())
        stock.failure = StockFileFailure{eventPath, error};
    return stock;
}

ZeroRowsResult failedWith(std::string_view datat, const char* fileName) {
    ZeroRowsResult result;
    result.failure = StockFileFailure{inDir(datat, fileName), FileError::fromErrno(EIO)};
    return result;
}

} // namespace

std::string zeroRow(std::string_view storedCode) {
    std::string row(storedCode);
    row += "    0\r\n";
    return row;
}

ZeroRowsResult collectZeroRows(std::string_view datat, const std::vector<std::int32_t>& groups,
                               double cutOff) {
    OpenedStock stock = openStock(datat);
    if (stock.failure)
        return {{}, 0, stock.failure};

    const ChosenGroups chosen(groups);
    EventChain chain(stock.events);
    ZeroRowsResult result;
    std::string record;
    for (std::int64_t n = 1; n <= stock.products.recordCount(); ++n) {
        if (!stock.products.read(n, record))
            return failedWith(datat, kProductFileName);
        const ProductRecord product = decodeProduct(record);
        if (!isZeroCandidate(product, chosen, cutOff))
            continue;
        const ChainVerdict verdict = chain.judge(product.newestEvent, cutOff);
        if (verdict == ChainVerdict::ReadFailed)
            return failedWith(datat, kEventFileName);
        if (verdict == ChainVerdict::KeepsRow) {
            result.rows += zeroRow(product.code);
            ++result.rowCount;
        }
    }
    return result;
}

} // namespace orvik
