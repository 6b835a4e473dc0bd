#include "zeroinv/zerorows.h"

#include <cerrno>

#include "files/dirvalue.h"
#include "stock/stockfiles.h"
#include "zeroinv/eventchain.h"
#include "zeroinv/qualifying.h"

namespace orvik {

namespace {

// Products are read in blocks: one read per record would cost a system call
// each, the bulk of the time in a large shop.
constexpr std::int64_t kProductsPerRead = 512;

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

// Adds the product's zero row when it is due; false when the event file
// could not be read.
bool addRowIfDue(const ProductRecord& product, const ChosenGroups& chosen, EventChain& chain,
                 double cutOff, ZeroRowsResult& result) {
    if (!isZeroCandidate(product, chosen, cutOff))
        return true;
    const ChainVerdict verdict = chain.judge(product.newestEvent, cutOff);
    if (verdict == ChainVerdict::KeepsRow) {
        result.rows += zeroRow(product.code);
        ++result.rowCount;
    }
    return verdict != ChainVerdict::ReadFailed;
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
    std::string block;
    const std::int64_t count = stock.products.recordCount();
    for (std::int64_t first = 1; first <= count; first += kProductsPerRead) {
        if (!stock.products.readRange(first, kProductsPerRead, block))
            return failedWith(datat, kProductFileName);
        for (std::size_t at = 0; at < block.size(); at += kProductRecordLength) {
            const ProductRecord product =
                decodeProduct(std::string_view(block).substr(at, kProductRecordLength));
            if (!addRowIfDue(product, chosen, chain, cutOff, result))
                return failedWith(datat, kEventFileName);
        }
    }
    return result;
}

} // namespace orvik
