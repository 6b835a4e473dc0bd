#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "app/frmmain.h"
#include "common/codepage.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "reader/readerlibrary.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using namespace literals;
using test::readFile;
using test::writeFile;

// Records the ports opened and closed; every transfer finds nothing.
class PortRecordingReader : public ReaderLibrary {
public:
    std::vector<int32_t> opened, closed;
    bool HM_OpenCommPort(int32_t port, int32_t, int32_t, int32_t, int32_t) override {
        opened.push_back(port);
        return true;
    }
    int32_t HM_CloseCommPort(int32_t port) override {
        closed.push_back(port);
        return 0;
    }
    int32_t HM_set_upload_file_save_mode(int32_t) override { return 0; }
    int32_t HM_upload1(int32_t, uint8_t, std::string&, std::string&) override { return 48; }
    int32_t HM_get_return_string_length(int32_t) override { return 0; }
    int32_t HM_upload2(int32_t&, int32_t&) override { return 48; }
    int32_t HM_download1(int32_t, uint8_t, std::string&, std::string&, int32_t&) override {
        return 48;
    }
    int32_t HM_download2(int32_t&, int32_t&) override { return 48; }
    int32_t HM_delete(int32_t, uint8_t, std::string&) override { return 48; }
};

QString cp(const char* utf8) {
    return toQString(cp1252::fromUtf8(utf8));
}

class FrmMainTest : public testing::Test {
protected:
    test::TempDir cwd, vorda, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    PortRecordingReader reader;
    std::unique_ptr<frmMain> window;

    void SetUp() override {
        fake.settings.set("Orvik", "MyDocuments", vorda.dirValue());
        fake.settings.set("Orvik", "DatPolku", dat.dirValue());
    }

    void TearDown() override {
        window.reset();
        // The review windows opened by a test close with it.
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
    int reviewWindowsOpened() const {
        int count = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmRepo")
                ++count;
        return count;
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(FrmMainTest, ControlsSitWhereTheLayoutPutsThem) {
    ASSERT_TRUE(load());
    frmMain& w = *window;

    EXPECT_EQ(w.windowTitle(), "  Kelvo -  Siltavo");
    EXPECT_EQ(w.size(), QSize(466, 215));
    EXPECT_EQ(w.Frame1->geometry(), QRect(0, 0, 465, 209));
    EXPECT_EQ(w.Command3->geometry(), QRect(200, 24, 81, 33));
    EXPECT_EQ(w.Text1->geometry(), QRect(128, 64, 329, 19));
    EXPECT_EQ(w.Label8->geometry(), QRect(8, 168, 113, 25));
    EXPECT_EQ(w.Command1->geometry(), QRect(200, 272, 86, 22));

    for (QWidget* inFrame :
         std::vector<QWidget*>{w.Label4, w.Text1, w.Label5, w.Text2, w.Label6, w.Text3, w.Label1,
                               w.Label3, w.Label8, w.Command7})
        EXPECT_EQ(inFrame->parentWidget(), w.Frame1) << inFrame->objectName().toStdString();
    for (QWidget* onWindow : std::vector<QWidget*>{w.Command2, w.Command3, w.Command4, w.Text4,
                                                   w.Combo1, w.Command1, w.Combo2})
        EXPECT_EQ(onWindow->parentWidget(), &w) << onWindow->objectName().toStdString();
    EXPECT_EQ(w.findChild<QPushButton*>("Command4"), w.Command4);
    EXPECT_EQ(w.findChild<QLineEdit*>("Text3"), w.Text3);

    EXPECT_EQ(w.Command4->text(), cp("Näytä rivit"));
    EXPECT_EQ(w.Command8->text(), cp("Tyhjää lukija"));
    EXPECT_EQ(w.Label2->text(), cp("Tehtävä"));
    EXPECT_EQ(w.Label4->text(), "Vorda -hakemisto");
    EXPECT_EQ(w.Label3->text(), "");
    EXPECT_TRUE(w.Text2->isReadOnly());
    EXPECT_TRUE(w.Text3->isReadOnly());
    EXPECT_FALSE(w.Text1->isReadOnly());
    EXPECT_FALSE(w.Text4->isReadOnly());
}

TEST_F(FrmMainTest, OnlyTheImportReviewAndQuitRowIsShown) {
    loadAndShow();
    frmMain& w = *window;

    for (QWidget* shown :
         std::vector<QWidget*>{w.Command2, w.Command3, w.Command4, w.Text1, w.Text2, w.Text3,
                               w.Text4, w.Label3, w.Label4, w.Label5, w.Label6, w.Label8})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    for (QWidget* hidden :
         std::vector<QWidget*>{w.Combo1, w.Label1, w.Command5, w.Command6, w.Command7, w.Command8,
                               w.Command9, w.Label2, w.lblA, w.Combo2, w.Command1})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();

    // The shown row sits above the hidden twins in the same places.
    EXPECT_EQ(w.childAt(w.Command2->geometry().center()), w.Command2);
    EXPECT_EQ(w.childAt(w.Command3->geometry().center()), w.Command3);
}

TEST_F(FrmMainTest, CaptionsFitTheirControls) {
    loadAndShow();
    frmMain& w = *window;
    for (QPushButton* button : {w.Command2, w.Command3, w.Command4, w.Command5, w.Command6,
                                w.Command7, w.Command8, w.Command1}) {
        const QFontMetrics metrics(button->font());
        EXPECT_LE(metrics.horizontalAdvance(button->text()) + 8, button->width())
            << button->objectName().toStdString();
        EXPECT_LE(metrics.height() + 4, button->height()) << button->objectName().toStdString();
    }
    for (QLabel* label : {w.Label1, w.Label4, w.Label5, w.Label6, w.Label8}) {
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
        EXPECT_LE(metrics.height(), label->height()) << label->objectName().toStdString();
    }
    w.Label3->setText(cp("Rivejä käsitelty: 1000000 kpl"));
    EXPECT_LE(QFontMetrics(w.Label3->font()).horizontalAdvance(w.Label3->text()),
              w.Label3->width());
}

TEST_F(FrmMainTest, TabOrderFollowsTheTabIndexes) {
    ASSERT_TRUE(load());
    frmMain& w = *window;
    const std::vector<QWidget*> expected = {
        w.Command1, w.Combo1,   w.Text1,    w.Combo2,   w.Command4, w.Command3, w.Command2, w.Text2,
        w.Text3,    w.Command5, w.Command6, w.Command7, w.Command8, w.Command9, w.Text4};
    // The chain also passes the labels and the frame, which never take the focus.
    std::vector<QWidget*> chain;
    QWidget* next = expected.front();
    do {
        if (std::find(expected.begin(), expected.end(), next) != expected.end())
            chain.push_back(next);
        next = next->nextInFocusChain();
    } while (next != expected.front() && chain.size() < expected.size());
    ASSERT_EQ(chain.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(chain[i], expected[i])
            << "position " << i << ": " << chain[i]->objectName().toStdString();
}

TEST_F(FrmMainTest, FirstStartShowsTheCurrentDirectoryAndTriesPortOne) {
    fake.settings.values.clear();
    ASSERT_TRUE(load());

    const QString here = toQString(cwd.dirValue());
    EXPECT_EQ(window->Text1->text(), "");
    EXPECT_EQ(window->Text4->text(), "");
    EXPECT_EQ(window->Text2->text(), here);
    EXPECT_EQ(window->Text3->text(), here);
    EXPECT_EQ(window->directories().datat, cwd.dirValue());
    EXPECT_EQ(fake.settings.value("Orvik", "Datat"), cwd.dirValue());
    EXPECT_EQ(fake.settings.value("Orvik", "InvPolku"), cwd.dirValue());

    ASSERT_EQ(window->Combo1->count(), 4);
    EXPECT_EQ(window->Combo1->itemText(3), "Com4:");
    EXPECT_EQ(window->Combo1->currentText(), "Com1:");
    EXPECT_EQ(window->porttinro, 1);
    EXPECT_EQ(reader.opened, std::vector<int32_t>{1});
    EXPECT_EQ(reader.closed, std::vector<int32_t>{1});
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "<absent>");
}

TEST_F(FrmMainTest, SavedPortInSmallLettersSelectsItsEntry) {
    fake.settings.set("Orvik", "Portti", "com3:");
    ASSERT_TRUE(load());

    EXPECT_EQ(window->Combo1->currentText(), "Com3:");
    EXPECT_EQ(window->porttinro, 3);
    EXPECT_EQ(reader.opened, std::vector<int32_t>{3});
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "com3:") << "start-up never saves the port";
}

TEST_F(FrmMainTest, PortChoiceIsSavedOnlyWhileTheTaskButtonIsVisible) {
    ASSERT_TRUE(load());
    window->Combo1->setCurrentIndex(1);
    window->Combo1_Click();
    EXPECT_EQ(window->porttinro, 2);
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "<absent>");

    loadAndShow();
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
    EXPECT_TRUE(reader.opened.empty());
    EXPECT_TRUE(test::exists(cwd / "orvik.dat"));
    EXPECT_FALSE(test::exists(cwd / "orvik_20121113_081502.dat"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FrmMainTest, StartUpArchivesAnEmptyWorkFileInTheCurrentDirectory) {
    writeFile(cwd / "orvik.dat", "");
    ASSERT_TRUE(load());
    EXPECT_FALSE(test::exists(cwd / "orvik.dat"));
    EXPECT_EQ(readFile(cwd / "orvik_20121113_081502.dat"), "");
}

TEST_F(FrmMainTest, LopetaSavesTheEditsButThisRunKeepsItsWorkDirectory) {
    loadAndShow();
    window->Text1->setText("C:\\Uusi\\");
    window->Text4->setText("D:\\Muu\\");

    click(window->Command2);

    EXPECT_EQ(fake.programEnd.endCalls, 1);
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), "C:\\Uusi\\");
    EXPECT_EQ(fake.settings.value("Orvik", "DatPolku"), "D:\\Muu\\");
    EXPECT_EQ(window->directories().datPolku, dat.dirValue());
}

TEST_F(FrmMainTest, HiddenLopetaEndsWithoutSaving) {
    ASSERT_TRUE(load());
    window->Text1->setText("C:\\Uusi\\");
    const std::size_t writesAtStart = fake.settings.writes.size();

    window->Command7->click();

    EXPECT_EQ(fake.programEnd.endCalls, 1);
    EXPECT_EQ(fake.settings.writes.size(), writesAtStart);
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), vorda.dirValue());
}

TEST_F(FrmMainTest, CloseBoxSavesAndCloses) {
    loadAndShow();
    window->Text1->setText("C:\\Uusi\\");

    EXPECT_TRUE(window->close());

    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), "C:\\Uusi\\");
    EXPECT_EQ(fake.programEnd.endCalls, 0);
}

TEST_F(FrmMainTest, HaeTiedotImportsShowsTheCountAndOpensTheReview) {
    writeFile(vorda / "orvik.dat", "6410000000017    3\r\n6410000000024    1\r\nX\r\n");
    loadAndShow();

    click(window->Command3);

    EXPECT_EQ(window->Label3->text(), cp("Rivejä käsitelty: 3 kpl"));
    EXPECT_EQ(readFile(dat / "orvik.dat"), "6410000000017    3\r\n6410000000024    1\r\nX\r\n");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 1);
}

TEST_F(FrmMainTest, HaeTiedotReadsTheReaderDirectoryAsEditedJustNow) {
    test::TempDir elsewhere;
    writeFile(elsewhere / "orvik.dat", "");
    loadAndShow();
    window->Text1->setText(toQString(elsewhere.dirValue()));

    click(window->Command3);

    EXPECT_EQ(window->Label3->text(), cp("Rivejä käsitelty: 0 kpl"));
    EXPECT_EQ(reviewWindowsOpened(), 1);
}

TEST_F(FrmMainTest, HaeTiedotWithoutACountTellsWhatWasLookedFor) {
    loadAndShow();

    click(window->Command3);

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              "Ei tuotua tiedostoa: " + vorda.dirValue() + "orvik.dat");
    EXPECT_EQ(fake.messages.shown[0].title, kDefaultMessageTitle);
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(fake.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(window->Label3->text(), "");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 0);
}

TEST_F(FrmMainTest, FailedImportReportsTheErrorAndKeepsTheMainWindow) {
    fake.settings.set("Orvik", "DatPolku", (dat / "file").string() + "/");
    writeFile(dat / "file", "");
    writeFile(vorda / "orvik.dat", "6410000000017    3\r\n");
    loadAndShow();

    click(window->Command3);

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, FileError::fromErrno(ENOTDIR).message());
    EXPECT_EQ(fake.messages.shown[0].title, kDefaultMessageTitle);
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(window->Label3->text(), "");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 0);
    EXPECT_EQ(readFile(cwd / "pnqty.dat"), "6410000000017    3\r\n");
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
