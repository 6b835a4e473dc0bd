#pragma once
// The lines of the two printed reports: the narrow one (six columns, count
// against stock with the sales price) and the wide one (twelve columns, titled
// from the list's own column headers).
#include <string>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

// The four heading lines of the narrow report, the last one empty.
std::vector<std::string> narrowHeading();
// A row of the narrow report, 90 characters; longer only where a number
// does not fit its column.
std::string narrowRowLine(const ReviewRow& row);
std::vector<std::string> narrowReportLines(const ReviewList& list);

// The titles of the list's columns, left to right, as the report reads them
// at print time; missing titles print as blanks.
using ColumnTitles = std::vector<std::string>;

// The three heading lines of the wide report: rule, titles, rule.
std::vector<std::string> wideHeading(const ColumnTitles& titles);
// A row of the wide report, 162 characters; longer only where a number does
// not fit its field.
std::string wideRowLine(const ReviewRow& row);
std::vector<std::string> wideReportLines(const ReviewList& list, const ColumnTitles& titles);

} // namespace orvik
