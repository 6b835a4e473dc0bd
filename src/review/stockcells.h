#pragma once
// The stock columns of one review row, from its product record and the
// names that record points at.
#include <string>
#include <string_view>

#include "review/reviewlist.h"
#include "stock/stockfiles.h"

namespace orvik {

// The three names of a product, 25 characters each as read from the name
// file; 25 blanks where the product names none.
struct ProductNames {
    std::string_view group;
    std::string_view productClass;
    std::string_view supplier;
};

// Fills columns 1, 2 and 4 to 14 of `row`; the code and the counted quantity
// (columns 0 and 3) stay as they are.
void fillStockCells(ReviewRow& row, const ProductRecord& product, const ProductNames& names);

} // namespace orvik
