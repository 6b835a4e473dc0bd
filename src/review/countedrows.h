#pragma once
// The counted rows of the review list, taken from the text of the work file
// (repeated codes merged into one row) or of the zero-row file (one row per
// line). Both give rows in ascending byte order of the code.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

// A row as it stands before the stock pass: the code, the counted quantity
// cell, and every stock column blank.
ReviewRow newCountedRow(std::string code, std::string countedCell);

// The work file's rows, line by line: one row per distinct code, the
// quantities of its lines added up in file order. Lines with an empty code
// are skipped; lines with no readable quantity go to list.unreadLines.
class WorkFileRows {
public:
    WorkFileRows();
    ~WorkFileRows();
    void addLine(std::string_view line, ReviewList& list);
    // Appends the rows to `list`, in ascending byte order of the code.
    void finish(ReviewList& list);

private:
    class Merger;
    std::unique_ptr<Merger> merger_;
    std::size_t lineNumber_ = 0;
};

// The zero-row file's rows, line by line: one row per line, equal codes kept
// in file order. Lines with no readable quantity go to list.unreadLines.
class ZeroRowFileRows {
public:
    void addLine(std::string_view line, ReviewList& list);
    // Appends the rows to `list`, in ascending byte order of the code.
    void finish(ReviewList& list);

private:
    struct Entry {
        std::string code;
        std::string countedCell;
    };
    std::vector<Entry> entries_;
    std::size_t lineNumber_ = 0;
};

// The same for a whole text.
void addWorkFileRows(std::string_view content, ReviewList& list);
void addZeroRowFileRows(std::string_view content, ReviewList& list);

// Puts rows with equal codes in the order they already have, the rows as a
// whole in ascending byte order of the code.
void sortRowsByCode(ReviewList& list);

} // namespace orvik
