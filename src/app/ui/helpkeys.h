#pragma once
// F1 opens the user guide in the desktop's browser and Shift+F1 shows the
// About box, in every window, dialog and message of the program: one filter
// on the application, so no window's layout or controls change.
#include <QObject>
#include <filesystem>
#include <functional>
#include <string>

#include "app/help.h"

class QCoreApplication;

namespace orvik {

class DesktopLinks;
class MessageBoxes;
class frmMain;

class HelpKeys : public QObject {
    Q_OBJECT

public:
    // What the About box tells, gathered at the moment it is shown.
    using FactsSource = std::function<AboutFacts()>;

    HelpKeys(std::filesystem::path programDir, DesktopLinks& links, MessageBoxes& messages,
             FactsSource facts, QObject* parent = nullptr);

    // Installs a filter owned by the application.
    static HelpKeys* installOn(QCoreApplication& application, std::filesystem::path programDir,
                               DesktopLinks& links, MessageBoxes& messages, FactsSource facts);

    void openGuide();
    void showAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::filesystem::path programDir_;
    DesktopLinks& links_;
    MessageBoxes& messages_;
    FactsSource facts_;
    bool aboutShown_ = false;
};

// The directory the running program lies in.
std::filesystem::path programDirectory();

// The About facts no window holds: where the settings are, the current
// directory, the guide found and the toolkit's version.
AboutFacts aboutFactsOf(std::string settingsPlace, const std::filesystem::path& programDir);

// The About facts of a running main window: the directories it holds, its
// reader-software directory as typed now, the guide it would open.
AboutFacts aboutFactsOf(const frmMain& window, std::string settingsPlace,
                        const std::filesystem::path& programDir);

} // namespace orvik
