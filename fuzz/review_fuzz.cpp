// The review build from a work file and stock files, checked against plain
// rules: one row per code, its quantity the exact sum of its lines, rows in
// byte order of the code; the stock columns of the product a plain search of
// the index finds, the whole number in each number cell; the totals worked
// out with no undefined behaviour; sorting keeps every row and orders the key
// column; the saved list reads back as the same counts.
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "results/listfiles.h"
#include "review/reviewbuilder.h"
#include "review/reviewsort.h"
#include "review/reviewtotals.h"
#include "review/stockpass.h"
#include "stock/stockfiles.h"
#include "support/fuzzsupport.h"
#include "text/numbertext.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

// A counted quantity in ten-thousandths: [sign] digits [, digits], at least
// one digit; nothing for anything else.
std::optional<std::int64_t> plainUnits(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int decimals = 0;
    bool digits = false;
    bool comma = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
            if (!comma)
                whole = whole * 10 + (c - '0');
            else if (++decimals <= 4)
                fraction = fraction * 10 + (c - '0');
            else if (c != '0')
                return std::nullopt; // finer than the work file can hold
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || whole > 1000000000000LL)
        return std::nullopt;
    for (; decimals < 4; ++decimals)
        fraction *= 10;
    const std::int64_t units = whole * 10000 + fraction;
    return negative ? -units : units;
}

// Ten-thousandths in general form: "12", "-2,5", "0,0001".
std::string plainGeneral(std::int64_t units) {
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? -static_cast<std::uint64_t>(units) : units;
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return fraction.empty() ? text : text + "," + fraction;
}

std::vector<std::string_view> plainLines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t cr = content.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        lines.push_back(content.substr(start, cr - start));
        start = cr + 1 + (cr + 1 < content.size() && content[cr + 1] == '\n' ? 1 : 0);
    }
    return lines;
}

struct PlainCount {
    std::int64_t units = 0;
    int lines = 0;
};

struct PlainWorkFile {
    std::map<std::string, PlainCount> counts; // byte order of the code
    std::vector<std::string> unread;
};

PlainWorkFile plainWorkFile(std::string_view content) {
    PlainWorkFile file;
    for (std::string_view line : plainLines(content)) {
        const std::string code(stripBlanks(line.substr(0, 13)));
        if (code.empty())
            continue;
        std::string field(line.substr(line.size() - std::min<std::size_t>(line.size(), 5)));
        std::replace(field.begin(), field.end(), '.', ',');
        const std::optional<std::int64_t> units = plainUnits(stripBlanks(field));
        if (!units) {
            file.unread.emplace_back(line);
            continue;
        }
        PlainCount& count = file.counts[code];
        count.units += *units;
        ++count.lines;
    }
    return file;
}

void checkCountedRows(const ReviewList& list, const PlainWorkFile& plain) {
    expect(list.rows.size() == plain.counts.size(), "one row per code");
    std::size_t i = 0;
    for (const auto& [code, count] : plain.counts) {
        const ReviewRow& row = list.rows[i++];
        expect(row[colTuote] == code, "rows in byte order of the code");
        const std::string sum = plainGeneral(count.units);
        // A single line's quantity is right-justified in ten, a sum is not.
        const std::string cell =
            count.lines == 1 ? std::string(10 - std::min<std::size_t>(10, sum.size()), ' ') + sum
                             : sum;
        expect(row[colLukija] == cell, "a code's quantity is the sum of its lines");
    }
    expect(list.unreadLines.size() == plain.unread.size(), "every unreadable line is kept");
    for (std::size_t n = 0; n < plain.unread.size(); ++n)
        expect(list.unreadLines[n].text == plain.unread[n], "unreadable lines as they were");
}

std::string nameOf(const PlainRecords& names, std::int32_t n) {
    if (n < 1 || n > names.count())
        return std::string(25, ' ');
    return names.at(n).substr(5, 25);
}

std::int32_t plainLookUp(const PlainRecords& index, const std::string& code) {
    return plainSearch(index, plainKey(code)).value_or(0);
}

bool near(double shown, double value, double allowed) {
    return std::fabs(shown - value) <= allowed + 1e-13 * std::fabs(value);
}

void checkStockRow(const ReviewRow& row, const std::string& product, const PlainRecords& names) {
    expect(row[colNimitys] == stripBlanks(product.substr(13, 25)), "the product's name");
    expect(row[colTuoteryhma] == nameOf(names, le32(product, 41)), "the group's name");
    expect(row[colTuoteluokka] == nameOf(names, le32(product, 45)), "the class's name");
    expect(row[colToimittaja] == nameOf(names, le32(product, 80)), "the supplier's name");
    // Every number cell shows its whole number: no leading digit or sign cut.
    const double stock = static_cast<double>(le64(product, 63)) / 10000.0;
    expect(near(cellNumber(row[colVarasto]), stock, 0.5), "the stock shows whole", row[colVarasto]);
    expect(near(cellNumber(row[colMyyntihinta]), le64(product, 53) / 10000.0, 0.005),
           "the sales price shows whole", row[colMyyntihinta]);
    expect(near(cellNumber(row[colOstohinta]), le64(product, 71) / 10000.0, 0.005),
           "the purchase price shows whole", row[colOstohinta]);
    const double counted = static_cast<double>(*plainUnits(stripBlanks(row[colLukija]))) / 1e4;
    expect(near(cellNumber(row[colErotus]), counted - stock, 0.00005),
           "the difference is the count less the stock", row[colErotus]);
}

void checkStockPass(const ReviewList& before, const ReviewList& after,
                    const std::vector<std::string_view>& parts) {
    const PlainRecords index(parts[1], kIndexRecordLength);
    const PlainRecords products(parts[2], kProductRecordLength);
    const PlainRecords names(parts[3], kNameRecordLength);
    for (std::size_t i = 0; i < after.rows.size(); ++i) {
        const ReviewRow& row = after.rows[i];
        expect(row[colTuote] == before.rows[i][colTuote] &&
                   row[colLukija] == before.rows[i][colLukija],
               "the stock pass keeps the code and the count");
        const std::int32_t r = plainLookUp(index, row[colTuote]);
        if (r >= 1 && r <= products.count())
            checkStockRow(row, products.at(r), names);
        else
            expect(row == before.rows[i], "a product not in the stock files keeps its blanks");
    }
}

char plainUpper(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return static_cast<char>(b - 0x20);
    if (b == 0x9A || b == 0x9C || b == 0x9E)
        return static_cast<char>(b - 0x10);
    return b == 0xFF ? static_cast<char>(0x9F) : c;
}

// -1, 0 or 1 as the sort compares two key texts.
int keyOrder(const std::string& a, const std::string& b, bool ignoreCase) {
    std::string x = a;
    std::string y = b;
    if (ignoreCase) {
        std::transform(x.begin(), x.end(), x.begin(), plainUpper);
        std::transform(y.begin(), y.end(), y.begin(), plainUpper);
    }
    const int order = x.compare(y);
    return (order > 0) - (order < 0);
}

void checkClick(ReviewList& list, int position) {
    // Sorted column per clicked title 1 to 15, as the window's table gives.
    static const int kSorted[] = {0, 1, 5, 3, 6, 5, 6, 7, 8, 9, 10, 11, 12, 14, 0};
    const std::vector<ReviewRow> before = list.rows;
    const bool wasDescending = list.descending;
    const std::vector<std::size_t> order = clickColumnReordering(list, position);
    if (position < 1 || position > 15) {
        expect(order.empty() && list.rows == before && list.descending == wasDescending,
               "a click outside the titles changes nothing");
        return;
    }
    const int column = kSorted[position - 1];
    expect(list.sortColumn == column && list.descending != wasDescending,
           "a click picks its column and flips the direction");
    expect(order.size() == before.size(), "sorting keeps the number of rows");
    std::vector<bool> used(before.size(), false);
    for (std::size_t i = 0; i < order.size(); ++i) {
        expect(order[i] < before.size() && !used[order[i]], "sorting moves every row once");
        used[order[i]] = true;
        expect(list.rows[i] == before[order[i]], "every row is kept whole");
    }
    const bool ignoreCase = column == 1 || column == 7 || column == 8 || column == 12;
    for (std::size_t i = 1; i < list.rows.size(); ++i) {
        const int o = keyOrder(list.rows[i - 1][column], list.rows[i][column], ignoreCase);
        expect(list.descending ? o >= 0 : o <= 0, "the key column is in order");
        expect(o != 0 || order[i - 1] < order[i], "equal keys keep their order");
    }
}

void checkSavedList(const ReviewList& list) {
    const ListFiles files = buildListFiles(list);
    expect(!files.unsaveableRow.has_value(), "every count of a work file can be saved");
    ScratchDir& dir = ScratchDir::instance();
    dir.write("orvik.dat", files.workFile);
    ReviewList again;
    expect(!readCountedRows(ReviewSource::WorkFile, dir.dirValue(), again).error.failed(),
           "the saved work file reads");
    expect(again.rows.size() == list.rows.size(), "the saved list reads back row for row");
    std::map<std::string, std::int64_t> saved;
    for (const ReviewRow& row : list.rows)
        saved[row[colTuote]] = *plainUnits(stripBlanks(row[colLukija]));
    std::size_t i = 0;
    for (const auto& [code, units] : saved) {
        const ReviewRow& row = again.rows[i++];
        expect(row[colTuote] == code, "the same codes read back");
        expect(plainUnits(stripBlanks(row[colLukija])) == units, "the same counts read back");
    }
    expect(again.unreadLines.size() == list.unreadLines.size(), "unreadable lines are kept");
    for (std::size_t n = 0; n < list.unreadLines.size(); ++n)
        expect(again.unreadLines[n].text == list.unreadLines[n].text,
               "unreadable lines are written back unchanged");
}

} // namespace

// Input: the work file, CASSA.001, CASSA.002, CASSA.005 and the clicked
// column titles (one byte each), separated by the marker; a missing stock
// part is a missing file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = splitParts(data, size, 5);
    ScratchDir& dir = ScratchDir::instance();
    dir.clear();
    dir.write("orvik.dat", parts[0]);
    static const char* const kStockFiles[] = {kIndexFileName, kProductFileName, kNameFileName};
    for (std::size_t i = 1; i < parts.size() && i <= 3; ++i)
        dir.write(kStockFiles[i - 1], parts[i]);

    ReviewList list;
    expect(!readCountedRows(ReviewSource::WorkFile, dir.dirValue(), list).error.failed(),
           "the work file reads");
    checkCountedRows(list, plainWorkFile(parts[0]));

    const ReviewList counted = list;
    struct ForwardOnly : StockPassView {
        int lastPercent = -1;
        void showPercent(int percent) override {
            expect(percent > lastPercent && percent <= 100, "progress only goes forward");
            lastPercent = percent;
        }
    } progress;
    const StockPassResult pass = fillStock(list, dir.dirValue(), &progress);
    const int lastPercent = progress.lastPercent;
    if (parts.size() < 4) {
        expect(!pass.unreadableFiles.empty() && list.rows == counted.rows,
               "missing stock files are told and leave the rows");
    } else {
        expect(pass.unreadableFiles.empty(), "readable stock files are read");
        expect(list.rows.empty() || lastPercent == 100, "progress ends at 100");
        checkStockPass(counted, list, parts);
    }
    laske(list); // checked by the sanitizers: a sum must never overflow

    const std::string_view clicks = parts.size() > 4 ? parts[4].substr(0, 4) : "";
    for (char click : clicks)
        checkClick(list, static_cast<unsigned char>(click) % 17);
    checkSavedList(list);
    return 0;
}
