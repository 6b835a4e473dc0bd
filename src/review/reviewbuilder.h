#pragma once
// Building the review list: the counted rows from the work file (merged per
// product) or from the zero-row file.
#include <string>
#include <vector>

#include "common/safewrite.h"
#include "review/reviewlist.h"

namespace orvik {

enum class ReviewSource { Nothing, WorkFile, ZeroRowFile, WorkFileAndZeroRows };

// What exists of the work file and the zero-row file. When both exist, both
// are reviewed: a zero-row file never hides counted lines.
ReviewSource chooseReviewSource(const std::string& datPolku);

// Reads the counted rows of the chosen source into an empty list, in
// ascending byte order of the code; zero rows come after the rows of an
// equal code and are never merged. Lines whose quantity cannot be read go
// to list.unreadLines (from either file). The zero-row file is deleted after
// reading; when that fails its rows are in the list and the error is
// returned. Each file is held against other writers while it is read, and
// read in blocks, so memory follows the list, not the file; a line longer
// than kLongestCountLine is a failure.
FileError readCountedRows(ReviewSource source, const std::string& datPolku, ReviewList& list);

inline constexpr std::size_t kLongestCountLine = 1 << 20;

} // namespace orvik
