#include "app/ui/guardedapplication.h"

namespace orvik {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

GuardedApplication::~GuardedApplication() = default;

FailureGuard& GuardedApplication::guardWith(MessageBoxes& messages, ProgramEnd& programEnd) {
    guard_ = std::make_unique<FailureGuard>(messages, programEnd);
    return *guard_;
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    if (!guard_)
        return QApplication::notify(receiver, event);
    bool handled = false;
    guard_->run([&] {
        handled = QApplication::notify(receiver, event);
        return true;
    });
    return handled;
}

} // namespace orvik
