#include "app/ui/orvikapp.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "app/settingskeys.h"
#include "app/ui/frmasetukset.h"
#include "app/ui/frmmain.h"
#include "app/ui/guardedapplication.h"
#include "app/ui/helpkeys.h"
#include "platform/qt/qtclock.h"
#include "platform/qt/qtdesktoplinks.h"
#include "platform/qt/qteventpump.h"
#include "platform/qt/qtext.h"
#include "platform/qt/qtfolderpicker.h"
#include "platform/qt/qtmessageboxes.h"
#include "platform/qt/qtprintingservice.h"
#include "platform/qt/qtprogramend.h"
#include "platform/qt/qtsettingsstore.h"
#include "platform/qt/qtsinglecopylock.h"
#include "reader/readerloader.h"
#include "ui/appfont.h"
#include "ui/appicon.h"
#include "ui/enterpressesbutton.h"
#include "ui/finnishtranslation.h"

namespace orvik {
namespace {

// The arguments after the program's name, joined by blanks, as one text.
// QApplication has already taken out the arguments meant for Qt.
std::string commandLineText(int argc, char** argv) {
    QString joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            joined += QLatin1Char(' ');
        joined += QString::fromLocal8Bit(argv[i]);
    }
    return fromQString(joined);
}

// Where the About box says the settings are.
std::string settingsPlace(const QtSettingsStore& settings) {
#ifdef Q_OS_WIN
    Q_UNUSED(settings);
    return std::string("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") +
           settingskeys::kApplication + "\\" + settingskeys::kOwnSection;
#else
    return fromQString(settings.iniFilePath(settingskeys::kApplication)) + ", osio [" +
           settingskeys::kOwnSection + "]";
#endif
}

// What every window of the program expects of the application.
void prepare(GuardedApplication& application) {
    // A dock finds the desktop entry, and with it the name and icon, by the
    // window's class on X11 (the desktop entry's StartupWMClass, fixed here
    // rather than taken from however the program was started) and by this
    // desktop file name on Wayland.
    QGuiApplication::setApplicationName(QStringLiteral("orvik"));
    QGuiApplication::setDesktopFileName(QStringLiteral("fi.norvala.Orvik"));
    applyApplicationFont(application);
    installQtFinnish(application);
    EnterPressesButton::installOn(application);
    application.setWindowIcon(applicationIcon());
}

} // namespace

int runOrvik(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    prepare(application);

    QtSettingsStore settings;
    QtSingleCopyLock singleCopy;
    QtMessageBoxes messages;
    QtClock clock;
    QtPrintingService printer(clock);
    QtProgramEnd programEnd;
    QtEventPump events;
    Platform platform{settings, singleCopy, messages, printer, programEnd, events, clock};
    FailureGuard& guard = application.guardWith(messages, programEnd);
    const std::unique_ptr<ReaderLibrary> reader = makeReaderLibrary();

    std::unique_ptr<frmMain> mainWindow;
    QtDesktopLinks links;
    const std::filesystem::path programDir = programDirectory();
    HelpKeys::installOn(application, programDir, links, messages, [&] {
        // The main window is made before any window can take a key.
        return aboutFactsOf(*mainWindow, settingsPlace(settings), programDir);
    });
    const bool started = guard.run([&] {
        mainWindow = std::make_unique<frmMain>(platform, *reader, commandLineText(argc, argv));
        if (!mainWindow->Form_Load())
            return false;
        mainWindow->showCentred();
        return true;
    });
    if (started && !programEnd.ended())
        application.exec();
    return application.failed() ? 1 : 0;
}

int runOrvikSettings(int argc, char** argv) {
    GuardedApplication application(argc, argv);
    prepare(application);

    QtSettingsStore settings;
    QtSingleCopyLock singleCopy;
    QtMessageBoxes messages;
    QtClock clock;
    QtPrintingService printer(clock);
    QtProgramEnd programEnd;
    QtEventPump events;
    QtFolderPicker folders;
    Platform platform{settings, singleCopy, messages, printer, programEnd, events, clock};
    FailureGuard& guard = application.guardWith(messages, programEnd);

    std::unique_ptr<frmAsetukset> dialog;
    QtDesktopLinks links;
    const std::filesystem::path programDir = programDirectory();
    HelpKeys::installOn(application, programDir, links, messages, [&] {
        // The About box tells the directories as the dialog's boxes hold them.
        AboutFacts facts = aboutFactsOf(settingsPlace(settings), programDir);
        if (dialog) {
            facts.readerDir = fromQString(dialog->Text1->text());
            facts.directories = {fromQString(dialog->Text4->text()),
                                 fromQString(dialog->Text2->text()),
                                 fromQString(dialog->Text3->text())};
        }
        return facts;
    });
    guard.run([&] {
        dialog = std::make_unique<frmAsetukset>(platform, folders);
        dialog->Form_Load();
        dialog->exec();
        return true;
    });
    return application.failed() ? 1 : 0;
}

} // namespace orvik
