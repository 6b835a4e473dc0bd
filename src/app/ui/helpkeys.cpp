#include "app/ui/helpkeys.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtGlobal>
#include <optional>

#include "app/ui/frmmain.h"
#include "platform/desktoplinks.h"
#include "platform/messagebox.h"
#include "platform/qt/qtext.h"

namespace orvik {

HelpKeys::HelpKeys(std::filesystem::path programDir, DesktopLinks& links, MessageBoxes& messages,
                   FactsSource facts, QObject* parent)
    : QObject(parent), programDir_(std::move(programDir)), links_(links), messages_(messages),
      facts_(std::move(facts)) {}

HelpKeys* HelpKeys::installOn(QCoreApplication& application, std::filesystem::path programDir,
                              DesktopLinks& links, MessageBoxes& messages, FactsSource facts) {
    auto* keys =
        new HelpKeys(std::move(programDir), links, messages, std::move(facts), &application);
    application.installEventFilter(keys);
    return keys;
}

void HelpKeys::openGuide() {
    orvik::openGuide(programDir_, links_, messages_);
}

// One About box at a time: Shift+F1 inside it would open another over it.
void HelpKeys::showAbout() {
    if (aboutShown_)
        return;
    aboutShown_ = true;
    messages_.show(aboutText(facts_()), kAboutTitle, MsgIcon::Information, MsgButtons::Ok);
    aboutShown_ = false;
}

bool HelpKeys::eventFilter(QObject* watched, QEvent* event) {
    Q_UNUSED(watched);
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1)
        return false;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    if (key->isAutoRepeat())
        return true;
    if (modifiers == Qt::ShiftModifier)
        showAbout();
    else
        openGuide();
    return true;
}

std::filesystem::path programDirectory() {
#ifdef Q_OS_WIN
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdWString());
#else
    return std::filesystem::path(
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
#endif
}

AboutFacts aboutFactsOf(std::string settingsPlace, const std::filesystem::path& programDir) {
    AboutFacts facts;
    facts.settingsPlace = std::move(settingsPlace);
    facts.currentDir = currentDirWithSeparator();
    const std::optional<std::filesystem::path> guide = findGuide(programDir);
    facts.guide = guide ? cpPath(*guide) : std::string();
    facts.qtVersion = qVersion();
    return facts;
}

AboutFacts aboutFactsOf(const frmMain& window, std::string settingsPlace,
                        const std::filesystem::path& programDir) {
    AboutFacts facts = aboutFactsOf(std::move(settingsPlace), programDir);
    facts.readerDir = fromQString(window.Text1->text());
    facts.directories = window.directories();
    return facts;
}

} // namespace orvik
