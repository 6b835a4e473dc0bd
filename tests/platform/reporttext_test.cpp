// The printed reports as a reader of the PDF sees them: the Qt printing
// service writes its PDF files itself, and every word in them must lie where
// the toolkit's printout of the same lines puts it (page, line and column,
// from the glyph positions), in a file a reader takes without complaint,
// whatever face the machine resolves for the report.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainterPath>
#include <QPrinter>
#include <QRawFont>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

#include "platform/doubles/fakeplatform.h"
#include "platform/pdf/truetypesubset.h"
#include "platform/qt/qtprintingservice.h"
#include "results/reportlines.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik::test {
namespace {

// A printout of the lines on the toolkit's own PDF printer: the glyph runs
// and text a real printer is given.
void printedByToolkit(const std::filesystem::path& pdf, PageOrientation orientation, int points,
                      const std::vector<std::string>& lines,
                      const std::string& face = "Courier New") {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    FakeClock clock;
    QtPrintingService service(clock, {}, QtPrintingService::Target::PdfFile);
    service.beginDocument("raportti");
    service.setOrientation(orientation);
    service.setFont(face, points);
    for (const std::string& line : lines)
        service.printLine(line);
    EXPECT_TRUE(service.endDocumentOn(printer).ok);
}

std::filesystem::path printedPdf(const TempDir& dir, PageOrientation orientation, int points,
                                 const std::vector<std::string>& lines,
                                 const std::string& face = "Courier New") {
    FakeClock clock;
    QtPrintingService service(clock, dir.dirValue(), QtPrintingService::Target::PdfFile);
    service.beginDocument("raportti");
    service.setOrientation(orientation);
    service.setFont(face, points);
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

// A word as a reader of the file finds it: where its glyphs are, in points
// from the page's top left.
struct Word {
    int page = 0;
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
    QString text;
    double lineTop = 0; // the top of the first word of its line
};

// The size of a character cell of the report font, in points.
struct Cell {
    double advance = 0;
    double lineSpacing = 0;
};

// The words of one page and line (whatever tops they have, as a glyph of a
// fallback face may sit a little apart), left to right.
void sortByLine(std::vector<Word>& words, const Cell& cell) {
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return std::tie(a.page, a.top) < std::tie(b.page, b.top);
    });
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word* above = i > 0 ? &words[i - 1] : nullptr;
        const bool sameLine = above && above->page == words[i].page &&
                              words[i].top - above->lineTop < cell.lineSpacing / 4;
        words[i].lineTop = sameLine ? above->lineTop : words[i].top;
    }
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return std::tie(a.page, a.lineTop, a.left) < std::tie(b.page, b.lineTop, b.left);
    });
}

// Words closer than most of a character, joined: a proportional face laid
// out at one pitch leaves gaps inside words that pdftotext takes for breaks.
std::vector<Word> joined(const std::vector<Word>& words, const Cell& cell) {
    std::vector<Word> out;
    for (const Word& word : words) {
        if (!out.empty() && out.back().page == word.page && out.back().lineTop == word.lineTop &&
            word.left - out.back().right < cell.advance * 3 / 4) {
            out.back().text += word.text;
            out.back().right = word.right;
        } else {
            out.push_back(word);
        }
    }
    return out;
}

// The words pdftotext finds from the glyph positions, page by page, each
// page's line by line from the top, each line's from the left.
std::vector<Word> wordsOf(const std::filesystem::path& pdf, const Cell& cell) {
    const std::string xhtml = commandOutput("pdftotext -bbox '" + pdf.string() + "' -");
    QXmlStreamReader reader(QByteArray::fromStdString(xhtml));
    std::vector<Word> words;
    int page = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("page")) {
            ++page;
        } else if (reader.name() == QLatin1String("word")) {
            const QXmlStreamAttributes at = reader.attributes();
            words.push_back({page, at.value("xMin").toDouble(), at.value("xMax").toDouble(),
                             at.value("yMin").toDouble(), at.value("yMax").toDouble(),
                             reader.readElementText(), 0});
        }
    }
    EXPECT_FALSE(reader.hasError()) << xhtml.substr(0, 200);
    sortByLine(words, cell);
    return joined(words, cell);
}

std::string describe(const Word& word) {
    return "\"" + word.text.toStdString() + "\" page " + std::to_string(word.page) + " at " +
           std::to_string(word.left) + ", " + std::to_string(word.top) + "-" +
           std::to_string(word.bottom);
}

// Where the words of `printed` differ from those of `expected` by more than
// a quarter of a character across or a quarter of a line down; the first few.
std::vector<std::string> misplacedWords(const std::vector<Word>& printed,
                                        const std::vector<Word>& expected, const Cell& cell) {
    std::vector<std::string> faults;
    if (printed.size() != expected.size())
        faults.push_back(std::to_string(printed.size()) + " words, expected " +
                         std::to_string(expected.size()));
    for (std::size_t i = 0; i < std::min(printed.size(), expected.size()) && faults.size() < 5;
         ++i) {
        const Word& got = printed[i];
        const Word& want = expected[i];
        if (got.text != want.text || got.page != want.page ||
            std::abs(got.left - want.left) > cell.advance / 4 ||
            std::abs(got.top - want.top) > cell.lineSpacing / 4 ||
            std::abs(got.bottom - want.bottom) > cell.lineSpacing / 4)
            faults.push_back(describe(got) + ", expected " + describe(want));
    }
    return faults;
}

// The fonts of a PDF file as pdffonts lists them, a line each: the name,
// then whether the font is embedded, a subset and mapped to Unicode
// ("TAG+Name yes yes yes").
std::vector<std::string> fontsOf(const std::filesystem::path& pdf) {
    const QStringList lines =
        QString::fromStdString(commandOutput("pdffonts '" + pdf.string() + "'"))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    std::vector<std::string> fonts;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList columns = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() >= 6)
            fonts.push_back(
                (columns[0] + ' ' + columns.mid(columns.size() - 5, 3).join(' ')).toStdString());
    }
    if (lines.size() < 2)
        fonts.push_back(lines.join('\n').toStdString());
    return fonts;
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

TEST(ReportText, PrintedPdfPlacesEveryWordWhereThePrinterWouldPageForPage) {
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
        const QFont font = reportFont("Courier New", report.points);
        const QFontMetricsF metrics(font);
        const double pointsPerPixel = 72 / metrics.fontDpi();
        const Cell cell{metrics.horizontalAdvance(QLatin1Char('0')) * pointsPerPixel,
                        metrics.lineSpacing() * pointsPerPixel};
        TempDir dir;
        printedByToolkit(dir.path() / "toolkit.pdf", report.orientation, report.points,
                         report.lines);
        const std::vector<Word> expected = wordsOf(dir.path() / "toolkit.pdf", cell);
        const std::filesystem::path pdf =
            printedPdf(dir, report.orientation, report.points, report.lines);
        const std::string info = commandOutput("pdfinfo '" + pdf.string() + "' 2>&1");
        EXPECT_NE(info.find("Pages:"), std::string::npos) << info;
        EXPECT_EQ(info.find("rror"), std::string::npos) << info;
        ASSERT_GT(expected.empty() ? 0 : expected.back().page, 3) << "several pages";
        EXPECT_EQ(misplacedWords(wordsOf(pdf, cell), expected, cell), std::vector<std::string>{})
            << QFontInfo(font).family().toStdString() << ' ' << report.points;
    }
}

TEST(ReportText, PrintedPdfCarriesTheReportFontAsASubsetOfTheGlyphsItShows) {
    TempDir dir;
    const std::filesystem::path pdf =
        printedPdf(dir, PageOrientation::Portrait, 9, narrowReportLines(sampleList()));
    const std::vector<std::string> fonts = fontsOf(pdf);
    ASSERT_EQ(fonts.size(), 1u) << testing::PrintToString(fonts);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+[A-Za-z0-9]+ yes yes yes$"))
                    .match(QString::fromStdString(fonts[0]))
                    .hasMatch())
        << fonts[0] << " (" << QFontInfo(reportFont("Courier New", 9)).family().toStdString()
        << ")";
}

// Every character of the code page reads back from the file as itself, each
// a word of its own: two blanks apart, as a wide glyph of a proportional face
// may reach over one. The controls and the bytes the code page leaves
// undefined show nothing; pdftotext takes a no-break space for a blank.
TEST(ReportText, EveryCharacterOfTheCodePageReadsBackFromThePdfAsItself) {
    std::vector<std::string> lines(1);
    std::vector<std::string> expected;
    for (int code = 0x21; code <= 0xFF; ++code) {
        const auto byte = static_cast<unsigned char>(code);
        const char32_t character = cp1252::toUnicode(byte);
        if (code == 0x7F || code == 0xA0 || (character >= 0x80 && character < 0xA0))
            continue;
        if (lines.back().size() >= 90)
            lines.emplace_back();
        lines.back() += std::string(1, static_cast<char>(byte)) + "  ";
        expected.push_back(cp1252::toUtf8(std::string(1, static_cast<char>(byte))));
    }
    const QFont font = reportFont("Courier New", 9);
    const QFontMetricsF metrics(font);
    const double pointsPerPixel = 72 / metrics.fontDpi();
    const Cell cell{metrics.horizontalAdvance(QLatin1Char('0')) * pointsPerPixel,
                    metrics.lineSpacing() * pointsPerPixel};
    TempDir dir;
    std::vector<std::string> read;
    for (const Word& word : wordsOf(printedPdf(dir, PageOrientation::Portrait, 9, lines), cell))
        read.push_back(word.text.toStdString());
    EXPECT_EQ(read, expected) << QFontInfo(font).family().toStdString();
}

// The subset's glyphs draw exactly as the font's own, read by the toolkit's
// font engine from the subset's file: the composites' parts are there under
// their new numbers, and every glyph where its index says. The glyphs the
// subset finds for the code page's characters are the engine's too.
TEST(ReportText, EveryGlyphOfTheSubsetDrawsAsTheReportFontsOwn) {
    QFont face = reportFont("Courier New", 9);
    face.setHintingPreference(QFont::PreferNoHinting);
    QRawFont whole = QRawFont::fromFont(face);
    ASSERT_TRUE(whole.isValid());
    FontTables tables;
    for (const std::string& tag : trueTypeSubsetTables())
        tables[tag] = whole.fontTable(tag.c_str()).toStdString();
    const TrueTypeFont font(tables);
    ASSERT_EQ(font.whyNot(), "") << QFontInfo(face).family().toStdString();
    std::array<std::uint16_t, 256> codes{};
    for (int code = 0x21; code <= 0xFF; ++code) {
        const char32_t character = cp1252::toUnicode(static_cast<unsigned char>(code));
        codes[static_cast<std::size_t>(code)] = font.glyphOf(character);
        const QList<quint32> engines =
            whole.glyphIndexesForString(QString::fromUcs4(&character, 1));
        EXPECT_EQ(codes[static_cast<std::size_t>(code)], engines.value(0)) << code;
    }
    const FontSubset subset = font.subset(codes);
    ASSERT_EQ(subset.whyNot, "");
    const QRawFont cut(QByteArray::fromStdString(subset.font), 200, QFont::PreferNoHinting);
    ASSERT_TRUE(cut.isValid());
    whole.setPixelSize(200);
    for (std::size_t glyph = 0; glyph < subset.glyphs.size(); ++glyph) {
        const auto index = static_cast<quint32>(glyph);
        EXPECT_EQ(cut.pathForGlyph(index), whole.pathForGlyph(subset.glyphs[glyph])) << glyph;
        EXPECT_EQ(cut.advancesForGlyphIndexes({index}),
                  whole.advancesForGlyphIndexes({subset.glyphs[glyph]}))
            << glyph;
    }
    EXPECT_LT(subset.glyphs.size(), 300u);
}

// A face of PostScript outlines is named, not embedded (see the subset),
// and its words still lie where the printer puts them.
TEST(ReportText, AFaceOfPostScriptOutlinesIsNamedAndItsWordsLieWhereThePrinterPutsThem) {
    const int id = QFontDatabase::addApplicationFont(
        QStringLiteral("/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Regular.otf"));
    ASSERT_NE(id, -1) << "the face comes with fonts-urw-base35 (scripts/deps.sh)";
    // Named plainly, as a shop sets it, though the machine may list the family
    // with its maker (its system fonts may hold it as Type 1 too).
    const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    const std::string face = family.toStdString();
    const std::vector<std::string> lines = narrowReportLines(sampleList());
    const QFont font = reportFont(face, 9);
    ASSERT_TRUE(QFontInfo(font).family().startsWith(family))
        << QFontInfo(font).family().toStdString();
    ASSERT_TRUE(QRawFont::fromFont(font).fontTable("glyf").isEmpty());
    const QFontMetricsF metrics(font);
    const double pointsPerPixel = 72 / metrics.fontDpi();
    const Cell cell{metrics.horizontalAdvance(QLatin1Char('0')) * pointsPerPixel,
                    metrics.lineSpacing() * pointsPerPixel};
    TempDir dir;
    printedByToolkit(dir.path() / "toolkit.pdf", PageOrientation::Portrait, 9, lines, face);
    const std::filesystem::path pdf = printedPdf(dir, PageOrientation::Portrait, 9, lines, face);
    const std::vector<std::string> fonts = fontsOf(pdf);
    ASSERT_EQ(fonts.size(), 1u) << testing::PrintToString(fonts);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^NimbusMonoPS\\w* no no no$"))
                    .match(QString::fromStdString(fonts[0]))
                    .hasMatch())
        << fonts[0];
    EXPECT_EQ(misplacedWords(wordsOf(pdf, cell), wordsOf(dir.path() / "toolkit.pdf", cell), cell),
              std::vector<std::string>{});
}

} // namespace
} // namespace orvik::test
