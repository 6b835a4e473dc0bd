#pragma once
// The printing service on Qt: the user's default printer, or a PDF file in a
// fallback directory when the machine has no printer.
#include <string>
#include <vector>

#include "platform/printingservice.h"

class QFont;
class QPrinter;
class QString;

namespace orvik {

// The font for a report: the face asked for, or the system's fixed-pitch
// font at the same size when the machine lacks it. A machine with no
// fixed-pitch face at all may give a proportional one; the lines are laid out
// at one pitch all the same, so their columns line up.
QFont reportFont(const std::string& face, int points);

class QtPrintingService : public PrintingService {
public:
    enum class Target {
        DefaultPrinter, // the default printer; a PDF file when there is none
        PdfFile,        // always a PDF file
    };

    // `pdfDirectory` is a directory value (ending in its separator, empty for
    // the current directory) where a document goes when no printer takes it.
    explicit QtPrintingService(std::string pdfDirectory = {},
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
    struct Document {
        std::string name;
        PageOrientation orientation = PageOrientation::Portrait;
        std::string face = "Courier New";
        int points = 10;
        std::vector<std::string> lines;
    };

    PrintOutcome printOnQueue(QPrinter& printer, const QString& printerName);
    PrintOutcome printOnPrinter(QPrinter& printer, const std::string& printerName);
    PrintOutcome printToPdf();
    // Empty when every line reached the printer; else why not.
    std::string drawLines(QPrinter& printer);
    std::string pdfPathFor(const std::string& documentName) const;

    std::string pdfDirectory_;
    Target target_;
    Document document_;
};

} // namespace orvik
