#pragma once
// The stock pass: the stock columns of every review row, from the stock files.
#include <functional>
#include <string>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

struct StockPassResult {
    // Names of stock files that could not be opened ("CASSA.002", ...).
    std::vector<std::string> unreadableFiles;
};

// Fills the stock columns of every row from the stock files in `datat`.
// `progress` receives the percentage 0 to 100 each time it changes.
StockPassResult fillStock(ReviewList& list, const std::string& datat,
                          const std::function<void(int percent)>& progress);

} // namespace orvik
