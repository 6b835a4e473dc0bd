// The main window's reader buttons in its reader layout, pressed directly,
// with a scripted reader library behind them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "app/ui/frmmain.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "reader/doubles/scriptedreader.h"
#include "reader/dynamiclibrary.h"
#include "reader/readerloader.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;

class MainWindowReaderButtons : public testing::Test {
protected:
    void SetUp() override {
        fake.settings.set("Orvik", "DatPolku", dat.dirValue());
        fake.settings.set("Orvik", "Portti", "Com2:");
        fake.settings.set("Orvik", "Tila", "lukija");
        window = std::make_unique<frmMain>(fake.platform, reader, "");
        ASSERT_TRUE(window->Form_Load());
        window->show();
        reader.calls.clear();
    }
    void TearDown() override {
        window.reset();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmRepo")
                delete top;
    }
    // The busy cursor is up (the fake message boxes leave it as it is).
    static bool busy() {
        const QCursor* cursor = QApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::WaitCursor;
    }
    bool reviewOpen() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmRepo" && top->isVisible())
                return true;
        return false;
    }
    // Hidden and disabled as a transfer leaves the window.
    void expectLockedForTransfer() const {
        EXPECT_FALSE(window->Command1->isVisibleTo(window.get()));
        EXPECT_FALSE(window->Command2->isVisibleTo(window.get()));
        EXPECT_FALSE(window->Frame1->isEnabled());
        EXPECT_TRUE(window->Command5->isVisibleTo(window.get())) << "only the two are hidden";
        EXPECT_EQ(window->childAt(window->lblA->geometry().center()), window->lblA)
            << "nothing covers the progress caption";
    }

    test::TempDir cwd, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    ScriptedReader reader;
    std::unique_ptr<frmMain> window;
};

TEST_F(MainWindowReaderButtons, ClearTheReaderHidesTheWindowOnlyWhileItReports) {
    reader.results["HM_delete"] = {3};
    bool visibleWhileShown = true;
    bool busyWhileShown = false;
    fake.messages.onShow = [&](const ShownMessage&) {
        visibleWhileShown = window->isVisible();
        busyWhileShown = busy();
    };

    window->Command8_Click();

    EXPECT_EQ(reader.calls,
              (std::vector<std::string>{"HM_OpenCommPort(2, 19200, 8, 0, 1)",
                                        "HM_delete(2, 65, pnqty.dat)", "HM_CloseCommPort(2)"}));
    EXPECT_EQ(window->tulos, 3);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].title, " Virhe nro 3");
    EXPECT_FALSE(visibleWhileShown);
    EXPECT_TRUE(busyWhileShown) << "the clearing runs under the busy cursor";
    EXPECT_FALSE(busy());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Command2->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Frame1->isEnabled());
    EXPECT_FALSE(fake.programEnd.ended());
}

TEST_F(MainWindowReaderButtons, SendProgramShowsProgressThenEnds) {
    reader.downloadSteps = {{1, 400}, {0, 700}};
    bool busyWhenTold = false;
    fake.messages.onShow = [&](const ShownMessage&) { busyWhenTold = busy(); };

    window->Command9_Click();

    expectLockedForTransfer();
    EXPECT_TRUE(busyWhenTold) << "the send runs under the busy cursor";
    EXPECT_EQ(window->lblA->text(), QString(" Siirretty 700 tavua "));
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, " Ohjelma on siirretty lukijaan. ");
    EXPECT_TRUE(fake.programEnd.ended());
}

TEST_F(MainWindowReaderButtons, FetchTakesTheCountIntoTheWorkFileAndOpensTheReview) {
    reader.onUploadFinished = [] { test::writeFile("pnqty.dat", "6410000000017    3\r\n"); };
    reader.uploadSteps = {{0, 20}};

    window->Command5_Click();

    EXPECT_EQ(test::readFile(dat / "orvik.dat"), "6410000000017    3\r\n");
    EXPECT_FALSE(test::exists(cwd / "pnqty.dat"));
    EXPECT_EQ(window->lblA->text(), QString(" Siirretty 20 tavua "));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(reviewOpen());
    ASSERT_GE(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, " Tiedot on noudettu lukijasta ");
    EXPECT_EQ(fake.messages.shown[0].title, " Ilmoitus ");
}

// Without the reader library every reader button fails with 9999, and the
// message says which library is missing and where it was looked for.
TEST(MainWindowWithoutReaderLibrary, Error9999NamesTheLibraryAndWhereItWasLookedFor) {
    test::TempDir cwd;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    fake.settings.set("Orvik", "Tila", "lukija");
    const std::unique_ptr<ReaderLibrary> missing = makeReaderLibrary("orvik-no-such-reader");
    frmMain window(fake.platform, *missing, "");
    ASSERT_TRUE(window.Form_Load());
    EXPECT_TRUE(fake.messages.shown.empty()) << "start-up tries the port silently";

    window.Command8_Click();

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].title, " Virhe nro 9999");
    const std::string& told = fake.messages.shown[0].text;
    EXPECT_TRUE(told.starts_with(" Lukijan tyhjennys epäonnistui. Lukijakirjastoa "
                                 "orvik-no-such-reader ei löytynyt. "_cp))
        << told;
    EXPECT_NE(told.find(DynamicLibrary::fileNameFor("orvik-no-such-reader")), std::string::npos)
        << told;
}

} // namespace
} // namespace orvik
