#include "zeroinv/productgroups.h"

#include "files/dirvalue.h"
#include "text/fixedfield.h"

#include <cerrno>

namespace orvik {

bool isListedGroup(const NameRecord& record) {
    const bool nonZeroDigit = record.flag >= '1' && record.flag <= '9';
    return record.kind == 'R' && !nonZeroDigit;
}

GroupListResult readProductGroups(std::string_view datat) {
    GroupListResult result;
    const std::string path = inDir(datat, kNameFileName);
    FileError error;
    RecordFile names = RecordFile::open(fsPath(path), kNameRecordLength, error);
    if (!names.isOpen()) {
        result.failure = StockFileFailure{path, error};
        return result;
    }
    std::string bytes;
    for (std::int64_t n = 1; n <= names.recordCount(); ++n) {
        if (!names.read(n, bytes)) {
            result.groups.clear();
            result.failure = StockFileFailure{path, FileError::fromErrno(EIO)};
            return result;
        }
        const NameRecord record = decodeName(bytes);
        if (isListedGroup(record))
            result.groups.push_back(
                {std::string(trimBlanks(record.name)), static_cast<std::int32_t>(n)});
    }
    return result;
}

} // namespace orvik
