#include "results/reportlines.h"

#include <array>
#include <cstddef>

#include "text/fixedfield.h"

namespace orvik {

namespace {

// Narrow report: five blanks of margin, then the columns.
const std::string kNarrowMargin(5, ' ');
constexpr std::size_t kNarrowNumberWidth = 10;
const std::string kNarrowRule = kNarrowMargin + std::string(85, '-');
const std::string kNarrowTitles = "     TUOTEKOODI          TUOTTEEN NIMITYS          "
                                  "MYY-HINTA   VARASTO    LUETTU    EROTUS";

// Wide report: twelve left-aligned fields, each after one blank.
const std::string kWideRule(161, '-');

struct WideField {
    int column;
    std::size_t width;
    bool number;
};

constexpr std::array<WideField, 12> kWideFields = {{{colTuote, 15, false},
                                                    {colNimitys, 15, false},
                                                    {colVarasto, 12, true},
                                                    {colLukija, 12, true},
                                                    {colErotus, 12, true},
                                                    {colTuoteryhma, 12, false},
                                                    {colTuoteluokka, 12, false},
                                                    {colInventoitu, 12, false},
                                                    {colMyyntihinta, 12, true},
                                                    {colOstohinta, 12, true},
                                                    {colToimittaja, 12, false},
                                                    {colEroOH, 12, true}}};

std::string wideField(std::string_view text, std::size_t width, bool number = false) {
    const std::string_view trimmed = trimBlanks(text);
    if (number && trimmed.size() > width)
        return " " + std::string(trimmed);
    return " " + leftField(trimmed, width);
}

// A number too long for its narrow column is printed whole, one blank after
// its neighbour, rather than without its sign or leading digits.
std::string narrowNumber(std::string_view cell) {
    if (cell.size() > kNarrowNumberWidth)
        return " " + std::string(cell);
    return rightField(cell, kNarrowNumberWidth);
}

std::string cellOrBlank(const ColumnTitles& titles, int column) {
    const auto index = static_cast<std::size_t>(column);
    return index < titles.size() ? titles[index] : std::string();
}

} // namespace

std::vector<std::string> narrowHeading() {
    return {kNarrowRule, kNarrowTitles, kNarrowRule, ""};
}

std::string narrowRowLine(const ReviewRow& row) {
    return kNarrowMargin + leftField(row[colTuote], 20) + leftField(row[colNimitys], 25) +
           narrowNumber(row[colMyyntihinta]) + narrowNumber(row[colVarasto]) +
           narrowNumber(row[colLukija]) + narrowNumber(row[colErotus]);
}

std::vector<std::string> narrowReportLines(const ReviewList& list) {
    std::vector<std::string> lines = narrowHeading();
    for (const ReviewRow& row : list.rows)
        lines.push_back(narrowRowLine(row));
    return lines;
}

std::vector<std::string> wideHeading(const ColumnTitles& titles) {
    std::string titleLine;
    for (const WideField& field : kWideFields)
        titleLine += wideField(cellOrBlank(titles, field.column), field.width);
    return {kWideRule, titleLine, kWideRule};
}

std::string wideRowLine(const ReviewRow& row) {
    std::string line;
    for (const WideField& field : kWideFields)
        line += wideField(row[field.column], field.width, field.number);
    return line;
}

std::vector<std::string> wideReportLines(const ReviewList& list, const ColumnTitles& titles) {
    std::vector<std::string> lines = wideHeading(titles);
    for (const ReviewRow& row : list.rows)
        lines.push_back(wideRowLine(row));
    return lines;
}

} // namespace orvik
