// The Qt printing service, through the PDF file it writes where there is no
// printer.
#include <QFont>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtprintingservice.h"
#include "support/files.h"
#ifndef _WIN32
#include "support/killingfileops.h"
#endif
#include "support/tempdir.h"

namespace orvik::test {
namespace {

using Target = QtPrintingService::Target;

// Page objects of a PDF file ("/Type /Page", not the "/Pages" tree).
int pageCount(const std::string& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int count = 0;
    auto matches = page.globalMatch(QString::fromLatin1(pdf.data(), static_cast<int>(pdf.size())));
    while (matches.hasNext()) {
        matches.next();
        ++count;
    }
    return count;
}

std::vector<std::filesystem::path> pdfFiles(const TempDir& dir) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().extension() == ".pdf")
            files.push_back(entry.path());
    return files;
}

PrintOutcome printDocument(QtPrintingService& service, PageOrientation orientation, int lines) {
    service.beginDocument("Inventointi laaja");
    service.setOrientation(orientation);
    service.setFont("Courier New", 9);
    for (int i = 0; i < lines; ++i)
        service.printLine("     rivi " + std::to_string(i) + std::string(70, '-'));
    return service.endDocument();
}

TEST(QtPrintingService, WithoutAPrinterDocumentsBecomePdfFilesOfAsManyPagesAsNeeded) {
    TempDir dir;
    FakeClock clock;
    QtPrintingService service(clock, dir.dirValue(), Target::PdfFile);
    const PrintOutcome outcome = printDocument(service, PageOrientation::Portrait, 200);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    std::vector<std::filesystem::path> files = pdfFiles(dir);
    ASSERT_EQ(files.size(), 1u);
    const std::string name = files[0].filename().string();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Inventointi_laaja_\\d{8}_\\d{6}\\.pdf$"))
                    .match(QString::fromStdString(name))
                    .hasMatch())
        << name;
    EXPECT_NE(outcome.message.find(dir.dirValue() + name), std::string::npos) << outcome.message;
    // 9-point lines: a portrait page holds fewer than 100 and more than 40.
    const int pages = pageCount(readFile(files[0]));
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 5);

    // Documents printed within the same second still get files of their own;
    // a landscape page holds fewer lines than a portrait one.
    std::filesystem::remove(files[0]);
    ASSERT_TRUE(printDocument(service, PageOrientation::Portrait, 3).ok);
    ASSERT_TRUE(printDocument(service, PageOrientation::Portrait, 120).ok);
    ASSERT_TRUE(printDocument(service, PageOrientation::Landscape, 120).ok);
    files = pdfFiles(dir);
    ASSERT_EQ(files.size(), 3u);
    std::vector<int> pageCounts;
    for (const auto& file : files)
        pageCounts.push_back(pageCount(readFile(file)));
    std::sort(pageCounts.begin(), pageCounts.end());
    EXPECT_EQ(pageCounts[0], 1);
    EXPECT_LT(pageCounts[1], pageCounts[2]);
}

TEST(QtPrintingService, UnwritablePdfIsAFailureWithAMessage) {
    TempDir dir;
    writeFile(dir / "notadir", "x");
    FakeClock clock;
    QtPrintingService service(clock, (dir / "notadir").string() + "/", Target::PdfFile);
    const PrintOutcome outcome = printDocument(service, PageOrientation::Portrait, 5);
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find("notadir"), std::string::npos) << outcome.message;
    EXPECT_EQ(readFile(dir / "notadir"), "x");
}

#ifndef _WIN32
// A crash while the file is written leaves no part of it under its name
// (a forked child killed part way: POSIX only).
TEST(QtPrintingService, APdfCutShortByACrashNeverAppearsUnderItsName) {
    TempDir dir;
    FakeClock clock;
    QtPrintingService service(clock, dir.dirValue(), Target::PdfFile);
    KillingFileOps tornWrite = KillingFileOps::atByte(200);
    ASSERT_TRUE(
        killedInChild(tornWrite, [&] { printDocument(service, PageOrientation::Portrait, 200); }));
    EXPECT_TRUE(pdfFiles(dir).empty());
}
#endif

// The columns line up however wide the face's characters are: the lines are
// laid out at one pitch (ReportText checks where every word lands).
TEST(QtPrintingService, ReportFontHasTheAskedSizeEvenWhenTheFaceIsMissing) {
    for (const char* face : {"Courier New", "No Such Face Anywhere"})
        EXPECT_EQ(reportFont(face, 8).pointSize(), 8) << face;
}

} // namespace
} // namespace orvik::test
