#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <algorithm>
#include <vector>

#include "app/ui/frmmain.h"
#include "files/dirvalue.h"
#include "files/fileops.h"
#include "journal/stepjournal.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "reader/doubles/scriptedreader.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/systemsays.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "ui/enterpressesbutton.h"

namespace orvik {
namespace {

using namespace literals;
using test::readFile;
using test::writeFile;
using Widgets = std::vector<QWidget*>;

QString cp(const char* utf8) {
    return toQString(cp1252::fromUtf8(utf8));
}

class FrmMainTest : public testing::Test {
protected:
    test::TempDir cwd, vorda, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    ScriptedReader reader;
    std::unique_ptr<frmMain> window;

    void SetUp() override {
        fake.settings.set("Orvik", "MyDocuments", vorda.dirValue());
        fake.settings.set("Orvik", "DatPolku", dat.dirValue());
    }

    void TearDown() override {
        window.reset();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmRepo")
                delete top;
    }

    bool load() {
        window = std::make_unique<frmMain>(fake.platform, reader, "");
        return window->Form_Load();
    }

    void loadAndShow() {
        ASSERT_TRUE(load());
        window->showCentred();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Review windows opened, whatever their own start-up then made of them.
    static int reviewWindowsOpened() {
        const QWidgetList tops = QApplication::topLevelWidgets();
        return static_cast<int>(std::count_if(
            tops.begin(), tops.end(), [](QWidget* top) { return top->objectName() == "frmRepo"; }));
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(FrmMainTest, LayoutPlacesCaptionsParentsAndVisibility) {
    loadAndShow();
    frmMain& w = *window;

    EXPECT_EQ(w.windowTitle(), "  Kelvo -  Siltavo");
    EXPECT_EQ(w.size(), QSize(466, 215));
    EXPECT_EQ(w.Frame1->geometry(), QRect(0, 0, 465, 209));
    EXPECT_EQ(w.Command3->geometry(), QRect(200, 24, 81, 33));
    EXPECT_EQ(w.Label8->geometry(), QRect(8, 168, 113, 25));
    EXPECT_EQ(w.Command1->geometry(), QRect(200, 272, 86, 22));
    EXPECT_EQ(w.findChild<QPushButton*>("Command4"), w.Command4);
    EXPECT_EQ(w.Command4->text(), cp("Näytä rivit"));
    EXPECT_EQ(w.Label2->text(), cp("Tehtävä"));
    EXPECT_TRUE(w.Text2->isReadOnly() && w.Text3->isReadOnly());
    EXPECT_FALSE(w.Text1->isReadOnly() || w.Text4->isReadOnly());

    for (QWidget* inFrame : Widgets{w.Label4, w.Text1, w.Label5, w.Text2, w.Label6, w.Text3,
                                    w.Label1, w.Label3, w.Label8, w.Command7})
        EXPECT_EQ(inFrame->parentWidget(), w.Frame1) << inFrame->objectName().toStdString();
    for (QWidget* onWindow : Widgets{w.Command2, w.Command3, w.Command4, w.Text4, w.Combo1})
        EXPECT_EQ(onWindow->parentWidget(), &w) << onWindow->objectName().toStdString();

    for (QWidget* shown : Widgets{w.Command2, w.Command3, w.Command4, w.Text1, w.Text2, w.Text3,
                                  w.Text4, w.Label3, w.Label4, w.Label5, w.Label6, w.Label8})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : Widgets{w.Combo1, w.Label1, w.Command5, w.Command6, w.Command7,
                                   w.Command8, w.Command9, w.Label2, w.lblA, w.Combo2, w.Command1})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    // The shown buttons lie above the frame and their hidden twins.
    EXPECT_EQ(w.childAt(w.Command2->geometry().center()), w.Command2);
}

TEST_F(FrmMainTest, EachBoxAndListIsNamedByItsCaptionForAScreenReader) {
    loadAndShow();
    frmMain& w = *window;
    const std::pair<QWidget*, const char*> named[] = {{w.Text1, "Vorda -hakemisto"},
                                                      {w.Text2, "Dataset -hakemisto"},
                                                      {w.Text3, "Inv -hakemisto"},
                                                      {w.Text4, "Dat-hakemisto"}};
    for (const auto& [control, caption] : named) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_TRUE(accessible);
        EXPECT_EQ(accessible->text(QAccessible::Name), QString::fromUtf8(caption))
            << control->objectName().toStdString();
    }
    // The name is the box's, not its content: the directory is its value.
    QAccessibleInterface* text1 = QAccessible::queryAccessibleInterface(w.Text1);
    EXPECT_EQ(text1->text(QAccessible::Value), QString::fromStdString(vorda.dirValue()));

    // A list is named by its current entry here; its caption is found as its
    // label (among its siblings: "Portti" lies in the frame, its list not).
    const auto labels =
        QAccessible::queryAccessibleInterface(w.Combo2)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name), cp("Tehtävä"));
}

TEST_F(FrmMainTest, CaptionsFitTheirControls) {
    loadAndShow();
    frmMain& w = *window;
    w.Label3->setText(cp("Rivejä käsitelty: 1000000 kpl"));
    for (QPushButton* button : {w.Command2, w.Command3, w.Command4, w.Command8, w.Command1}) {
        const QFontMetrics metrics(button->font());
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
            << button->objectName().toStdString();
    }
    for (QLabel* label : {w.Label1, w.Label3, w.Label4, w.Label5, w.Label6, w.Label8}) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
    }
}

TEST_F(FrmMainTest, TabOrderFollowsTheTabIndexes) {
    ASSERT_TRUE(load());
    frmMain& w = *window;
    const Widgets expected = {w.Command1, w.Combo1,   w.Text1,    w.Combo2,   w.Command4,
                              w.Command3, w.Command2, w.Text2,    w.Text3,    w.Command5,
                              w.Command6, w.Command7, w.Command8, w.Command9, w.Text4};
    // The chain also passes the labels and the frame, which never take the focus.
    Widgets chain;
    QWidget* next = expected.front();
    do {
        if (std::find(expected.begin(), expected.end(), next) != expected.end())
            chain.push_back(next);
        next = next->nextInFocusChain();
    } while (next != expected.front() && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
}

TEST_F(FrmMainTest, ReaderModeShowsTheReaderButtonsThePortAndTheTaskRowInAGrownWindow) {
    fake.settings.set("Orvik", "Tila", "LuKiJa");
    loadAndShow();
    frmMain& w = *window;

    for (QWidget* shown : Widgets{w.Command5, w.Command8, w.Command9, w.Command6, w.Command2,
                                  w.Label1, w.Combo1, w.Label2, w.lblA, w.Combo2, w.Command1})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden : Widgets{w.Command3, w.Command4, w.Command7})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(w.childAt(w.Command9->geometry().center()), w.Command9);
    EXPECT_EQ(w.size(), QSize(466, 322));
    EXPECT_EQ(w.height() - w.Command1->geometry().bottom(), 215 - w.Text4->geometry().bottom())
        << "the task row's margin is the one under the last text box";
    for (QLabel* label : {w.Label1, w.Label2}) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
        EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
    }
    QStyleOptionComboBox option;
    option.initFrom(w.Combo2);
    const int field =
        w.Combo2->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w.Combo2)
            .width();
    for (int task = 0; task < w.Combo2->count(); ++task)
        EXPECT_LE(QFontMetrics(w.Combo2->font()).horizontalAdvance(w.Combo2->itemText(task)), field)
            << w.Combo2->itemText(task).toStdString();
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "<absent>") << "start-up never saves it";
}

TEST_F(FrmMainTest, ReaderModeTabsByTheTabIndexesAndTheKeyboardRunsATask) {
    EnterPressesButton::installOn(*QApplication::instance());
    fake.settings.set("Orvik", "Tila", "lukija");
    writeFile(dat / "orvik.dat", "6410000000017    3\r\n");
    loadAndShow();
    frmMain& w = *window;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    const Widgets expected = {w.Command1, w.Combo1,   w.Text1,    w.Combo2,   w.Command2, w.Text2,
                              w.Text3,    w.Command5, w.Command6, w.Command8, w.Command9, w.Text4};
    w.Command1->setFocus();
    Widgets visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        visited.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(QApplication::focusWidget(), w.Command1) << "round to the start";

    w.Combo1->setFocus();
    QTest::keyClick(w.Combo1, Qt::Key_Down); // the user's choice of port
    EXPECT_EQ(w.porttinro, 2);
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "Com2:");
    EXPECT_EQ(QApplication::focusWidget(), w.Command1);

    w.Combo2->setCurrentIndex(2);
    w.Combo2->setFocus();
    QTest::keyClick(w.Combo2, Qt::Key_Down); // task 3, "Näytä rivit"
    ASSERT_EQ(QApplication::focusWidget(), w.Command1);
    QTest::keyClick(w.Command1, Qt::Key_Return);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 1);
}

TEST_F(FrmMainTest, FirstStartShowsTheCurrentDirectoryArchivesAndTriesPortOne) {
    fake.settings.values.clear();
    writeFile(cwd / "orvik.dat", "");
    ASSERT_TRUE(load());

    EXPECT_EQ(window->Text1->text(), "");
    EXPECT_EQ(window->Text4->text(), "");
    EXPECT_EQ(window->Text2->text(), toQString(cwd.dirValue()));
    EXPECT_EQ(window->Text3->text(), toQString(cwd.dirValue()));
    EXPECT_EQ(window->Combo1->count(), 4);
    EXPECT_EQ(window->porttinro, 1);
    EXPECT_EQ(reader.calls, (std::vector<std::string>{"HM_OpenCommPort(1, 19200, 8, 0, 1)",
                                                      "HM_CloseCommPort(1)"}));
    EXPECT_FALSE(test::exists(cwd / "orvik.dat"));
    EXPECT_TRUE(test::exists(cwd / "orvik_20121113_081502.dat"));
}

TEST_F(FrmMainTest, PortChoiceOpensThatPortAndIsSavedOnlyWhileTheTaskButtonShows) {
    fake.settings.set("Orvik", "Portti", "com3:");
    loadAndShow();
    EXPECT_EQ(window->Combo1->currentText(), "Com3:");
    EXPECT_EQ(window->porttinro, 3);
    EXPECT_EQ(reader.callsOf("HM_OpenCommPort"),
              std::vector<std::string>{"HM_OpenCommPort(3, 19200, 8, 0, 1)"});
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "com3:") << "start-up never saves the port";

    window->Command1->setVisible(true);
    window->Combo1->setCurrentIndex(3);
    window->Combo1_Click();
    EXPECT_EQ(window->porttinro, 4);
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "Com4:");
    EXPECT_EQ(QApplication::focusWidget(), window->Command1);
}

TEST_F(FrmMainTest, SecondCopyEndsSilentlyBeforeTouchingAnything) {
    fake.singleCopy.anotherCopyRuns = true;
    writeFile(cwd / "orvik.dat", "");

    EXPECT_FALSE(load());

    EXPECT_EQ(fake.programEnd.endCalls, 1);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(fake.settings.writes.empty());
    EXPECT_TRUE(reader.calls.empty());
    EXPECT_TRUE(test::exists(cwd / "orvik.dat"));
    EXPECT_FALSE(test::exists(cwd / "orvik_20121113_081502.dat"));
}

TEST_F(FrmMainTest, LopetaSavesButHiddenLopetaDoesNot) {
    loadAndShow();
    window->Text1->setText("C:\\Uusi\\");
    window->Text4->setText("D:\\Muu\\");
    window->Command7->click();
    EXPECT_EQ(fake.programEnd.endCalls, 1);
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), vorda.dirValue());

    click(window->Command2);
    EXPECT_EQ(fake.programEnd.endCalls, 2);
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), "C:\\Uusi\\");
    EXPECT_EQ(fake.settings.value("Orvik", "DatPolku"), "D:\\Muu\\");
    EXPECT_EQ(window->directories().datPolku, dat.dirValue()) << "the next run uses the edit";
}

TEST_F(FrmMainTest, CloseBoxSavesAndCloses) {
    loadAndShow();
    window->Text1->setText("C:\\Uusi\\");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), "C:\\Uusi\\");
}

TEST_F(FrmMainTest, HaeTiedotImportsFromTheDirectoryAsEditedAndOpensTheReview) {
    test::TempDir edited;
    writeFile(edited / "orvik.dat", "6410000000017    3\r\n6410000000024    1\r\nX\r\n");
    loadAndShow();
    window->Text1->setText(toQString(edited.dirValue()));

    click(window->Command3);

    EXPECT_EQ(window->Label3->text(), cp("Rivejä käsitelty: 3 kpl"));
    EXPECT_EQ(readFile(dat / "orvik.dat"), "6410000000017    3\r\n6410000000024    1\r\nX\r\n");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 1);
}

TEST_F(FrmMainTest, HaeTiedotLooksInsideADirectoryTypedWithoutItsSeparator) {
    writeFile(vorda / "orvik.dat", "6410000000017    3\r\n");
    loadAndShow();
    window->Text1->setText(toQString(vorda.path().string()));
    click(window->Command3);
    EXPECT_EQ(window->Label3->text(), cp("Rivejä käsitelty: 1 kpl"));
    EXPECT_EQ(readFile(dat / "orvik.dat"), "6410000000017    3\r\n");
}

TEST_F(FrmMainTest, HaeTiedotWithoutACountTellsWhatWasLookedFor) {
    loadAndShow();
    click(window->Command3);

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const ShownMessage& message = fake.messages.shown[0];
    EXPECT_EQ(message.text, "Ei tuotua tiedostoa: " + vorda.dirValue() + "orvik.dat");
    EXPECT_EQ(message.title, kDefaultMessageTitle);
    EXPECT_EQ(message.icon, MsgIcon::None);
    EXPECT_EQ(message.buttons, MsgButtons::Ok);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 0);
}

TEST_F(FrmMainTest, FailedImportReportsTheErrorAndKeepsTheMainWindow) {
    writeFile(dat / "file", "");
    fake.settings.set("Orvik", "DatPolku", (dat / "file").string() + "/");
    writeFile(vorda / "orvik.dat", "6410000000017    3\r\n");
    loadAndShow();

    click(window->Command3);

    // The directory the user set is what to mend, and it is told before the
    // count is moved: it stays where the reader software left it.
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const std::string& told = fake.messages.shown[0].text;
    EXPECT_EQ(told, " Dat-hakemistoa " + (dat / "file").string() +
                        "/ ei ole. Luo hakemisto tai korjaa Dat-hakemisto ja käynnistä Orvik "
                        "uudelleen. Tietoja ei tuotu. "_cp);
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(window->Label3->text(), "");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 0);
    // Refused before the count was moved: it stays where the reader
    // software put it.
    EXPECT_EQ(readFile(vorda / "orvik.dat"), "6410000000017    3\r\n");
    EXPECT_FALSE(test::exists(cwd / "pnqty.dat"));
}

TEST_F(FrmMainTest, AWaitingCountTakenBeforeTheNewFileFailsIsShownAndReviewedAfterTheWarning) {
    writeFile(cwd / "pnqty.dat", "6410000000017    3\r\n");
    writeFile(vorda / "orvik.dat", "6410000000024    1\r\n");
    loadAndShow();
    test::FailingFileOps moveRefused(1L << 30, EACCES);
    moveRefused.failRenameTo = "pnqty.dat";
    QString labelWhileWarned;
    int reviewsWhileWarned = -1;
    fake.messages.onShow = [&](const ShownMessage&) {
        if (reviewsWhileWarned < 0) {
            labelWhileWarned = window->Label3->text();
            reviewsWhileWarned = reviewWindowsOpened();
        }
    };
    {
        ScopedFileOps scoped(moveRefused);
        click(window->Command3);
    }

    ASSERT_FALSE(fake.messages.shown.empty());
    const ShownMessage& warned = fake.messages.shown[0];
    EXPECT_NE(warned.text.find(vorda.dirValue() + "orvik.dat tietoja ei tuotu"), std::string::npos)
        << warned.text;
    EXPECT_EQ(warned.icon, MsgIcon::Exclamation);
    EXPECT_EQ(warned.title, kDefaultMessageTitle);
    EXPECT_EQ(labelWhileWarned, cp("Rivejä käsitelty: 1 kpl"));
    EXPECT_EQ(reviewsWhileWarned, 0);
    EXPECT_EQ(readFile(dat / "orvik.dat"), "6410000000017    3\r\n");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 1);
}

TEST_F(FrmMainTest, StartUpSettlesAnInterruptedImportAndRemovesLeftoverTemporaries) {
    writeFile(dat / "orvik.dat", "6410000000017    3\r\n6410000000024");
    writeFile(dat / ".orvik.txt.tmp-4711-1", "half a save");
    writeFile(cwd / ".pnqty.dat.tmp-4711-2", "half a copy");
    writeFile(dat / "keep.tmp-1", "not ours");
    JournalRecord interrupted;
    interrupted.startedAt = "13.11.2012 08:15:02";
    interrupted.targets = {{dat / "orvik.dat", 20}};
    writeFile(fsPath(journalPath(dat.dirValue(), StepKind::Import)), encodeJournal(interrupted));

    ASSERT_TRUE(load());

    EXPECT_EQ(readFile(dat / "orvik.dat"), "6410000000017    3\r\n");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].text.find("13.11.2012 08:15:02"), std::string::npos);
    EXPECT_FALSE(test::exists(dat / ".orvik.txt.tmp-4711-1"));
    EXPECT_FALSE(test::exists(cwd / ".pnqty.dat.tmp-4711-2"));
    EXPECT_TRUE(test::exists(dat / "keep.tmp-1"));
}

TEST_F(FrmMainTest, NaytaRivitHidesTheMainWindowAndOpensTheReview) {
    writeFile(dat / "orvik.dat", "6410000000017    3\r\n");
    loadAndShow();
    click(window->Command4);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 1);
}

} // namespace
} // namespace orvik
