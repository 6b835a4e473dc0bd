#pragma once
// The notices shown after the review list is built.
#include <string>

#include "files/safewrite.h"
#include "review/reviewlist.h"
#include "review/stockpass.h"

namespace orvik {

// The notice text about lines that could not be read; empty when none.
std::string unreadLinesNotice(const ReviewList& list);

// The notice text about stock files that could not be read; empty when none.
std::string unreadableStockNotice(const StockPassResult& result);

// The warning that the zero rows of `zeroRowPath` were left out of the list
// because of `failure`; empty when nothing failed.
std::string zeroRowsLeftNotice(const FileError& failure, const std::string& zeroRowPath);

} // namespace orvik
