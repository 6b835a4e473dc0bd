#include "platform/qt/qtfolderpicker.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/qt/qtext.h"

namespace orvik {

std::optional<std::string> QtFolderPicker::chooseFolder(const std::string& title,
                                                        const std::string& start) {
    const QString chosen =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), toQString(title),
                                          toQString(start), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return std::nullopt;
    // The system's own separators, as a directory value typed by hand has.
    return fromQString(QDir::toNativeSeparators(chosen));
}

} // namespace orvik
