#pragma once
// The printing service on Qt: the user's default printer, or a PDF file in a
// fallback directory when the machine has no printer.
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/printingservice.h"
#include "platform/qt/reportpage.h"

class QPrinter;
class QString;

namespace orvik {

class QtPrintingService : public PrintingService {
public:
    enum class Target {
        DefaultPrinter, // the default printer; a PDF file when there is none
        PdfFile,        // always a PDF file
    };

    // `pdfDirectory` is a directory value (ending in its separator, empty for
    // the current directory) where a document goes when no printer takes it,
    // named with the date and time `clock` gives.
    explicit QtPrintingService(Clock& clock, std::string pdfDirectory = {},
                               Target target = Target::DefaultPrinter);

    void setPdfDirectory(const std::string& directoryValue) override {
        pdfDirectory_ = directoryValue;
    }
    const std::string& pdfDirectory() const { return pdfDirectory_; }

    void beginDocument(const std::string& documentName) override;
    void setOrientation(PageOrientation orientation) override;
    void setFont(const std::string& face, int points) override;
    void printLine(const std::string& line) override;
    // Draws the collected lines, page after page, and releases the document.
    PrintOutcome endDocument() override;
    // The same on a printer the caller has set up (a toolkit PDF file, say).
    PrintOutcome endDocumentOn(QPrinter& printer);

private:
    PrintOutcome printOnQueue(QPrinter& printer, const QString& printerName);
    PrintOutcome printOnPrinter(QPrinter& printer, const std::string& printerName);
    // Empty when every line reached the printer; else why not.
    std::string drawLines(QPrinter& printer);

    Clock& clock_;
    std::string pdfDirectory_;
    Target target_;
    ReportDocument document_;
};

} // namespace orvik
