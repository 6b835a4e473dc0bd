#pragma once
// A report as a PDF file of the program's own making, for a machine without
// a printer.
#include <string>

#include "platform/clock.h"
#include "platform/printingservice.h"
#include "platform/qt/reportpage.h"

namespace orvik {

// Writes the document as "<name>_yyyymmdd_hhmmss.pdf" (the date and time
// from `clock`) in the directory value `directory`; a second document within
// the same second gets a number after the time.
PrintOutcome writeReportPdf(const ReportDocument& document, const std::string& directory,
                            Clock& clock);

} // namespace orvik
