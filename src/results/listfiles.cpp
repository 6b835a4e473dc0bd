#include "results/listfiles.h"

#include <array>

#include "review/countedrows.h"
#include "text/fixedfield.h"
#include "text/numbertext.h"
#include "workfile/countline.h"

namespace orvik {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The export columns in file order; the sort keys of the stock and the
// difference stay out, the key of the purchase-price difference goes in.
constexpr std::array<int, 13> kExportColumns = {
    colTuote,      colNimitys,     colVarasto,    colLukija,      colErotus,
    colTuoteryhma, colTuoteluokka, colInventoitu, colMyyntihinta, colOstohinta,
    colToimittaja, colEroOH,       colSortEroMh};

// Reads spread fields back the way the next review does and checks that the
// merged quantity shows the same number as the cell.
bool readsBackAs(const std::vector<std::string>& fields, double expected) {
    std::string content;
    for (const std::string& field : fields)
        content += countLine("1", field);
    ReviewList readBack;
    addWorkFileRows(content, readBack);
    if (readBack.rows.size() != 1 || !readBack.unreadLines.empty())
        return false;
    return trimBlanks(readBack.rows[0][colLukija]) == generalNumber(expected);
}

} // namespace

std::optional<std::string> rowCountLines(const ReviewRow& row) {
    const std::optional<CountFields> split = splitCountQuantity(row[colLukija]);
    if (!split || (split->spreadValue && !readsBackAs(split->fields, *split->spreadValue)))
        return std::nullopt;
    std::string lines;
    for (const std::string& field : split->fields)
        lines += countLine(row[colTuote], field);
    return lines;
}

std::string exportLine(const ReviewRow& row) {
    std::string line;
    for (std::size_t i = 0; i < kExportColumns.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += row[kExportColumns[i]];
    }
    return line + kLineEnd;
}

ListFiles buildListFiles(const ReviewList& list) {
    ListFiles files;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        const std::optional<std::string> countLines = rowCountLines(list.rows[i]);
        if (!countLines) {
            files.unsaveableRow = i;
            return files;
        }
        files.workFile += *countLines;
        files.exportFile += exportLine(list.rows[i]);
    }
    for (const UnreadLine& unread : list.unreadLines)
        files.workFile += unread.text + kLineEnd;
    return files;
}

} // namespace orvik
