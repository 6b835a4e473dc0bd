#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "app/ui/frmmain.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "reader/doubles/scriptedreader.h"
#include "support/files.h"
#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "zeroinv/ui/form1.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::stockedProduct;

enum TaskIndex { kFetch = 0, kClear = 1, kSend = 2, kReview = 3, kZero = 4 };

class TaskDispatch : public ::testing::Test {
protected:
    void SetUp() override {
        fake.settings.set("Orvik", "DatPolku", dat.dirValue());
        fake.settings.set("Orvik", "Datat", stock.dirValue());
        fake.settings.set("Orvik", "InvPolku", cwd.dirValue());
        fake.clock.date = {2012, 11, 13};
        test::writeStockFiles(stock.path(), {}, {},
                              {{'R', "Maito", ' '}, {'R', "Leipä"_cp, ' '}, {'R', "Juomat", ' '}});
    }

    void TearDown() override {
        dialogDriver.stop();
        window.reset();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmRepo")
                delete top;
    }

    void load(const std::string& commandLine = "") {
        window = std::make_unique<frmMain>(fake.platform, reader, commandLine);
        ASSERT_TRUE(window->Form_Load());
        window->show();
    }

    void run(int task) {
        window->Combo2->setCurrentIndex(task);
        window->Command1_Click();
    }

    // What the user does in the product-group dialog once it waits; the
    // dialog is closed by force if `choose` leaves it open.
    void whenDialogWaits(std::function<void(Form1&)> choose) {
        dialogDriver.setSingleShot(true);
        QObject::connect(&dialogDriver, &QTimer::timeout, [this, choose] {
            auto* form = qobject_cast<Form1*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            dialogShown = true;
            choose(*form);
            if (form->isVisible()) {
                ADD_FAILURE() << "the dialog is still waiting";
                form->done(0);
            }
        });
        dialogDriver.start(0);
    }

    static void chooseRows(Form1& form, std::initializer_list<int> rows) {
        for (int row : rows)
            form.List1->item(row)->setSelected(true);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
    }

    int reviewWindowsOpened() const {
        int count = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == "frmRepo")
                ++count;
        return count;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& message : fake.messages.shown)
            texts.push_back(message.text);
        return texts;
    }

    std::filesystem::path zeroRowFile() const { return dat / "nulli.dat"; }

    test::TempDir cwd, dat, stock;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    ScriptedReader reader;
    std::unique_ptr<frmMain> window;
    QTimer dialogDriver;
    bool dialogShown = false;
};

TEST_F(TaskDispatch, NoChoiceDoesNothing) {
    load();
    ASSERT_EQ(window->Combo2->count(), 5);
    const std::size_t callsAtStart = reader.calls.size();
    // As start-up leaves it: no task chosen.
    EXPECT_EQ(window->Combo2->currentIndex(), -1);
    window->Command1_Click();
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(fake.programEnd.ended());
    EXPECT_EQ(reader.calls.size(), callsAtStart);

    run(-1);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(fake.programEnd.ended());
    EXPECT_EQ(reader.calls.size(), callsAtStart);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TaskDispatch, EachTaskReachesItsRoutineAndTheReaderTasksEndTheProgramOnce) {
    reader.results["HM_delete"] = {5};
    load();
    fake.messages.onShow = [&](const ShownMessage&) { EXPECT_FALSE(window->isVisible()); };
    run(kClear);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{" Lukijan tyhjennys epäonnistui. "_cp});
    EXPECT_EQ(fake.messages.shown[0].title, " Virhe nro 5");
    EXPECT_EQ(fake.programEnd.endCalls, 1);

    auto runAgain = [&](int task) {
        fake.messages.onShow = nullptr;
        fake.programEnd.endCalls = 0;
        load();
        run(task);
    };
    reader.results["HM_upload1"] = {48}; // the failed fetch ends the program itself
    runAgain(kFetch);
    EXPECT_EQ(fake.programEnd.endCalls, 1);
    // A fetch that succeeds returns; the dispatcher then ends the program.
    reader.onUploadFinished = [] { test::writeFile("pnqty.dat", "1234              2\r\n"); };
    runAgain(kFetch);
    EXPECT_EQ(reader.callsOf("HM_upload2").size(), 1u);
    EXPECT_EQ(fake.programEnd.endCalls, 1);

    runAgain(kSend);
    EXPECT_EQ(reader.callsOf("HM_download1").size(), 1u);

    test::writeFile(dat / "orvik.dat", "1234              2\r\n");
    runAgain(kReview);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 2); // the fetch opened the first
}

TEST_F(TaskDispatch, ZeroInventoryWaitsUntilTheWorkFileIsHandedOver) {
    test::writeFile(dat / "orvik.dat", "1234              2\r\n");
    load();
    run(kZero);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              " Siirrä inventaaritiedot ensin kassajärjestelmään.  "_cp);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(test::exists(zeroRowFile()));
}

TEST_F(TaskDispatch, ZeroInventoryWritesTheChosenGroupsRowsFromTheCommandLineCutOff) {
    const double today = toDayNumber(fake.clock.date);
    test::writeStockFiles(stock.path(),
                          {stockedProduct("ONCUTOFF", 1, today - 7),
                           stockedProduct("LATER", 1, today - 6.5), stockedProduct("NOTCHOSEN", 2),
                           stockedProduct("DRINK", 3)},
                          {}, {{'R', "Maito", ' '}, {'R', "Leipä"_cp, ' '}, {'R', "Juomat", ' '}});
    test::writeFile(stock / "CASSA.001", ""); // for the review that follows
    test::writeFile(dat / "orvik.dat", "");   // an empty work file does not stop it
    std::string rowsAtNotice;
    fake.messages.onShow = [&](const ShownMessage&) {
        if (!rowsAtNotice.empty())
            return;
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(reviewWindowsOpened(), 0) << "the review opens after the notice";
        rowsAtNotice = test::readFile(zeroRowFile());
    };
    load("7 --ignored");
    whenDialogWaits([](Form1& form) {
        EXPECT_FALSE(form.parentWidget() && form.parentWidget()->isVisible());
        chooseRows(form, {0, 2});
    });

    run(kZero);

    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{" Nollainventointirivit on lisätty. "_cp});
    EXPECT_EQ(rowsAtNotice, "ONCUTOFF         0\r\n"
                            "DRINK            0\r\n");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(reviewWindowsOpened(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TaskDispatch, ZeroInventoryClosedWithoutAChoiceBringsTheMainWindowBack) {
    load();
    whenDialogWaits([](Form1& form) {
        form.List1->item(1)->setSelected(true);
        form.close();
    });

    run(kZero);

    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{" Yhtään tuoteryhmää ei ole valittu.  "_cp});
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(test::exists(zeroRowFile()));
    EXPECT_EQ(reviewWindowsOpened(), 0);
}

TEST_F(TaskDispatch, ZeroInventoryStockFileFailuresKeepTheMainWindow) {
    // No name file: the dialog never opens.
    std::filesystem::remove(stock / "CASSA.005");
    load();
    run(kZero);
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{" Varastotiedostoa " + stock.dirValue() +
                                                       "CASSA.005 ei voi lukea. "});
    EXPECT_TRUE(window->isVisible());

    // No product file: found after the choice; the main window comes back.
    test::writeStockFiles(stock.path(), {}, {}, {{'R', "Maito", ' '}});
    std::filesystem::remove(stock / "CASSA.002");
    fake.messages.shown.clear();
    whenDialogWaits([](Form1& form) { chooseRows(form, {0}); });
    run(kZero);
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{" Varastotiedostoa " + stock.dirValue() +
                                                       "CASSA.002 ei voi lukea. "});
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(test::exists(zeroRowFile()));
    EXPECT_EQ(reviewWindowsOpened(), 0);
}

} // namespace
} // namespace orvik
