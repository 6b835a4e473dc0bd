#pragma once
// The stock pass: the stock columns of every review row, from the stock files.
#include <string>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

struct StockPassResult {
    // Names of stock files that could not be opened ("CASSA.002", ...).
    std::vector<std::string> unreadableFiles;
};

// What the stock pass asks of the review window: to show how far it is.
class StockPassView {
public:
    virtual ~StockPassView() = default;
    virtual void showPercent(int percent) = 0;
};

// Fills the stock columns of every row from the stock files in `datat`.
// `view`, when given, receives the percentage 0 to 100 each time it changes.
StockPassResult fillStock(ReviewList& list, const std::string& datat, StockPassView* view);

} // namespace orvik
