// Photographs the program's real windows on the sample shop for the user
// guide: the main window, the review window as loaded and sorted, the
// question of "Hyväksy", the zero inventory's group dialog and the reader
// layout. Run under a display (scripts/guide-screenshots.sh starts a private
// one); writes PNG files into the directory given.
//   orvik_guideshots OUTDIR
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/ui/frmmain.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qteventpump.h"
#include "platform/qt/qtmessageboxes.h"
#include "reader/doubles/scriptedreader.h"
#include "review/ui/frmrepo.h"
#include "sampleshop.h"
#include "ui/appfont.h"
#include "ui/appicon.h"
#include "ui/finnishtranslation.h"
#include "zeroinv/ui/form1.h"

namespace {

namespace fs = std::filesystem;
using namespace orvik;

fs::path outDir;
bool allWritten = true;

void settle(QWidget& window) {
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "orvik_guideshots: %s was not shown\n",
                     window.objectName().toLocal8Bit().constData());
    QTest::qWait(200);
}

void shoot(QWidget& window, const char* name) {
    window.repaint();
    const QString file = QString::fromStdString((outDir / name).string());
    if (!window.grab().save(file, "PNG")) {
        std::fprintf(stderr, "orvik_guideshots: could not write %s\n",
                     file.toLocal8Bit().constData());
        allWritten = false;
    }
}

// Real message boxes, shown without waiting: the one named next is
// photographed, and every question is answered "no", so nothing is written.
class PhotographedMessages : public MessageBoxes {
public:
    const char* nextShot = nullptr;

    MsgAnswer show(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons) override {
        QMessageBox box;
        QtMessageBoxes::setUp(box, text, title, icon, buttons);
        box.show();
        settle(box);
        if (nextShot)
            shoot(box, nextShot);
        nextShot = nullptr;
        box.close();
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
};

frmRepo* openReviewWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* review = qobject_cast<frmRepo*>(top))
            return review;
    return nullptr;
}

// The demo's shop: the stock files of the sample shop and its count waiting
// in the reader software's directory. The directory values are relative to
// the shop, so the pictures show no machine's own paths.
void writeShop(FakeSettingsStore& settings) {
    for (const char* dir : {"vorda", "dat", "data", "inv"})
        fs::create_directories(dir);
    const sampleshop::Shop shop = sampleshop::makeShop({2000, 60, 40, 1});
    if (sampleshop::writeShop(shop, "data", fs::path("vorda") / "orvik.dat").failed()) {
        std::fprintf(stderr, "orvik_guideshots: could not write the sample shop\n");
        std::exit(1);
    }
    settings.set("Orvik", "MyDocuments", "vorda/");
    settings.set("Orvik", "DatPolku", "dat/");
    settings.set("Orvik", "Datat", "data/");
    settings.set("Orvik", "InvPolku", "inv/");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: orvik_guideshots OUTDIR\n", stderr);
        return 2;
    }
    outDir = fs::absolute(argv[1]);
    fs::create_directories(outDir);
    QApplication application(argc, argv);
    applyApplicationFont(application);
    installQtFinnish(application);
    application.setWindowIcon(applicationIcon());

    QTemporaryDir shopDir;
    if (!shopDir.isValid())
        return 1;
    fs::current_path(shopDir.path().toStdString());

    FakePlatform fake;
    PhotographedMessages messages;
    QtEventPump events;
    Platform platform{fake.settings,   fake.singleCopy, messages,  fake.printer,
                      fake.programEnd, events,          fake.clock};
    ScriptedReader reader;
    writeShop(fake.settings);

    frmMain main(platform, reader, "");
    if (!main.Form_Load())
        return 1;
    main.showCentred();
    settle(main);
    shoot(main, "paaikkuna.png");

    // "Hae tiedot": the count comes in and the review window opens on it.
    main.Command3_Click();
    frmRepo* review = openReviewWindow();
    if (!review)
        return 1;
    settle(*review);
    shoot(*review, "tarkastelu.png");

    // Widened as a user would, so that the totals show beside the buttons;
    // sorted by "Erotus" (the first click sorts descending), two rows chosen.
    review->resize(760, review->height() + 60);
    review->ListView1_ColumnClick(5);
    QAbstractItemModel* model = review->ListView1->model();
    for (int row : {1, 2})
        review->ListView1->selectionModel()->select(
            model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    review->ListView1->setFocus();
    settle(*review);
    shoot(*review, "lajittelu.png");

    messages.nextShot = "hyvaksy.png";
    review->Command3_Click(); // answered "no": nothing is handed over
    review->hide();

    Form1 groups(platform);
    groups.Form_Load("data/");
    groups.show();
    for (int row : {0, 2})
        if (QListWidgetItem* item = groups.List1->item(row))
            item->setSelected(true);
    settle(groups);
    shoot(groups, "nollainventointi.png");
    groups.hide();

    fake.settings.set("Orvik", "Tila", "lukija");
    frmMain readerMain(platform, reader, "");
    if (!readerMain.Form_Load())
        return 1;
    readerMain.showCentred();
    readerMain.Combo2->setCurrentIndex(0);
    settle(readerMain);
    shoot(readerMain, "lukijatila.png");

    fs::current_path(outDir);
    delete review;
    return allWritten ? 0 : 1;
}
