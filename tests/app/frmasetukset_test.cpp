// The settings dialog, its real widgets clicked, with the platform doubles.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/startupsettings.h"
#include "app/ui/frmasetukset.h"
#include "files/dirvalue.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "platform/qt/qtsettingsstore.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvik {
namespace {

using namespace literals;

class FrmAsetuksetTest : public testing::Test {
protected:
    test::TempDir cwd, vorda, stock, inv, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    FakeFolderPicker folders;
    std::unique_ptr<frmAsetukset> dialog;

    void SetUp() override {
        fake.settings.set("Orvik", "MyDocuments", vorda.dirValue());
        fake.settings.set("Orvik", "Datat", stock.dirValue());
        fake.settings.set("Orvik", "InvPolku", inv.dirValue());
        fake.settings.set("Orvik", "DatPolku", dat.dirValue());
        fake.settings.set("Orvik", "Portti", "COM2:");
        dialog = std::make_unique<frmAsetukset>(fake.platform, folders);
        dialog->Form_Load();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static std::string text(const QLineEdit* box) { return fromQString(box->text()); }
};

TEST_F(FrmAsetuksetTest, ShowsTheStoredValuesUnderTheMainWindowsCaptions) {
    frmAsetukset& w = *dialog;
    EXPECT_EQ(w.objectName(), "frmAsetukset");
    EXPECT_EQ(text(w.Text1), vorda.dirValue());
    EXPECT_EQ(text(w.Text2), stock.dirValue());
    EXPECT_EQ(text(w.Text3), inv.dirValue());
    EXPECT_EQ(text(w.Text4), dat.dirValue());
    EXPECT_EQ(w.Combo1->currentText(), "Com2:");
    EXPECT_EQ(w.Combo1->count(), 4);
    // Each box is named by its caption for a screen reader, and each picker
    // by the directory it chooses.
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {w.Label1, w.Text1}, {w.Label2, w.Text2}, {w.Label3, w.Text3}, {w.Label4, w.Text4}};
    const char* captions[] = {"Vorda -hakemisto", "Dataset -hakemisto", "Inv -hakemisto",
                              "Dat-hakemisto"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].first->text(), captions[i]);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(rows[i].second)->text(QAccessible::Name),
                  captions[i]);
    }
    const auto portLabels =
        QAccessible::queryAccessibleInterface(w.Combo1)->relations(QAccessible::Label);
    ASSERT_EQ(portLabels.size(), 1);
    EXPECT_EQ(portLabels[0].first->text(QAccessible::Name), "Portti");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.Command4)->text(QAccessible::Name),
              "Selaa: Dat-hakemisto");
}

TEST_F(FrmAsetuksetTest, APickedFolderFillsItsBoxWithTheSeparatorAndCancelLeavesIt) {
    test::TempDir chosen;
    folders.answers = {chosen.path().string(), std::nullopt};

    click(dialog->Command4);
    ASSERT_EQ(folders.calls.size(), 1u);
    EXPECT_EQ(folders.calls[0].title, "Valitse Dat-hakemisto");
    EXPECT_EQ(folders.calls[0].start, dat.dirValue());
    EXPECT_EQ(text(dialog->Text4), chosen.dirValue());

    click(dialog->Command4);
    EXPECT_EQ(text(dialog->Text4), chosen.dirValue());
    // An empty box starts the picker where the program would look.
    dialog->Text1->clear();
    click(dialog->Command1);
    EXPECT_EQ(folders.calls.back().start, cwd.dirValue());
    EXPECT_TRUE(fake.settings.writes.empty());
}

TEST_F(FrmAsetuksetTest, ABadDirectoryIsToldAndFocusedAndNothingIsSaved) {
    const std::string missing = (dat / "puuttuu").string();
    dialog->Text4->setText(toQString(missing));

    click(dialog->Command5);

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, " Dat-hakemistoa " + missing + " ei ole. ");
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(fake.settings.writes.empty());
    EXPECT_EQ(fake.singleCopy.acquireCalls, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->Text4->hasFocus());
}

TEST_F(FrmAsetuksetTest, SavingWaitsUntilNoOtherCopyRunsThenSavesCompletedValues) {
    dialog->Text4->setText(toQString(dat.path().string()));
    dialog->Combo1->setCurrentIndex(3);
    fake.singleCopy.anotherCopyRuns = true;

    click(dialog->Command5);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.starts_with(" Orvik on käynnissä"_cp));
    EXPECT_TRUE(fake.settings.writes.empty());
    EXPECT_TRUE(dialog->isVisible());

    fake.singleCopy.anotherCopyRuns = false;
    click(dialog->Command5);
    EXPECT_EQ(fake.settings.value("Orvik", "DatPolku"), dat.dirValue());
    EXPECT_EQ(fake.settings.value("Orvik", "Portti"), "Com4:");
    EXPECT_EQ(fake.settings.value("Orvik", "MyDocuments"), vorda.dirValue());
    EXPECT_EQ(fake.messages.shown.back().title, " Ilmoitus");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(FrmAsetuksetTest, CancelClosesWithoutSaving) {
    dialog->Text4->setText(QStringLiteral("/muutettu/"));
    click(dialog->Command6);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(fake.settings.writes.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
}

#ifdef _WIN32
// On Windows the real store is the user's registry key: the test starts
// from none and leaves none.
struct FreshRegistryKey {
    static void remove() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Norvala Oy");
    }
    FreshRegistryKey() { remove(); }
    ~FreshRegistryKey() { remove(); }
};
#else
struct FreshRegistryKey {};
#endif

// Through the real settings store: what the dialog saves is what start-up
// reads, a comma, blanks and the fallback section included.
TEST(FrmAsetuksetStore, WhatTheDialogSavesIsWhatStartUpReads) {
    [[maybe_unused]] const FreshRegistryKey freshKey;
    test::TempDir cwd, config, dirs;
    test::ScopedCurrentDir inCwd{cwd.path()};
    QtSettingsStore store(toQString(config.path().string()));
    store.write("Norvala Oy", "Asiakas", "InvPolku", "/kassa/inv/");
    FakePlatform fake;
    Platform platform{store,           fake.singleCopy, fake.messages, fake.printer,
                      fake.programEnd, fake.events,     fake.clock};
    FakeFolderPicker folders;
    const std::string reader = cpPath(dirs / "lukija, oma");
    const std::string work = cpPath(dirs.path()) + "/työ"_cp;
    std::filesystem::create_directory(fsPath(reader));
    std::filesystem::create_directory(fsPath(work));

    frmAsetukset dialog(platform, folders);
    dialog.Form_Load();
    EXPECT_EQ(dialog.Text3->text(), "/kassa/inv/");
    dialog.Text1->setText(toQString(reader));
    dialog.Text4->setText(toQString(work));
    dialog.Text3->setText(QString());
    dialog.Combo1->setCurrentIndex(1);
    dialog.Command5->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << fake.messages.shown.at(0).text;

    const StartupSettings read = readStartupSettings(store);
    // Completed with the system's own separator.
    const char separator = currentDirWithSeparator().back();
    EXPECT_EQ(read.readerDir, reader + separator);
    EXPECT_EQ(read.directories.datPolku, work + separator);
    EXPECT_EQ(read.directories.datat, cwd.dirValue());
    // Saved empty, the transfer directory comes from the fallback again.
    EXPECT_EQ(read.directories.invPolku, "/kassa/inv/");
    EXPECT_EQ(read.portIndex, 1);
}

} // namespace
} // namespace orvik
