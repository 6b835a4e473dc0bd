#include "platform/qt/qtprintingservice.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <array>

#include "common/codepage.h"
#include "common/dirvalue.h"
#include "platform/qt/qtext.h"

namespace orvik {

namespace {

using namespace orvik::literals;

QPageLayout::Orientation pageOrientation(PageOrientation orientation) {
    return orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait;
}

// A document name made safe as a file name.
std::string fileNameStem(const std::string& documentName) {
    std::string stem;
    for (char c : documentName)
        stem += (c == ' ' || c == '/' || c == '\\' || c == ':') ? '_' : c;
    return stem.empty() ? std::string("raportti") : stem;
}

// The lines of a report as glyph runs of the report's font: a line of
// fixed-pitch text needs no shaping, and its blanks need not be drawn, which
// is most of the work of a page. A line with a character the font has no
// glyph for (or a control character) is drawn as text, with Qt's fallbacks.
class ReportGlyphs {
public:
    explicit ReportGlyphs(const QFont& deviceFont) : font_(QRawFont::fromFont(deviceFont)) {
        if (!font_.isValid())
            return;
        for (int byte = 0; byte < 256; ++byte) {
            const QString text = toQString(std::string(1, static_cast<char>(byte)));
            const QList<quint32> glyphs = font_.glyphIndexesForString(text);
            const bool drawable =
                text.size() == 1 && text[0].isPrint() && glyphs.size() == 1 && glyphs[0] != 0;
            if (!drawable)
                continue;
            const QList<QPointF> advances = font_.advancesForGlyphIndexes(glyphs);
            glyph_[static_cast<std::size_t>(byte)] = glyphs[0];
            advance_[static_cast<std::size_t>(byte)] = advances.value(0).x();
            drawable_[static_cast<std::size_t>(byte)] = true;
        }
    }

    // Adds `line`, its baseline at `baseline`, to the glyphs drawn at the
    // next flush; false when it cannot be drawn as glyphs, and then nothing
    // of it was added.
    bool add(const QPointF& baseline, const std::string& line) {
        if (!font_.isValid())
            return false;
        const qsizetype before = glyphs_.size();
        qreal x = baseline.x();
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if (!drawable_[byte]) {
                glyphs_.resize(before);
                positions_.resize(before);
                return false;
            }
            if (c != ' ') {
                glyphs_.append(glyph_[byte]);
                positions_.append(QPointF(x, baseline.y()));
            }
            x += advance_[byte];
        }
        return true;
    }

    // Draws the glyphs added since the last flush, as one run: a page is
    // handed to the paint engine at once rather than line by line.
    void flush(QPainter& painter) {
        if (glyphs_.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(font_);
        run.setGlyphIndexes(glyphs_);
        run.setPositions(positions_);
        painter.drawGlyphRun(QPointF(0, 0), run);
        glyphs_.clear();
        positions_.clear();
    }

private:
    QRawFont font_;
    std::array<quint32, 256> glyph_{};
    std::array<qreal, 256> advance_{};
    std::array<bool, 256> drawable_{};
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
};

} // namespace

QFont reportFont(const std::string& face, int points) {
    const QString family = toQString(face);
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) {
        QFont font(family, points);
        font.setStyleHint(QFont::TypeWriter);
        return font;
    }
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(points);
    return fixed;
}

QtPrintingService::QtPrintingService(std::string pdfDirectory, Target target)
    : pdfDirectory_(std::move(pdfDirectory)), target_(target) {}

void QtPrintingService::beginDocument(const std::string& documentName) {
    document_ = Document{};
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
        outcome = printToPdf();
    } else {
        QPrinter printer(printerInfo, QPrinter::HighResolution);
        outcome = printOnPrinter(printer, fromQString(printerInfo.printerName()));
    }
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

PrintOutcome QtPrintingService::printToPdf() {
    const std::string path = pdfPathFor(document_.name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(toQString(path));
    const std::string failure = drawLines(printer);
    const QFileInfo written(toQString(path));
    if (!failure.empty() || !written.exists() || written.size() == 0)
        return {false, "tiedostoa " + path + " ei voitu kirjoittaa"};
    return {true, " Oletustulostinta ei ole. Raportti tallennettiin tiedostoon " + path + " "};
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
    ReportGlyphs glyphs(painter.font());
    int top = 0;
    for (const std::string& line : document_.lines) {
        if (top > 0 && top + metrics.height() > pageHeight) {
            glyphs.flush(painter);
            if (!printer.newPage())
                return "uutta sivua ei voitu aloittaa";
            top = 0;
        }
        if (!glyphs.add(QPointF(0, top + metrics.ascent()), line)) {
            glyphs.flush(painter);
            painter.drawText(0, top + metrics.ascent(), toQString(line));
        }
        top += metrics.lineSpacing();
    }
    glyphs.flush(painter);
    if (!painter.end())
        return "tulostusta ei voitu päättää"_cp;
    return {};
}

// "<name>_yyyymmdd_hhmmss.pdf" in the fallback directory; a second document
// within the same second gets a number after the time.
std::string QtPrintingService::pdfPathFor(const std::string& documentName) const {
    const std::string stem =
        fileNameStem(documentName) + "_" +
        fromQString(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss")));
    std::string path = inDir(pdfDirectory_, stem + ".pdf");
    for (int copy = 2; QFileInfo::exists(toQString(path)); ++copy)
        path = inDir(pdfDirectory_, stem + "_" + std::to_string(copy) + ".pdf");
    return path;
}

} // namespace orvik
