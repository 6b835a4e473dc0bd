// The stock pass of the review list: every counted row looked up in the
// product index and filled from the product and name files.
#include <cstdint>
#include <unordered_map>

#include "common/dirvalue.h"
#include "review/stockcells.h"
#include "review/stockpass.h"
#include "stock/haetuote.h"
#include "stock/productindex.h"
#include "stock/stockfiles.h"

namespace orvik {

namespace {

const std::string kNoName(25, ' ');

RecordFile openOrReport(const std::string& datat, const char* fileName, std::size_t recordLength,
                        StockPassResult& result) {
    FileError error;
    RecordFile file = RecordFile::open(fsPath(inDir(datat, fileName)), recordLength, error);
    if (!file.isOpen())
        result.unreadableFiles.emplace_back(fileName);
    return file;
}

// Names read during the pass, each record once: thousands of products share
// a few dozen group, class and supplier names.
class NameCache {
public:
    explicit NameCache(const RecordFile& file) : file_(file) {}

    // The 25-character name of record n; a record that is not there names nothing.
    const std::string& nameAt(std::int32_t n) {
        if (n <= 0)
            return kNoName;
        auto [slot, isNew] = names_.try_emplace(n);
        if (isNew)
            slot->second = file_.read(n, buffer_) ? decodeName(buffer_).name : kNoName;
        return slot->second;
    }

    ProductNames namesOf(const ProductRecord& product) {
        return {nameAt(product.group), nameAt(product.productClass), nameAt(product.supplier)};
    }

private:
    const RecordFile& file_;
    std::unordered_map<std::int32_t, std::string> names_;
    std::string buffer_;
};

// The product look-up of the pass. Codes are searched in a copy of the index
// read at the start; a code not found there is looked up by haetuote itself,
// so a miss still costs two searches of the file as it is now.
class PassLookUp {
public:
    explicit PassLookUp(const std::string& datat) : datat_(datat) { snapshot_.load(datat); }

    std::int32_t find(const std::string& code) const {
        if (auto found = snapshot_.search(code))
            return *found;
        return haetuote(datat_, code);
    }

private:
    const std::string& datat_;
    ProductIndexSnapshot snapshot_;
};

// Reports the percentage of rows done whenever its whole number changes.
class ProgressSteps {
public:
    ProgressSteps(std::size_t total, StockPassView* view) : total_(total), view_(view) {}
    void rowDone(std::size_t done) {
        int percent = static_cast<int>(done * 100 / total_);
        if (percent != last_ && view_)
            view_->showPercent(percent);
        last_ = percent;
    }

private:
    std::size_t total_;
    StockPassView* view_;
    int last_ = -1;
};

} // namespace

StockPassResult fillStock(ReviewList& list, const std::string& datat, StockPassView* view) {
    StockPassResult result;
    // Opened here only to tell whether the index can be read at all, so
    // that a missing index is reported once rather than missed per row.
    openOrReport(datat, kIndexFileName, kIndexRecordLength, result);
    RecordFile products = openOrReport(datat, kProductFileName, kProductRecordLength, result);
    RecordFile nameFile = openOrReport(datat, kNameFileName, kNameRecordLength, result);
    if (!result.unreadableFiles.empty())
        return result; // the list stays without stock data

    PassLookUp lookUp(datat);
    NameCache names(nameFile);
    ProgressSteps steps(list.rows.size(), view);
    std::string record;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        steps.rowDone(i + 1);
        ReviewRow& row = list.rows[i];
        if (!products.read(lookUp.find(row[colTuote]), record))
            continue; // not in the stock files: the row keeps its blanks
        ProductRecord product = decodeProduct(record);
        fillStockCells(row, product, names.namesOf(product));
    }
    return result;
}

} // namespace orvik
