// The review window's result buttons and its close box, on a real window
// loaded from a work file.
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QtTest/qtestspontaneevent.h>
#include <filesystem>
#include <gtest/gtest.h>

#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "review/ui/frmrepo.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "text/fixedfield.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

// Three lines, two of them for one product: the list holds two rows.
const std::string kWorkFile = "123              5\r\n"
                              "200              2\r\n"
                              "123              1\r\n";

class ReviewWindowResults : public ::testing::Test {
protected:
    TempDir dir;
    FakePlatform fakes;
    std::unique_ptr<frmRepo> window;

    void SetUp() override {
        writeFile(dir / "orvik.dat", kWorkFile);
        std::filesystem::create_directory(dir / "inv");
        // No stock files: the rows keep blank stock cells.
        const Directories dirs{dir.dirValue(), dir.dirValue(), (dir / "inv").string() + "/"};
        window = std::make_unique<frmRepo>(fakes.platform, dirs);
        window->Show();
        ASSERT_EQ(window->list().rows.size(), 2u);
        fakes.messages.shown.clear(); // the load's notice about the stock files
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The close box: a close event from the user, handed over as the event
    // loop does (sendEvent would mark it as the program's own).
    bool closeFromTitleBar() {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::instance()->notify(window.get(), &event);
        return event.isAccepted();
    }

    // The busy cursor is up (the fake message boxes leave it as it is).
    static bool busy() {
        const QCursor* cursor = QApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::WaitCursor;
    }

    std::string lastMessage() const {
        return fakes.messages.shown.empty() ? "<none>" : fakes.messages.shown.back().text;
    }

    void expectStillOpen() const {
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(fakes.programEnd.ended());
        EXPECT_EQ(window->list().rows.size(), 2u);
    }
};

TEST_F(ReviewWindowResults, HyvaksyHandsOverOnlyAfterYes) {
    fakes.messages.answers = {MsgAnswer::No};
    click(window->Command3);
    EXPECT_FALSE(test::exists(dir / "inv" / "orvik.inv"));
    expectStillOpen();

    fakes.messages.answers = {MsgAnswer::Yes};
    bool hiddenAtNotice = false;
    bool busyAtNotice = false;
    fakes.messages.onShow = [&](const ShownMessage& shown) {
        hiddenAtNotice = shown.buttons == MsgButtons::Ok && !window->isVisible();
        busyAtNotice = busy();
    };
    click(window->Command3);
    EXPECT_EQ(readFile(dir / "inv" / "orvik.inv"), "123           6\r\n"
                                                   "200                    2\r\n");
    EXPECT_FALSE(test::exists(dir / "orvik.dat"));
    EXPECT_EQ(lastMessage(), " Tapahtumat on hyväksytty jatkokäsittelyyn. "_cp);
    EXPECT_TRUE(hiddenAtNotice);
    EXPECT_TRUE(busyAtNotice) << "the hand-over runs under the busy cursor";
    EXPECT_FALSE(busy());
    EXPECT_EQ(fakes.programEnd.endCalls, 1);
}

TEST_F(ReviewWindowResults, SuljeAndTheCloseBoxSaveTheListAndEnd) {
    for (bool closeBox : {false, true}) {
        writeFile(dir / "orvik.dat", kWorkFile);
        fakes.programEnd.endCalls = 0;
        if (closeBox)
            EXPECT_TRUE(closeFromTitleBar());
        else
            click(window->Command4);
        EXPECT_EQ(readFile(dir / "orvik.dat"), "123              6\r\n"
                                               "200              2\r\n");
        EXPECT_TRUE(test::exists(dir / "orvik.txt"));
        EXPECT_EQ(lastMessage(), " Tapahtumat on tallennettu työtiedostoon. "_cp);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(fakes.programEnd.endCalls, 1);
        window->show();
    }
}

TEST_F(ReviewWindowResults, CloseBoxKeepsTheWindowWhenSavingFails) {
    FailingFileOps full(0);
    {
        ScopedFileOps scoped(full);
        EXPECT_FALSE(closeFromTitleBar());
    }
    EXPECT_EQ(readFile(dir / "orvik.dat"), kWorkFile);
    EXPECT_FALSE(test::exists(dir / "orvik.txt"));
    EXPECT_EQ(fakes.messages.shown.back().title, " Virhe");
    expectStillOpen();
}

TEST_F(ReviewWindowResults, ReportsPrintTheListAndGiveTheFocusBackToIt) {
    window->Command2->setFocus();
    click(window->Command1);
    EXPECT_EQ(window->focusWidget(), window->ListView1);
    std::vector<std::string> lines = fakes.printer.lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4].substr(0, 8), "     123");
    EXPECT_EQ(lines[4].substr(70), "         6          ");

    // The wide report's titles are the header texts shown at print time.
    fakes.printer.calls.clear();
    fakes.printer.outcome = {false, "tulostin ei vastaa"};
    bool busyWhenTold = false;
    fakes.messages.onShow = [&](const ShownMessage&) { busyWhenTold = busy(); };
    window->Command2->setFocus();
    click(window->Command5);
    EXPECT_TRUE(busyWhenTold) << "printing runs under the busy cursor";
    EXPECT_FALSE(busy());
    EXPECT_EQ(window->focusWidget(), window->ListView1);
    lines = fakes.printer.lines();
    ASSERT_EQ(lines.size(), 5u);
    const QAbstractItemModel* model = window->ListView1->model();
    const std::string firstTitle = fromQString(model->headerData(0, Qt::Horizontal).toString());
    EXPECT_EQ(lines[1].substr(0, 17), " " + leftField(firstTitle, 15) + " ");
    EXPECT_EQ(lines[1].substr(72, 12), "Tuoteryhmä  "_cp);
    EXPECT_EQ(lines[3].substr(0, 17), " 123             ");
    EXPECT_EQ(lastMessage(), " Tulostus ei onnistunut: tulostin ei vastaa ");
    expectStillOpen();
}

} // namespace
} // namespace orvik::test
