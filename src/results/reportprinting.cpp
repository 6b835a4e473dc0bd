#include "results/reportprinting.h"

#include <string>
#include <vector>

#include "platform/messagebox.h"

namespace orvik {

namespace {

constexpr const char* kReportFont = "Courier New";

PrintOutcome printDocument(const char* name, PageOrientation orientation, int points,
                           const std::vector<std::string>& lines, PrintingService& printer) {
    printer.beginDocument(name);
    printer.setOrientation(orientation);
    printer.setFont(kReportFont, points);
    for (const std::string& line : lines)
        printer.printLine(line);
    return printer.endDocument();
}

} // namespace

PrintOutcome printNarrowReport(const ReviewList& list, PrintingService& printer) {
    return printDocument(kNarrowReportName, PageOrientation::Portrait, 9, narrowReportLines(list),
                         printer);
}

PrintOutcome printWideReport(const ReviewList& list, const ColumnTitles& titles,
                             PrintingService& printer) {
    return printDocument(kWideReportName, PageOrientation::Landscape, 8,
                         wideReportLines(list, titles), printer);
}

void tellPrintOutcome(const PrintOutcome& outcome, MessageBoxes& messages) {
    if (!outcome.ok) {
        const std::string reason = outcome.message.empty() ? "tuntematon syy" : outcome.message;
        messages.warning(" Tulostus ei onnistunut: " + reason + " ");
    } else if (!outcome.message.empty()) {
        messages.notice(outcome.message);
    }
}

} // namespace orvik
