#include "platform/qt/qtprogramend.h"

#include <QCoreApplication>

namespace orvik {

void QtProgramEnd::endNow() {
    ended_ = true;
    if (QCoreApplication::instance())
        QCoreApplication::exit(0);
}

} // namespace orvik
