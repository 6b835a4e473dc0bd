#include "results/reportlines.h"

#include <array>
#include <cstddef>

#include "common/fixedfield.h"

namespace orvik {

namespace {

// Narrow report: five blanks of margin, then the columns.
const std::string kNarrowMargin(5, ' ');
const std::string kNarrowRule = kNarrowMargin + std::string(85, '-');
const std::string kNarrowTitles = "     TUOTEKOODI          TUOTTEEN NIMITYS          "
                                  "MYY-HINTA   VARASTO    LUETTU    EROTUS";

// Wide report: twelve left-aligned fields, each after one blank.
const std::string kWideRule(161, '-');

struct WideField {
    int column;
    std::size_t width;
};

constexpr std::array<WideField, 12> kWideFields = {{{colTuote, 15},
                                                    {colNimitys, 15},
                                                    {colVarasto, 12},
                                                    {colLukija, 12},
                                                    {colErotus, 12},
                                                    {colTuoteryhma, 12},
                                                    {colTuoteluokka, 12},
                                                    {colInventoitu, 12},
                                                    {colMyyntihinta, 12},
                                                    {colOstohinta, 12},
                                                    {colToimittaja, 12},
                                                    {colEroOH, 12}}};

std::string wideField(std::string_view text, std::size_t width) {
    return " " + leftField(trimBlanks(text), width);
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
           rightField(row[colMyyntihinta], 10) + rightField(row[colVarasto], 10) +
           rightField(row[colLukija], 10) + rightField(row[colErotus], 10);
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
        line += wideField(row[field.column], field.width);
    return line;
}

std::vector<std::string> wideReportLines(const ReviewList& list, const ColumnTitles& titles) {
    std::vector<std::string> lines = wideHeading(titles);
    for (const ReviewRow& row : list.rows)
        lines.push_back(wideRowLine(row));
    return lines;
}

} // namespace orvik
