#include "ui/appicon.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace orvik {

QIcon applicationIcon() {
    // Drawn here rather than left to an icon-engine plugin, so the icon does
    // not depend on a plugin being installed.
    QSvgRenderer drawing(QStringLiteral(":/orvik/orvik.svg"));
    QIcon icon;
    if (!drawing.isValid())
        return icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawing.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace orvik
