#pragma once
// The application object of the program: every event reaches its handler
// through the failure guard, so an exception escaping a handler is told to
// the user rather than ending the program unexplained.
#include <QApplication>
#include <memory>

#include "app/failureguard.h"

namespace orvik {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    ~GuardedApplication() override;

    // From now on events are guarded, told through `messages` and ended
    // through `programEnd`.
    FailureGuard& guardWith(MessageBoxes& messages, ProgramEnd& programEnd);
    bool failed() const { return guard_ && guard_->failed(); }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<FailureGuard> guard_;
};

} // namespace orvik
