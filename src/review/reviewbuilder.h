#pragma once
// Building the review list: the counted rows from the work file (merged per
// product) or from the zero-row file.
#include <string>
#include <vector>

#include "files/safewrite.h"
#include "review/reviewlist.h"

namespace orvik {

enum class ReviewSource { Nothing, WorkFile, ZeroRowFile, WorkFileAndZeroRows };

// What exists of the work file and the zero-row file. When both exist, both
// are reviewed: a zero-row file never hides counted lines.
ReviewSource chooseReviewSource(const std::string& datPolku);

struct CountedRowsRead {
    // A file could not be read: the list is incomplete and must not be saved.
    FileError error;
    // The zero-row file could not be read or removed: none of its rows are
    // in the list, and it stays to be reviewed once it can go.
    FileError zeroRowsLeft;
};

// Reads the counted rows of the chosen source into an empty list, in
// ascending byte order of the code; zero rows come after the rows of an
// equal code and are never merged. Lines whose quantity cannot be read go
// to list.unreadLines (from either file). The zero-row file is deleted after
// reading, and its rows join the list only when that worked. Each file is
// held against other writers while it is read, and read in blocks, so
// memory follows the list, not the file; a line longer than
// kLongestCountLine is a failure.
CountedRowsRead readCountedRows(ReviewSource source, const std::string& datPolku, ReviewList& list);

inline constexpr std::size_t kLongestCountLine = 1 << 20;

} // namespace orvik
