#include "ui/enterpressesbutton.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace orvik {

namespace {

bool isPlainEnter(const QKeyEvent& key) {
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
        return false;
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !key.isAutoRepeat();
}

} // namespace

void EnterPressesButton::installOn(QCoreApplication& application) {
    application.installEventFilter(new EnterPressesButton(&application));
}

// Only a button that has the focus: a dialog's Enter elsewhere still goes to
// its default button.
bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled())
        return false;
    if (!isPlainEnter(*static_cast<QKeyEvent*>(event)))
        return false;
    button->click();
    return true;
}

} // namespace orvik
