#include "platform/qt/qtprintingservice.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRawFont>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "files/dirvalue.h"
#include "files/safewrite.h"
#include "platform/pdf/textpdf.h"
#include "platform/qt/qtext.h"
#include "platform/qt/systemprintqueue.h"
#include "text/codepage.h"

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

// Where pages begin among `lineCount` lines: a line that no longer fits
// below the lines above it starts a new page. Heights in device pixels.
std::vector<std::size_t> pageStarts(std::size_t lineCount, int lineHeight, int lineSpacing,
                                    int pageHeight) {
    std::vector<std::size_t> starts{0};
    int top = 0;
    for (std::size_t line = 0; line < lineCount; ++line) {
        if (top > 0 && top + lineHeight > pageHeight) {
            starts.push_back(line);
            top = 0;
        }
        top += lineSpacing;
    }
    return starts;
}

// A font family as a PDF names it: its letters and digits.
std::string pdfFontName(const QString& family) {
    std::string name;
    for (QChar c : family)
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            name += static_cast<char>(c.unicode());
    return name.empty() ? std::string("Courier") : name;
}

// The width of a fixed-pitch font's characters in thousandths of its size,
// as the font itself gives it (and as PDF files made by the toolkit hold it).
double designWidth(const QFont& font) {
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.unitsPerEm() <= 0)
        return 600;
    raw.setPixelSize(raw.unitsPerEm());
    const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("0"));
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    return advances.isEmpty() ? 600 : std::round(advances[0].x() * 1000 / raw.unitsPerEm());
}

// The tables of the font the toolkit resolved for the report, as the face's
// own file holds them (of the face within a collection), for the PDF file to
// carry the glyphs its lines show.
FontTables fontTables(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    FontTables tables;
    if (!raw.isValid())
        return tables;
    for (const std::string& tag : trueTypeSubsetTables()) {
        const QByteArray table = raw.fontTable(tag.c_str());
        if (!table.isEmpty())
            tables[tag] = table.toStdString();
    }
    return tables;
}

// From one character of a report line to the next, in the printer's pixels:
// a digit's width, which is every character's in a fixed-pitch face.
qreal reportPitch(const QFont& font, QPrinter& printer) {
    return QFontMetricsF(font, &printer).horizontalAdvance(QLatin1Char('0'));
}

// Where the toolkit would put lines of `font` on the printer's pages, in
// points.
TextPdfLayout pdfLayout(QPrinter& printer, const QFont& font, int points) {
    const QPageLayout page = printer.pageLayout();
    const QRect paintRect = page.paintRectPixels(printer.resolution());
    const double pointsPerPixel = 72.0 / printer.resolution();
    const QFontMetrics metrics(font, &printer);
    const QFontMetricsF exact(font, &printer);
    TextPdfLayout layout;
    layout.pageWidth = page.fullRectPoints().width();
    layout.pageHeight = page.fullRectPoints().height();
    layout.left = paintRect.left() * pointsPerPixel;
    layout.firstBaseline = (paintRect.top() + metrics.ascent()) * pointsPerPixel;
    layout.lineSpacing = metrics.lineSpacing() * pointsPerPixel;
    layout.fontName = pdfFontName(QFontInfo(font).family());
    layout.fontPoints = points;
    layout.advance = reportPitch(font, printer) * pointsPerPixel;
    layout.glyphWidth = designWidth(font);
    layout.ascent = exact.ascent() * pointsPerPixel;
    layout.descent = exact.descent() * pointsPerPixel;
    layout.fontTables = fontTables(font);
    return layout;
}

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

QFont reportFont(const std::string& face, int points) {
    const QString family = toQString(face);
    // hasFamily, not the family list: where two makers ship a family the list
    // names it only with its maker ("Courier New [Monotype]").
    if (QFontDatabase::hasFamily(family)) {
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

// The file is written here rather than by the toolkit's PDF engine, which
// compresses and positions every glyph on its own and so takes seconds for a
// long report. The pages break where they would on the toolkit's default
// paper, each character sits where the toolkit would draw it, the file
// carries the glyphs of the report font that it shows (or names a font that
// can't be embedded), and it appears whole or not at all.
PrintOutcome QtPrintingService::printToPdf() {
    const std::string path = pdfPathFor(document_.name);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(pageOrientation(document_.orientation));
    const QFont font = reportFont(document_.face, document_.points);
    const QFontMetrics metrics(font, &printer);
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const std::vector<std::size_t> starts =
        pageStarts(document_.lines.size(), metrics.height(), metrics.lineSpacing(), pageHeight);
    const std::string pdf = textPdf(pdfLayout(printer, font, document_.points), document_.lines,
                                    starts, document_.name);
    if (replaceFile(fsPath(path), pdf).failed())
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
