#include "platform/qt/reportpdf.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPrinter>
#include <QRawFont>
#include <cmath>

#include "files/dirvalue.h"
#include "files/fileops.h"
#include "files/safewrite.h"
#include "platform/pdf/textpdf.h"
#include "platform/qt/qtext.h"
#include "text/daydate.h"

namespace orvik {

namespace {

// A document name made safe as a file name.
std::string fileNameStem(const std::string& documentName) {
    std::string stem;
    for (char c : documentName)
        stem += (c == ' ' || c == '/' || c == '\\' || c == ':') ? '_' : c;
    return stem.empty() ? std::string("raportti") : stem;
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

bool taken(const std::string& path) {
    systemfile::Status status;
    return fileOps().pathStatus(fsPath(path).c_str(), status) == 0;
}

// "<name>_yyyymmdd_hhmmss.pdf" in the directory; a second document within
// the same second gets a number after the time.
// "<name>_yyyymmdd_hhmmss.pdf" in the fallback directory; a second document
// within the same second gets a number after the time.
std::string pdfPathFor(const std::string& documentName, const std::string& directory,
                       Clock& clock) {
    const std::string stem = fileNameStem(documentName) + "_" +
                             formatDate(clock.today(), "yyyymmdd") + "_" +
                             formatTime(clock.now(), "hhmmss");
    std::string path = inDir(directory, stem + ".pdf");
    for (int copy = 2; taken(path); ++copy)
        path = inDir(directory, stem + "_" + std::to_string(copy) + ".pdf");
    return path;
}

} // namespace

// The file is written here rather than by the toolkit's PDF engine, which
// compresses and positions every glyph on its own and so takes seconds for a
// long report. The pages break where they would on the toolkit's default
// paper, each character sits where the toolkit would draw it, the file
// carries the glyphs of the report font that it shows (or names a font that
// can't be embedded), and it appears whole or not at all.
PrintOutcome writeReportPdf(const ReportDocument& document, const std::string& directory,
                            Clock& clock) {
    const std::string path = pdfPathFor(document.name, directory, clock);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(pageOrientation(document.orientation));
    const QFont font = reportFont(document.face, document.points);
    const QFontMetrics metrics(font, &printer);
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    const std::vector<std::size_t> starts =
        pageStarts(document.lines.size(), metrics.height(), metrics.lineSpacing(), pageHeight);
    const std::string pdf =
        textPdf(pdfLayout(printer, font, document.points), document.lines, starts, document.name);
    if (replaceFile(fsPath(path), pdf).failed())
        return {false, "tiedostoa " + path + " ei voitu kirjoittaa"};
    return {true, " Oletustulostinta ei ole. Raportti tallennettiin tiedostoon " + path + " "};
}

} // namespace orvik
