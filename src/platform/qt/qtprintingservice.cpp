#include "platform/qt/qtprintingservice.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <array>
#include <utility>
#include <vector>

#include "platform/qt/qtext.h"
#include "platform/qt/reportpdf.h"
#include "platform/qt/systemprintqueue.h"
#include "text/codepage.h"

namespace orvik {

namespace {

using namespace orvik::literals;

// The lines of a report as glyph runs of the report's font, each character
// one pitch right of the last, as in the PDF file: the columns line up even
// in a proportional face, which is all a machine without a fixed-pitch one
// can offer. A line of report text needs no shaping, and its blanks need not
// be drawn, which is most of the work of a page. A character the font has no
// glyph for is drawn as text in its place, with the toolkit's fallbacks;
// controls and bytes the code page leaves undefined show nothing.
class ReportGlyphs {
public:
    ReportGlyphs(const QFont& deviceFont, qreal pitch)
        : font_(QRawFont::fromFont(deviceFont)), pitch_(pitch) {
        for (int byte = 0; byte < 256; ++byte) {
            const QString text = toQString(std::string(1, static_cast<char>(byte)));
            if (byte == ' ' || !text[0].isPrint())
                continue;
            const QList<quint32> glyphs =
                font_.isValid() ? font_.glyphIndexesForString(text) : QList<quint32>();
            if (glyphs.size() == 1 && glyphs[0] != 0)
                glyph_[static_cast<std::size_t>(byte)] = glyphs[0];
            else
                fallback_[static_cast<std::size_t>(byte)] = text;
        }
    }

    // Adds `line`, its baseline at `baseline`, to what the next flush draws.
    void add(const QPointF& baseline, const std::string& line) {
        QPointF at = baseline;
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if (glyph_[byte] != 0) {
                glyphs_.append(glyph_[byte]);
                positions_.append(at);
            } else if (!fallback_[byte].isEmpty()) {
                texts_.emplace_back(at, fallback_[byte]);
            }
            at.rx() += pitch_;
        }
    }

    // Draws what was added since the last flush, the glyphs as one run: a
    // page is handed to the paint engine at once rather than line by line.
    void flush(QPainter& painter) {
        if (!glyphs_.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(font_);
            run.setGlyphIndexes(glyphs_);
            run.setPositions(positions_);
            painter.drawGlyphRun(QPointF(0, 0), run);
        }
        for (const auto& [at, text] : texts_)
            painter.drawText(at, text);
        glyphs_.clear();
        positions_.clear();
        texts_.clear();
    }

private:
    QRawFont font_;
    qreal pitch_;
    std::array<quint32, 256> glyph_{};    // 0 where a byte has no glyph to draw
    std::array<QString, 256> fallback_{}; // a character drawn as text
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
    std::vector<std::pair<QPointF, QString>> texts_;
};

} // namespace

QtPrintingService::QtPrintingService(Clock& clock, std::string pdfDirectory, Target target)
    : clock_(clock), pdfDirectory_(std::move(pdfDirectory)), target_(target) {}

void QtPrintingService::beginDocument(const std::string& documentName) {
    document_ = ReportDocument{};
    document_.name = documentName;
}

void QtPrintingService::setOrientation(PageOrientation orientation) {
    document_.orientation = orientation;
}

void QtPrintingService::setFont(const std::string& face, int points) {
    document_.face = face;
    document_.points = points;
}

void QtPrintingService::printLine(const std::string& line) {
    document_.lines.push_back(line);
}

PrintOutcome QtPrintingService::endDocument() {
    PrintOutcome outcome;
    const QPrinterInfo printerInfo =
        target_ == Target::DefaultPrinter ? QPrinterInfo::defaultPrinter() : QPrinterInfo();
    if (printerInfo.isNull()) {
        outcome = writeReportPdf(document_, pdfDirectory_, clock_);
    } else {
        QPrinter printer(printerInfo, QPrinter::HighResolution);
        outcome = printOnQueue(printer, printerInfo.printerName());
    }
    document_.lines.clear();
    return outcome;
}

PrintOutcome QtPrintingService::endDocumentOn(QPrinter& printer) {
    const PrintOutcome outcome = printOnPrinter(printer, fromQString(printer.printerName()));
    document_.lines.clear();
    return outcome;
}

PrintOutcome QtPrintingService::printOnPrinter(QPrinter& printer, const std::string& printerName) {
    const std::string failure = drawLines(printer);
    if (!failure.empty() || printer.printerState() == QPrinter::Error)
        return {false, "tulostin " + printerName + " ei ottanut raporttia vastaan" +
                           (failure.empty() ? std::string() : " (" + failure + ")")};
    return {};
}

// The toolkit says nothing of what the print service did with the job, so
// the queue is asked: a stopped one gets no job to keep waiting unseen (and
// print later, perhaps after the user printed the report elsewhere), and one
// that turned the job away is a failed print.
PrintOutcome QtPrintingService::printOnQueue(QPrinter& printer, const QString& printerName) {
    SystemPrintQueue queue(printerName);
    const std::string stopped = queue.whyStopped();
    if (!stopped.empty())
        return {false, stopped};
    queue.noteJobs();
    const std::string name = fromQString(printerName);
    const PrintOutcome printed = printOnPrinter(printer, name);
    if (!printed.ok)
        return printed;
    const std::string refused = queue.whyNotTaken(printer.docName());
    if (!refused.empty())
        return {false, "tulostin " + name + " ei ottanut raporttia vastaan (" + refused + ")"};
    return printed;
}

std::string QtPrintingService::drawLines(QPrinter& printer) {
    printer.setDocName(toQString(document_.name));
    printer.setPageOrientation(pageOrientation(document_.orientation));
    QPainter painter;
    if (!painter.begin(&printer))
        return "tulostusta ei voitu aloittaa";
    const QFont font = reportFont(document_.face, document_.points);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    ReportGlyphs glyphs(painter.font(), reportPitch(font, printer));
    const std::vector<std::size_t> starts =
        pageStarts(document_.lines.size(), metrics.height(), metrics.lineSpacing(), pageHeight);
    std::size_t nextPage = 1;
    int top = 0;
    for (std::size_t index = 0; index < document_.lines.size(); ++index) {
        const std::string& line = document_.lines[index];
        if (nextPage < starts.size() && starts[nextPage] == index) {
            glyphs.flush(painter);
            if (!printer.newPage())
                return "uutta sivua ei voitu aloittaa";
            ++nextPage;
            top = 0;
        }
        glyphs.add(QPointF(0, top + metrics.ascent()), line);
        top += metrics.lineSpacing();
    }
    glyphs.flush(painter);
    if (!painter.end())
        return "tulostusta ei voitu päättää"_cp;
    return {};
}

} // namespace orvik
