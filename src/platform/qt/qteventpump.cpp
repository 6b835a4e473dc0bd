#include "platform/qt/qteventpump.h"

#include <QCoreApplication>

namespace orvik {

void QtEventPump::runPendingOnce() {
    QCoreApplication::processEvents();
}

} // namespace orvik
