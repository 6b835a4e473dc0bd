#include "review/haetuote.h"

#include "common/dirvalue.h"
#include "common/fixedfield.h"
#include "review/stockfiles.h"

namespace orvik {

std::string productIndexKey(std::string_view code) {
    return leftField(code, 13);
}

std::optional<std::int32_t> searchProductIndex(const RecordFile& index, std::string_view key) {
    std::int64_t low = 1;
    std::int64_t high = index.recordCount();
    std::string record;
    while (high >= low) {
        std::int64_t middle = low + (high - low) / 2;
        if (!index.read(middle, record))
            return std::nullopt; // a read error ends the search as a miss
        std::string_view storedCode = std::string_view(record).substr(0, 13);
        int order = storedCode.compare(key);
        if (order == 0)
            return decodeIndex(record).productRecord;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return std::nullopt;
}

std::int32_t haetuote(const std::string& datat, std::string_view code) {
    const std::string key = productIndexKey(code);
    const auto path = fsPath(inDir(datat, kIndexFileName));
    // A miss is searched once more in a freshly opened file: the cash-register
    // system may have been rewriting the index during the first search.
    for (int pass = 0; pass < 2; ++pass) {
        FileError error;
        RecordFile index = RecordFile::open(path, kIndexRecordLength, error);
        if (!index.isOpen())
            continue;
        if (auto found = searchProductIndex(index, key))
            return *found;
    }
    return 0;
}

} // namespace orvik
