// "Tulosta" and "Tulosta laaja" of the real review window, printed with the
// program's own printing service through the system's print service to its
// default queue. printqueue_test.sh starts a private scheduler whose default
// queue writes each job to a file, and names the queue and the file in the
// environment; these tests read the printed pages back as text.
#include <cups/cups.h>

#include <QAbstractItemModel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "platform/qt/qtprintingservice.h"
#include "results/reportlines.h"
#include "review/ui/frmrepo.h"
#include "support/files.h"
#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "text/fixedfield.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// What a command writes to its standard output; empty when it fails.
std::string outputOf(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    return pclose(pipe) == 0 ? output : std::string();
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Every job the queue holds or has finished.
struct Job {
    int id;
    ipp_jstate_t state;
};
std::vector<Job> jobsOf(const std::string& queue) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    std::vector<Job> list;
    for (int i = 0; i < count; ++i)
        list.push_back({jobs[i].id, jobs[i].state});
    cupsFreeJobs(count, jobs);
    return list;
}

// A product of group 1 and class 2 with the given name and numbers.
ProductRecord product(const std::string& code, const std::string& name, std::int64_t salesScaled,
                      std::int64_t stockScaled) {
    ProductRecord record;
    record.code = code;
    record.name = name;
    record.group = 1;
    record.productClass = 2;
    record.salesPrice.scaled = salesScaled;
    record.stock.scaled = stockScaled;
    record.purchasePrice.scaled = salesScaled / 2;
    return record;
}

// The review window over a shop of 200 counted products (a few the stock
// files do not hold), printing with the program's printing service.
class PrintQueue : public ::testing::Test {
protected:
    const std::string queue = fromEnvironment("ORVIK_PRINTQUEUE");
    const std::string output = fromEnvironment("ORVIK_PRINTQUEUE_OUTPUT");
    TempDir dir;
    FakePlatform fakes;
    QtPrintingService printer{fakes.clock};
    Platform platform{fakes.settings,   fakes.singleCopy, fakes.messages, printer,
                      fakes.programEnd, fakes.events,     fakes.clock};
    std::unique_ptr<frmRepo> window;

    void SetUp() override {
        ASSERT_FALSE(queue.empty()) << "run through printqueue_test.sh, which starts the queue";
        ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName().toStdString(), queue);
        std::string counts;
        sampleshop::Shop shop;
        shop.names = {name("Elintarvikkeet"), name("Kodintarvikkeet")};
        for (int i = 0; i < 200; ++i) {
            const std::string code = std::to_string(640000 + i * 7);
            counts += leftField(code, 13) + rightField(std::to_string(i % 13), 5) + "\r\n";
            if (i % 50 != 3)
                shop.products.push_back(product(code, "Tuote "_cp + std::to_string(i) + " äöå"_cp,
                                                1990 + i * 100, (i % 17) * 10000));
        }
        writeFile(dir / "orvik.dat", counts);
        writeStock(dir, shop);
        window = std::make_unique<frmRepo>(
            platform, Directories{dir.dirValue(), dir.dirValue(), dir.dirValue()});
        window->Show();
        ASSERT_EQ(window->list().rows.size(), 200u);
        fakes.messages.shown.clear();
    }

    void TearDown() override {
        // The next test finds the queue taking jobs and printing again.
        EXPECT_EQ(std::system(("cupsaccept " + queue + " && cupsenable " + queue).c_str()), 0);
    }

    std::vector<std::string> wideTitles() const {
        ColumnTitles titles;
        const QAbstractItemModel* model = window->ListView1->model();
        for (int column = 0; column < model->columnCount(); ++column)
            titles.push_back(fromQString(model->headerData(column, Qt::Horizontal).toString()));
        return titles;
    }

    // Presses the button and waits until the queue has finished the job it
    // got; false when it got none.
    bool printWith(QPushButton* button) {
        int before = 0;
        for (const Job& job : jobsOf(queue))
            before = std::max(before, job.id);
        QTest::mouseClick(button, Qt::LeftButton);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            bool got = false;
            for (const Job& job : jobsOf(queue)) {
                if (job.id <= before)
                    continue;
                got = true;
                if (job.state >= IPP_JSTATE_CANCELED) {
                    EXPECT_EQ(job.state, IPP_JSTATE_COMPLETED);
                    return true;
                }
            }
            if (!got)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ADD_FAILURE() << "the queue did not finish the job in 30 seconds";
        return false;
    }

    std::string pdfInfo(const std::string& field) const {
        std::istringstream info(outputOf("pdfinfo " + quoted(output)));
        for (std::string line; std::getline(info, line);)
            if (line.rfind(field + ":", 0) == 0)
                return line.substr(line.find_first_not_of(' ', field.size() + 1));
        return "<no " + field + ">";
    }

    // The printed page's lines that hold text, as pdftotext reads them.
    std::vector<std::string> pageLines(int page) const {
        const std::string n = std::to_string(page);
        std::istringstream text(
            outputOf("pdftotext -layout -f " + n + " -l " + n + " " + quoted(output) + " -"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            if (!wordsOf(line).empty())
                lines.push_back(line);
        return lines;
    }

    // Every page of the printout holds the report's next lines, word for
    // word, and all of them in the end; each page but the last is as full as
    // the first. Blank report lines take their place on the page but show no
    // text. Answers the number of pages.
    int expectPrintedPageByPage(const std::vector<std::string>& report) {
        const int pages = std::stoi(pdfInfo("Pages"));
        std::size_t next = 0;
        std::vector<std::size_t> pageStarts;
        for (int page = 1; page <= pages; ++page) {
            const std::vector<std::string> printed = pageLines(page);
            EXPECT_FALSE(printed.empty()) << "page " << page << " is empty";
            pageStarts.push_back(next);
            for (const std::string& line : printed) {
                while (next < report.size() && wordsOf(report[next]).empty())
                    ++next;
                if (next == report.size()) {
                    ADD_FAILURE() << "page " << page << " holds more than the report: " << line;
                    return pages;
                }
                const std::string expected = toQString(report[next]).toStdString();
                if (wordsOf(line) != wordsOf(expected)) {
                    ADD_FAILURE() << "page " << page << ", report line " << next + 1
                                  << ":\n printed: " << line << "\nexpected: " << expected;
                    return pages;
                }
                ++next;
            }
        }
        EXPECT_EQ(next, report.size()) << "the printout ends before the report";
        for (std::size_t page = 1; page + 1 < pageStarts.size(); ++page)
            EXPECT_EQ(pageStarts[page + 1] - pageStarts[page], pageStarts[1])
                << "page " << page + 1 << " is not as full as the first";
        if (pageStarts.size() > 1) {
            EXPECT_LE(report.size() - pageStarts.back(), pageStarts[1]);
        }
        return pages;
    }

    std::string lastMessage() const {
        return fakes.messages.shown.empty() ? "<none>" : fakes.messages.shown.back().text;
    }
    std::string lastTitle() const {
        return fakes.messages.shown.empty() ? "<none>" : fakes.messages.shown.back().title;
    }
};

TEST_F(PrintQueue, TulostaPrintsTheNarrowReportPageByPage) {
    ASSERT_TRUE(printWith(window->Command1));
    EXPECT_EQ(lastMessage(), "<none>") << "the report went to the printer, not to a file";
    EXPECT_GE(expectPrintedPageByPage(narrowReportLines(window->list())), 3);
    EXPECT_EQ(pdfInfo("Title"), "Inventointi");
    EXPECT_EQ(pdfInfo("Page size"), "595 x 842 pts (A4)");
}

TEST_F(PrintQueue, TulostaLaajaPrintsTheWideReportPageByPage) {
    ASSERT_TRUE(printWith(window->Command5));
    EXPECT_EQ(lastMessage(), "<none>") << "the report went to the printer, not to a file";
    EXPECT_GE(expectPrintedPageByPage(wideReportLines(window->list(), wideTitles())), 3);
    // The driver turns the landscape pages onto the upright sheet.
    EXPECT_EQ(pdfInfo("Title"), "Inventointi laaja");
    EXPECT_EQ(pdfInfo("Page size"), "595 x 842 pts (A4)");
}

// A queue that turns jobs away (cupsreject): the toolkit hands the job over
// and says nothing of the refusal, so the user would wait for a printout
// that never comes.
TEST_F(PrintQueue, AQueueRefusingTheJobIsToldAsAFailedPrint) {
    ASSERT_EQ(std::system(("cupsreject -r 'Huollossa' " + queue).c_str()), 0);
    EXPECT_FALSE(printWith(window->Command1));
    EXPECT_EQ(lastMessage().rfind(" Tulostus ei onnistunut: tulostin " + queue +
                                      " ei ottanut raporttia vastaan",
                                  0),
              0u)
        << lastMessage();
    EXPECT_NE(lastMessage().find("Huollossa"), std::string::npos) << lastMessage();
    EXPECT_EQ(lastTitle(), " Virhe");
}

// A stopped queue (cupsdisable, or the scheduler after the printer failed)
// would keep the job waiting unseen and print it whenever it is started
// again, perhaps after the user has printed it elsewhere: it is told, with
// the reason the queue gives, and gets no job.
TEST_F(PrintQueue, AStoppedQueueIsToldAsAFailedPrintAndGetsNoJob) {
    ASSERT_EQ(std::system(("cupsdisable -r 'Paperi loppu' " + queue).c_str()), 0);
    EXPECT_FALSE(printWith(window->Command5));
    EXPECT_EQ(lastMessage().rfind(" Tulostus ei onnistunut: tulostin " + queue, 0), 0u)
        << lastMessage();
    EXPECT_NE(lastMessage().find("Paperi loppu"), std::string::npos) << lastMessage();
}

} // namespace
} // namespace orvik::test
