#include "platform/qt/qtmessageboxes.h"

#include "platform/qt/busycursor.h"
#include "platform/qt/qtext.h"

#include <QMessageBox>

namespace orvik {

namespace {

QMessageBox::Icon boxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

void addButtons(QMessageBox& box, MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        return;
    case MsgButtons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoDefaultYes:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    // Closing the question without a choice is the cautious answer.
    box.setEscapeButton(QMessageBox::No);
}

} // namespace

void QtMessageBoxes::setUp(QMessageBox& box, const std::string& text, const std::string& title,
                           MsgIcon icon, MsgButtons buttons) {
    box.setWindowTitle(toQString(title.empty() ? std::string(kDefaultMessageTitle) : title));
    // Shown exactly: a text with "<" in it must not be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(text));
    box.setIcon(boxIcon(icon));
    addButtons(box, buttons);
}

MsgAnswer QtMessageBoxes::show(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons) {
    QMessageBox box;
    setUp(box, text, title, icon, buttons);
    const OrdinaryCursor pointer; // a message in the middle of long work
    box.exec();
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MsgAnswer::Yes : MsgAnswer::No;
}

} // namespace orvik
