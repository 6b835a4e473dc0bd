// The stock pass of the review list: every counted row looked up in the
// product index and filled from the product and name files.
#include <cstdint>

#include "common/dirvalue.h"
#include "review/haetuote.h"
#include "review/reviewbuilder.h"
#include "review/stockcells.h"
#include "review/stockfiles.h"

namespace orvik {

namespace {

const std::string kNoName(25, ' ');

struct OpenStockFiles {
    RecordFile products;
    RecordFile names;
};

RecordFile openOrReport(const std::string& datat, const char* fileName, std::size_t recordLength,
                        StockPassResult& result) {
    FileError error;
    RecordFile file = RecordFile::open(fsPath(inDir(datat, fileName)), recordLength, error);
    if (!file.isOpen())
        result.unreadableFiles.emplace_back(fileName);
    return file;
}

// The 25-character name of record n; a record that is not there names nothing.
std::string nameAt(const RecordFile& names, std::int32_t n, std::string& buffer) {
    if (n <= 0 || !names.read(n, buffer))
        return kNoName;
    return decodeName(buffer).name;
}

ProductNames namesOf(const ProductRecord& product, const RecordFile& names, std::string& buffer) {
    return {nameAt(names, product.group, buffer), nameAt(names, product.productClass, buffer),
            nameAt(names, product.supplier, buffer)};
}

// Reports the percentage of rows done whenever its whole number changes.
class ProgressSteps {
public:
    ProgressSteps(std::size_t total, const std::function<void(int)>& report)
        : total_(total), report_(report) {}
    void rowDone(std::size_t done) {
        int percent = static_cast<int>(done * 100 / total_);
        if (percent != last_ && report_)
            report_(percent);
        last_ = percent;
    }

private:
    std::size_t total_;
    const std::function<void(int)>& report_;
    int last_ = -1;
};

} // namespace

StockPassResult fillStock(ReviewList& list, const std::string& datat,
                          const std::function<void(int percent)>& progress) {
    StockPassResult result;
    // The index is opened per look-up; opening it here only tells whether it
    // can be read at all, so that a missing index is reported once.
    openOrReport(datat, kIndexFileName, kIndexRecordLength, result);
    OpenStockFiles files{openOrReport(datat, kProductFileName, kProductRecordLength, result),
                         openOrReport(datat, kNameFileName, kNameRecordLength, result)};
    if (!result.unreadableFiles.empty())
        return result; // the list stays without stock data

    ProgressSteps steps(list.rows.size(), progress);
    std::string record;
    std::string nameBuffer;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        steps.rowDone(i + 1);
        ReviewRow& row = list.rows[i];
        std::int32_t r = haetuote(datat, row[colTuote]);
        if (!files.products.read(r, record))
            continue; // not in the stock files: the row keeps its blanks
        ProductRecord product = decodeProduct(record);
        fillStockCells(row, product, namesOf(product, files.names, nameBuffer));
    }
    return result;
}

} // namespace orvik
