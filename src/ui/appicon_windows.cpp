#include "ui/appicon.h"

#include <QFile>
#include <QIcon>

#include "ui/icofile.h"

namespace orvik {

QIcon applicationIcon() {
    // The program file's own icon, made from the drawing the desktop shows.
    QFile ico(QStringLiteral(":/orvik/orvik.ico"));
    if (!ico.open(QIODevice::ReadOnly))
        return QIcon();
    return iconFromIco(ico.readAll());
}

} // namespace orvik
