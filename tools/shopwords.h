#pragma once
// The words a sample shop is made of, as code-page bytes: product groups with
// the goods they hold, product classes, suppliers and package sizes.
#include <string>
#include <vector>

namespace orvik::sampleshop {

struct GroupWords {
    std::string name;
    std::vector<std::string> goods;
};

const std::vector<GroupWords>& groupWords();
const std::vector<std::string>& classWords();
const std::vector<std::string>& supplierWords();
const std::vector<std::string>& sizeWords();

} // namespace orvik::sampleshop
