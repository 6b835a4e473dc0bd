#include "platform/qt/qtdesktoplinks.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace orvik {

bool QtDesktopLinks::openFile(const std::filesystem::path& file) {
#ifdef Q_OS_WIN
    const QString name = QString::fromStdWString(file.native());
#else
    const QString name = QFile::decodeName(QByteArray::fromStdString(file.native()));
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(name));
}

} // namespace orvik
