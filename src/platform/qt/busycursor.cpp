#include "platform/qt/busycursor.h"

#include <QApplication>
#include <QCursor>

namespace orvik {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

OrdinaryCursor::OrdinaryCursor() : lifted_(QApplication::overrideCursor() != nullptr) {
    if (lifted_)
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

OrdinaryCursor::~OrdinaryCursor() {
    if (lifted_)
        QApplication::restoreOverrideCursor();
}

} // namespace orvik
