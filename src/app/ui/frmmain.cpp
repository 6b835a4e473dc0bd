// The main window: start-up, the settings it shows and saves, and quitting.
#include "app/ui/frmmain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/archive.h"
#include "app/startuprecovery.h"
#include "app/startupsettings.h"
#include "app/ui/taskrow.h"
#include "platform/qt/qtext.h"

namespace orvik {

frmMain::frmMain(Platform& platform, ReaderLibrary& reader, std::string commandLine,
                 QWidget* parent)
    : QWidget(parent), platform_(platform), reader_(reader), commandLine_(std::move(commandLine)) {
    setObjectName(QStringLiteral("frmMain"));
    buildControls();
    connectHandlers();
}

void frmMain::connectHandlers() {
    const std::pair<QPushButton*, void (frmMain::*)()> buttons[] = {
        {Command1, &frmMain::Command1_Click}, {Command2, &frmMain::Command2_Click},
        {Command3, &frmMain::Command3_Click}, {Command4, &frmMain::Command4_Click},
        {Command5, &frmMain::Command5_Click}, {Command6, &frmMain::Command6_Click},
        {Command7, &frmMain::Command7_Click}, {Command8, &frmMain::Command8_Click},
        {Command9, &frmMain::Command9_Click}};
    for (const auto& [control, handler] : buttons)
        connect(control, &QPushButton::clicked, this, handler);
    // A user's choice in a list; start-up's own selection calls the handler itself.
    connect(Combo1, &QComboBox::activated, this, &frmMain::Combo1_Click);
    connect(Combo2, &QComboBox::activated, this, &frmMain::Combo2_Click);
}

bool frmMain::Form_Load() {
    for (QWidget* control : std::initializer_list<QWidget*>{Combo1, Label1, Command5, Command6,
                                                            Command7, Command8, Command9})
        control->setVisible(false);

    if (!platform_.singleCopy.acquire()) {
        platform_.programEnd.endNow();
        return false;
    }
    arkistoi();

    const StartupSettings settings = readStartupSettings(platform_.settings);
    dirs_ = settings.directories;
    Text1->setText(toQString(settings.readerDir));
    Text4->setText(toQString(dirs_.datPolku));
    Text2->setText(toQString(dirs_.datat));
    Text3->setText(toQString(dirs_.invPolku));

    for (const char* entry : kPortEntries)
        Combo1->addItem(QString::fromLatin1(entry));
    fillTaskList(*Combo2);
    Combo1->setCurrentIndex(settings.portIndex);
    Combo1_Click();
    // Only after the port's selection, so that start-up itself never saves it.
    if (settings.readerMode)
        showReaderLayout();
    tellRecovery();
    return !platform_.programEnd.ended();
}

// A step a crash interrupted is settled before the user can start another.
void frmMain::tellRecovery() {
    for (const StepNotice& notice : recoverAtStartUp(dirs_.datPolku)) {
        if (notice.warning)
            platform_.messages.warning(notice.text, kNoticeTitle);
        else
            platform_.messages.notice(notice.text);
    }
}

void frmMain::showCentred() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void frmMain::arkistoi() {
    archiveWorkFile(platform_.clock);
}

void frmMain::tallennaasetukset() {
    saveEditableSettings(platform_.settings, fromQString(Text1->text()),
                         fromQString(Text4->text()));
}

void frmMain::Combo1_Click() {
    porttinro = Combo1->currentIndex() + 1;
    kokeileportti();
    if (Command1->isVisibleTo(this)) {
        savePortChoice(platform_.settings, fromQString(Combo1->currentText()));
        Command1->setFocus();
    }
}

void frmMain::Command2_Click() {
    tallennaasetukset();
    platform_.programEnd.endNow();
}

void frmMain::Command7_Click() {
    platform_.programEnd.endNow();
}

// Form_QueryUnload: the close box saves and never cancels. A program that has
// already ended runs no closing steps.
void frmMain::closeEvent(QCloseEvent* event) {
    if (!platform_.programEnd.ended())
        tallennaasetukset();
    event->accept();
}

} // namespace orvik
