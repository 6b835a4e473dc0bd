// The stock pass of the review list: every counted row looked up in the
// product index and filled from the product and name files.
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/dirvalue.h"
#include "files/fileidentity.h"
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
// so a miss still costs two searches of the file as it is now, unless the
// file is still the one copied, where those searches could only miss again.
class PassLookUp {
public:
    explicit PassLookUp(const std::string& datat)
        : datat_(datat), indexPath_(fsPath(inDir(datat, kIndexFileName))) {
        const std::optional<FileIdentity> before = identityOf(indexPath_);
        const bool loaded = snapshot_.load(datat);
        if (loaded && before && settled(*before) && identityOf(indexPath_) == before)
            copied_ = before;
    }

    std::int32_t find(const std::string& code) const {
        if (auto found = snapshot_.search(code))
            return *found;
        if (copied_ && identityOf(indexPath_) == copied_)
            return 0;
        return haetuote(datat_, code);
    }

private:
    // File times tick coarsely: a file written within the last second could
    // be written again, same length, without its times showing it; one
    // written before that shows any later write in its times.
    static bool settled(const FileIdentity& identity) {
        const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
        return identity.modifiedNs / 1000000000 + 1 < now;
    }

    const std::string& datat_;
    std::filesystem::path indexPath_;
    ProductIndexSnapshot snapshot_;
    std::optional<FileIdentity> copied_; // the index as the snapshot holds it
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

struct RowRecord {
    std::int64_t record; // in the product file
    std::size_t row;
};

// Rows whose records lie this close together are read in one piece with the
// records between them; farther apart, each piece is read on its own.
constexpr std::int64_t kLargestGap = 32;
constexpr std::int64_t kLargestPiece = (std::int64_t{256} << 10) / kProductRecordLength;

// Calls `fill` with each row and its product record, in the order of the
// file: the file is read in pieces of up to 256 KiB instead of a read per row.
template <typename Fill>
void forEachProductRecord(const RecordFile& products, std::vector<RowRecord>& rows, Fill&& fill) {
    std::sort(rows.begin(), rows.end(),
              [](const RowRecord& a, const RowRecord& b) { return a.record < b.record; });
    std::string piece;
    std::string single;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1].record - rows[last].record <= kLargestGap &&
               rows[last + 1].record - rows[first].record < kLargestPiece)
            ++last;
        const std::int64_t start = rows[first].record;
        const bool read = products.readRange(start, rows[last].record - start + 1, piece);
        for (std::size_t i = first; i <= last; ++i) {
            const auto offset =
                static_cast<std::size_t>(rows[i].record - start) * kProductRecordLength;
            if (read && offset + kProductRecordLength <= piece.size())
                fill(rows[i].row, std::string_view(piece).substr(offset, kProductRecordLength));
            else if (products.read(rows[i].record, single))
                fill(rows[i].row, std::string_view(single));
        }
        first = last + 1;
    }
}

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
    std::size_t done = 0;
    std::vector<RowRecord> found;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const std::int32_t record = lookUp.find(list.rows[i][colTuote]);
        if (record >= 1 && record <= products.recordCount())
            found.push_back({record, i});
        else
            steps.rowDone(++done); // not in the stock files: the row keeps its blanks
    }
    forEachProductRecord(products, found, [&](std::size_t row, std::string_view record) {
        steps.rowDone(++done);
        const ProductRecord product = decodeProduct(record);
        fillStockCells(list.rows[row], product, names.namesOf(product));
    });
    // Rows whose record could not be read keep their blanks too.
    while (done < list.rows.size())
        steps.rowDone(++done);
    return result;
}

} // namespace orvik
