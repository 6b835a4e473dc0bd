#include "stock/productindex.h"

#include "files/dirvalue.h"
#include "stock/haetuote.h"
#include "stock/indexsearch.h"
#include "stock/stockfiles.h"

namespace orvik {

namespace {

// About four million products; a larger file is searched in place instead.
constexpr std::int64_t kMaxRecordsHeld = std::int64_t{1} << 22;

} // namespace

bool ProductIndexSnapshot::load(const std::string& datat) {
    records_.clear();
    count_ = 0;
    FileError error;
    RecordFile index =
        RecordFile::open(fsPath(inDir(datat, kIndexFileName)), kIndexRecordLength, error);
    if (!index.isOpen() || index.recordCount() > kMaxRecordsHeld || !index.readAll(records_)) {
        records_.clear();
        return false;
    }
    count_ = index.recordCount();
    return true;
}

std::optional<std::int32_t> ProductIndexSnapshot::search(std::string_view code) const {
    const std::string key = productIndexKey(code);
    const std::string_view records(records_);
    return halvingSearch(count_, key, [&](std::int64_t n) -> std::optional<std::string_view> {
        return records.substr(static_cast<std::size_t>(n - 1) * kIndexRecordLength,
                              kIndexRecordLength);
    });
}

} // namespace orvik
