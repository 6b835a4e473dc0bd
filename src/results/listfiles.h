#pragma once
// What "Sulje" writes: the work file (count lines, read by the next review)
// and the list export file (tab-separated cells, for use outside the program).
#include <cstddef>
#include <optional>
#include <string>

#include "files/ownfiles.h"
#include "review/reviewlist.h"

namespace orvik {

// The count lines of one row, each 18 characters and CR LF: the code cut or
// padded to 13, then a quantity field. A count longer than a field gives
// several lines of the same code. Nothing when no count line can hold it.
std::optional<std::string> rowCountLines(const ReviewRow& row);

// The row's export line: the thirteen cells written out, as held, separated
// by tabs, then CR LF.
std::string exportLine(const ReviewRow& row);

struct ListFiles {
    std::string workFile;   // every row's count lines, then the unread lines
    std::string exportFile; // every row's export line
    // The first row whose count no count line can hold; when set, the files
    // are incomplete and must not be written.
    std::optional<std::size_t> unsaveableRow;
};

// Both files' contents for the list, rows in the order shown. Work-file lines
// the review could not read are written back unchanged after the rows.
ListFiles buildListFiles(const ReviewList& list);

} // namespace orvik
