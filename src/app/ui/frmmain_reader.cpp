// The main window's reader routines: thin calls into the reader link, with
// the window itself as what the routines show and hide. Each runs under the
// busy cursor: a transfer holds the one thread until it ends.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/ui/frmmain.h"
#include "platform/qt/busycursor.h"
#include "platform/qt/qtext.h"
#include "reader/readerclearing.h"
#include "reader/readerfetch.h"
#include "reader/readerport.h"
#include "reader/readersend.h"

namespace orvik {

namespace {

class MainWindowReaderView : public ReaderView {
public:
    explicit MainWindowReaderView(frmMain& window) : window_(window) {}

    void lockForTransfer() override {
        window_.Command1->hide();
        window_.Command2->hide();
        window_.Frame1->setEnabled(false);
        // The window's one further switch: the busy cursor, since the
        // transfer holds the window until the program ends or the review
        // window takes over.
        window_.setCursor(Qt::WaitCursor);
        // The progress caption lies under the task list: the task row gives
        // way to it, for good, as the transfer never comes back to it.
        window_.Label2->hide();
        window_.Combo2->hide();
    }
    void setProgressCaption(const std::string& caption) override {
        window_.lblA->setText(toQString(caption));
    }
    void hideMainWindow() override { window_.hide(); }
    void showMainWindow() override { window_.show(); }
    void showReview() override { window_.showReview(); }

private:
    frmMain& window_;
};

} // namespace

ReaderLink frmMain::readerLink(ReaderView& view) {
    return ReaderLink{reader_, platform_, view, porttinro, dirs_.datPolku};
}

void frmMain::kokeileportti() {
    orvik::kokeileportti(reader_, porttinro);
}

void frmMain::noudatiedot() {
    const BusyCursor busy;
    MainWindowReaderView view(*this);
    tulos = orvik::noudatiedot(readerLink(view)).tulos;
}

void frmMain::tyhjenna() {
    const BusyCursor busy;
    MainWindowReaderView view(*this);
    tulos = orvik::tyhjenna(readerLink(view));
}

void frmMain::vieohjelma() {
    const BusyCursor busy;
    MainWindowReaderView view(*this);
    tulos = orvik::vieohjelma(readerLink(view));
}

void frmMain::Command5_Click() {
    noudatiedot();
}

void frmMain::Command8_Click() {
    const BusyCursor busy;
    MainWindowReaderView view(*this);
    tulos = clearReaderAndReport(readerLink(view));
}

void frmMain::Command9_Click() {
    vieohjelma();
}

} // namespace orvik
