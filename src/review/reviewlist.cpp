#include "review/reviewlist.h"

#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

const std::array<ReviewColumnLayout, kReviewColumnCount>& reviewColumns() {
    static const std::array<ReviewColumnLayout, kReviewColumnCount> columns{{
        {"Tuote", 1300, false},
        {"Nimitys", 2800, false},
        {"Varasto", 950, true},
        {"Lukija", 950, true},
        {"Erotus", 950, true},
        {"SortSaldo", 0, false},
        {"SortErotus", 0, false},
        {"Tuoteryhmä"_cp, 2600, false},
        {"Tuoteluokka", 2600, false},
        {"Inventoitu", 1000, false},
        {"Myyntihinta", 950, true},
        {"Ostohinta", 950, true},
        {"Toimittaja", 2530, false},
        {"Ero OH", 1200, true},
        {"SortEroMh", 0, false},
    }};
    return columns;
}

} // namespace orvik
