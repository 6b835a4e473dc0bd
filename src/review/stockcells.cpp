#include "review/stockcells.h"

#include <cmath>
#include <cstdint>

#include "text/daydate.h"
#include "text/fixedfield.h"
#include "text/numbertext.h"

namespace orvik {

namespace {

constexpr double kSortShift = 100000000.0;       // keys of stock and difference
constexpr double kValueSortShift = 1000000000.0; // key of the valued difference
constexpr double kExactLimit = 9.0e18;           // ten-thousandths that fit 64 bits

// A price as the list shows it: two decimals with a point.
std::string priceCell(const Currency& price) {
    return rightAligned(firstCommaToPoint(patternNumber(price.value(), "0.00")), 10);
}

std::string dateCell(double dayNumber) {
    // A damaged date that no calendar can show leaves the cell blank.
    if (!isShowableDayNumber(dayNumber))
        return std::string(10, ' ');
    return rightField(formatDate(fromDayNumber(dayNumber).date, "yyyy-mm-dd"), 10);
}

// The counted quantity rounded to four decimals minus the stock, worked out
// in ten-thousandths as the currency type does: in binary, 125.1 - 116 would
// come out as 9.09999999999999 and show as such.
double differenceOf(double counted, const Currency& stock) {
    const double countedScaled = std::round(roundHalfAway(counted, 4) * 10000.0);
    std::int64_t difference = 0;
    if (std::fabs(countedScaled) < kExactLimit &&
        !__builtin_sub_overflow(static_cast<std::int64_t>(countedScaled), stock.scaled,
                                &difference))
        return static_cast<double>(difference) / 10000.0;
    return roundHalfAway(counted, 4) - stock.value(); // beyond any real count
}

} // namespace

void fillStockCells(ReviewRow& row, const ProductRecord& product, const ProductNames& names) {
    const double counted = commaNumber(row[colLukija]).value_or(0.0);
    const double stock = product.stock.value();
    const double difference = differenceOf(counted, product.stock);

    row[colNimitys] = std::string(trimBlanks(product.name));
    // A number too long for its cell keeps every character: the totals, the
    // reports and the export read these texts. Only the sort keys are cut.
    row[colVarasto] = rightAligned(patternNumber(stock, "0"), 10);
    row[colErotus] = rightAligned(firstCommaToPoint(generalNumber(difference)), 10);
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
    row[colEroOH] = rightAligned(patternNumber(valued, "0.00"), 11);
    row[colSortEroMh] = rightField(patternNumber(valued + kValueSortShift, "0000000000"), 10);
}

} // namespace orvik
