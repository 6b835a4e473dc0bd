#pragma once
#include <string>

namespace orvik {

enum class PageOrientation { Portrait, Landscape };

struct PrintOutcome {
    bool ok = true;
    // What the user should be told: why printing failed, or where a document
    // went when there was no printer to take it. Empty when nothing to say.
    std::string message;
};

// The user's default printer, driven one document at a time in this order:
// begin, orientation, font, lines, end.
class PrintingService {
public:
    virtual ~PrintingService() = default;
    // Where a document goes as a PDF file when no printer takes it: a
    // directory value (ending in its separator, empty for the current
    // directory).
    virtual void setPdfDirectory(const std::string& directoryValue) = 0;
    // `documentName` names the document (and a file written in its place).
    virtual void beginDocument(const std::string& documentName) = 0;
    virtual void setOrientation(PageOrientation orientation) = 0;
    virtual void setFont(const std::string& face, int points) = 0;
    // One line of code-page text; a line that no longer fits on the page goes
    // to the top of a new page.
    virtual void printLine(const std::string& line) = 0;
    virtual PrintOutcome endDocument() = 0;
};

} // namespace orvik
