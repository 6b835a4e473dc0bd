#include "zeroinv/stockfailure.h"

namespace orvik {

std::string stockFailureText(const StockFileFailure& failure) {
    return " Varastotiedostoa " + failure.path + " ei voi lukea. ";
}

} // namespace orvik
