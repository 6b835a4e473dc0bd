// The printed reports' text as a reader of the PDF sees it: the Qt printing
// service writes its PDF files itself, and what pdftotext reads back from them
// must be what the toolkit's plain text drawing of the same lines gives, page
// for page, in a file a reader takes without complaint.
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "platform/qt/qtext.h"
#include "platform/qt/qtprintingservice.h"
#include "results/reportlines.h"
#include "support/tempdir.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

// The drawing as it was before the glyph runs: each line as text.
void drawAsText(const std::filesystem::path& pdf, PageOrientation orientation, int points,
                const std::vector<std::string>& lines) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    QPainter painter(&printer);
    const QFont font = reportFont("Courier New", points);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    int top = 0;
    for (const std::string& line : lines) {
        if (top > 0 && top + metrics.height() > pageHeight) {
            printer.newPage();
            top = 0;
        }
        painter.drawText(0, top + metrics.ascent(), toQString(line));
        top += metrics.lineSpacing();
    }
}

std::filesystem::path printedPdf(const TempDir& dir, PageOrientation orientation, int points,
                                 const std::vector<std::string>& lines) {
    QtPrintingService service(dir.dirValue(), QtPrintingService::Target::PdfFile);
    service.beginDocument("raportti");
    service.setOrientation(orientation);
    service.setFont("Courier New", points);
    for (const std::string& line : lines)
        service.printLine(line);
    EXPECT_TRUE(service.endDocument().ok);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().starts_with("raportti"))
            return entry.path();
    return {};
}

// What a command prints, or a text saying it failed.
std::string commandOutput(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return "<" + command + " did not start>";
    std::string text;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, got);
    return ::pclose(pipe) == 0 ? text : "<" + command + " failed>";
}

// pdftotext's layout text of the file; pages end with a form feed.
std::string layoutText(const std::filesystem::path& pdf) {
    return commandOutput("pdftotext -layout '" + pdf.string() + "' -");
}

// Rows as the reports get them, with the odd ones among them: no stock data,
// letters beyond ASCII, a euro sign and a byte that is no character at all.
ReviewList sampleList() {
    ReviewList list;
    for (int i = 0; i < 400; ++i) {
        ReviewRow row;
        row.fill(std::string(10, ' '));
        row[colTuote] = std::to_string(6410000000000 + i * 7919);
        row[colLukija] = std::to_string(i % 37) + (i % 5 == 0 ? ",5" : "");
        if (i % 9 != 0) {
            row[colNimitys] = "Tuote " + std::to_string(i) + (i % 4 == 0 ? " \xE4\xF6" : "") +
                              (i % 7 == 0 ? " (2\\3)" : "");
            row[colVarasto] = "        " + std::to_string(i % 90);
            row[colErotus] = "     -" + std::to_string(i % 11) + ".25";
            row[colTuoteryhma] = "S\xE4ilykkeet               ";
            row[colToimittaja] =
                i % 50 == 0 ? "Tuonti \x80 \x81\x07\x7F Oy          " : std::string(25, ' ');
            row[colMyyntihinta] = "     12.95";
            row[colOstohinta] = "      7.40";
            row[colEroOH] = "     -13,00";
        }
        list.rows.push_back(row);
    }
    return list;
}

TEST(ReportText, PrintedPdfReadsBackAsTheTextDrawnLineByLinePageForPage) {
    const ReviewList list = sampleList();
    ColumnTitles titles;
    for (const ReviewColumnLayout& column : reviewColumns())
        titles.push_back(column.title);
    struct Report {
        PageOrientation orientation;
        int points;
        std::vector<std::string> lines;
    };
    const Report reports[] = {{PageOrientation::Portrait, 9, narrowReportLines(list)},
                              {PageOrientation::Landscape, 8, wideReportLines(list, titles)}};
    for (const Report& report : reports) {
        TempDir dir;
        drawAsText(dir.path() / "text.pdf", report.orientation, report.points, report.lines);
        const std::string expected = layoutText(dir.path() / "text.pdf");
        const std::filesystem::path pdf =
            printedPdf(dir, report.orientation, report.points, report.lines);
        const std::string info = commandOutput("pdfinfo '" + pdf.string() + "' 2>&1");
        EXPECT_NE(info.find("Pages:"), std::string::npos) << info;
        EXPECT_EQ(info.find("rror"), std::string::npos) << info;
        const std::string printed = layoutText(pdf);
        ASSERT_GT(std::count(expected.begin(), expected.end(), '\f'), 3) << "several pages";
        EXPECT_EQ(printed, expected) << report.points;
    }
}

} // namespace
} // namespace orvik::test
