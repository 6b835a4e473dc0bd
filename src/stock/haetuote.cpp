#include "stock/haetuote.h"

#include "files/dirvalue.h"
#include "stock/indexsearch.h"
#include "stock/stockfiles.h"
#include "text/fixedfield.h"

namespace orvik {

std::string productIndexKey(std::string_view code) {
    return leftField(code, 13);
}

std::optional<std::int32_t> searchProductIndex(const RecordFile& index, std::string_view key) {
    std::string record;
    return halvingSearch(index.recordCount(), key,
                         [&](std::int64_t n) -> std::optional<std::string_view> {
                             if (!index.read(n, record))
                                 return std::nullopt;
                             return record;
                         });
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
