#pragma once
// The counted rows of the review list, taken from the text of the work file
// (repeated codes merged into one row) or of the zero-row file (one row per
// line). Both give rows in ascending byte order of the code.
#include <optional>
#include <string>
#include <string_view>

#include "review/reviewlist.h"

namespace orvik {

// A row as it stands before the stock pass: the code, the counted quantity
// cell, and every stock column blank.
ReviewRow newCountedRow(std::string code, std::string countedCell);

// The quantity of a count line: its last five characters, any point read as
// the decimal comma. Nothing when they hold no number.
std::optional<double> lineQuantity(std::string_view line);

// Appends the work file's rows to `list`: one row per distinct code, the
// quantities of its lines added up in file order. Lines with an empty code
// are skipped; lines with no readable quantity go to list.unreadLines.
void addWorkFileRows(std::string_view content, ReviewList& list);

// Appends one row per zero-row file line, equal codes kept in file order.
// Lines with no readable quantity go to list.unreadLines.
void addZeroRowFileRows(std::string_view content, ReviewList& list);

} // namespace orvik
