#include "ui/appfont.h"

#include <QApplication>
#include <QFont>

namespace orvik {

void applyApplicationFont(QApplication& app) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    app.setFont(font);
}

} // namespace orvik
