#pragma once
// Enter (Return or the keypad's Enter) on a focused push button presses it,
// as Space does, in every window and dialog of the program: the shop's
// workstation habit. Installed once on the application as an event filter.
#include <QObject>

class QCoreApplication;

namespace orvik {

class EnterPressesButton : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Installs a filter owned by the application.
    static void installOn(QCoreApplication& application);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace orvik
