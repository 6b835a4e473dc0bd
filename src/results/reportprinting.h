#pragma once
// Sending the reports to the printing service, and telling the user how it went.
#include "platform/messagebox.h"
#include "platform/printingservice.h"
#include "results/reportlines.h"

namespace orvik {

inline constexpr const char* kNarrowReportName = "Inventointi";
inline constexpr const char* kWideReportName = "Inventointi laaja";

// Portrait, "Courier New" 9 points, the narrow report as one document.
PrintOutcome printNarrowReport(const ReviewList& list, PrintingService& printer);

// Landscape, "Courier New" 8 points, the wide report as one document.
PrintOutcome printWideReport(const ReviewList& list, const ColumnTitles& titles,
                             PrintingService& printer);

// A failed print is an error message; a document that went somewhere else
// than the printer (a file) is a notice naming where; otherwise nothing.
void tellPrintOutcome(const PrintOutcome& outcome, MessageBoxes& messages);

} // namespace orvik
