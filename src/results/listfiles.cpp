#include "results/listfiles.h"

#include <array>

#include "results/countsplit.h"
#include "text/fixedfield.h"

namespace orvik {

namespace {

constexpr std::size_t kCodeWidth = 13;
constexpr const char* kLineEnd = "\r\n";

// The export columns in file order; the sort keys of the stock and the
// difference stay out, the key of the purchase-price difference goes in.
constexpr std::array<int, 13> kExportColumns = {
    colTuote,      colNimitys,     colVarasto,    colLukija,      colErotus,
    colTuoteryhma, colTuoteluokka, colInventoitu, colMyyntihinta, colOstohinta,
    colToimittaja, colEroOH,       colSortEroMh};

} // namespace

std::optional<std::string> rowCountLines(const ReviewRow& row) {
    const std::optional<std::vector<std::string>> fields = countQuantityFields(row[colLukija]);
    if (!fields)
        return std::nullopt;
    const std::string code = leftField(row[colTuote], kCodeWidth);
    std::string lines;
    for (const std::string& field : *fields)
        lines += code + field + kLineEnd;
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
