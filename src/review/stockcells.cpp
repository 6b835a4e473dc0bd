#include "review/stockcells.h"

#include "common/daydate.h"
#include "common/fixedfield.h"
#include "common/numbertext.h"

namespace orvik {

namespace {

constexpr double kSortShift = 100000000.0;       // keys of stock and difference
constexpr double kValueSortShift = 1000000000.0; // key of the valued difference

// A price as the list shows it: two decimals with a point.
std::string priceCell(const Currency& price) {
    return rightField(firstCommaToPoint(patternNumber(price.value(), "0.00")), 10);
}

std::string dateCell(double dayNumber) {
    // A damaged date that no calendar can show leaves the cell blank.
    if (!isShowableDayNumber(dayNumber))
        return std::string(10, ' ');
    return rightField(formatDate(fromDayNumber(dayNumber).date, "yyyy-mm-dd"), 10);
}

} // namespace

void fillStockCells(ReviewRow& row, const ProductRecord& product, const ProductNames& names) {
    const double counted = commaNumber(row[colLukija]).value_or(0.0);
    const double stock = product.stock.value();
    const double difference = roundHalfAway(counted, 4) - stock;

    row[colNimitys] = std::string(trimBlanks(product.name));
    row[colVarasto] = rightField(patternNumber(stock, "0"), 10);
    row[colErotus] = rightField(firstCommaToPoint(generalNumber(difference)), 10);
    row[colSortSaldo] = rightField(patternNumber(stock + kSortShift, "000000000"), 10);
    row[colSortErotus] = rightField(patternNumber(difference + kSortShift, "000000000"), 10);
    row[colTuoteryhma] = names.group;
    row[colTuoteluokka] = names.productClass;
    row[colInventoitu] = dateCell(product.lastCount);
    row[colMyyntihinta] = priceCell(product.salesPrice);
    row[colOstohinta] = priceCell(product.purchasePrice);
    row[colToimittaja] = names.supplier;

    // Valued from the cells as shown, so that the value matches the texts.
    const double valued = cellNumber(row[colOstohinta]) * cellNumber(row[colErotus]);
    row[colEroOH] = rightField(patternNumber(valued, "0.00"), 11);
    row[colSortEroMh] = rightField(patternNumber(valued + kValueSortShift, "0000000000"), 10);
}

} // namespace orvik
