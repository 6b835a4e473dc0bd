// Where the toolkit prints through another printing system than CUPS
// (Windows), the queue is taken at the toolkit's word.
#include <utility>

#include "platform/qt/systemprintqueue.h"

namespace orvik {

SystemPrintQueue::SystemPrintQueue(QString printerName) : printerName_(std::move(printerName)) {}

std::string SystemPrintQueue::whyStopped() {
    return {};
}

void SystemPrintQueue::noteJobs() {}

std::string SystemPrintQueue::whyNotTaken(const QString&) const {
    return {};
}

} // namespace orvik
