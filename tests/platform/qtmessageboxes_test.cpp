#include "common/codepage.h"
#include "platform/qt/qtext.h"
#include "platform/qt/qtmessageboxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace orvik {
namespace {

using namespace orvik::literals;

// Runs `look` on the message box once it is on screen.
void whenShown(std::function<void(QMessageBox&)> look) {
    QTimer::singleShot(0, [look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        look(*box);
    });
}

TEST(MessageBoxes, NoticeShowsTitleTextIconAndOneOkButton) {
    QtMessageBoxes boxes;
    bool looked = false;
    whenShown([&](QMessageBox& box) {
        looked = true;
        EXPECT_EQ(box.windowTitle(), QStringLiteral(" Ilmoitus"));
        EXPECT_EQ(box.text(), toQString(" Työtiedostossa ei ole inventoituja rivejä  "_cp));
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.buttons().size(), 1);
        ASSERT_NE(box.button(QMessageBox::Ok), nullptr);
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(boxes.notice(" Työtiedostossa ei ole inventoituja rivejä  "_cp), MsgAnswer::Ok);
    EXPECT_TRUE(looked);
}

TEST(MessageBoxes, EmptyTitleIsTheProgramsNameAndTextIsNotMarkup) {
    QtMessageBoxes boxes;
    bool looked = false;
    whenShown([&](QMessageBox& box) {
        looked = true;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Orvik"));
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(boxes.show("2 <b>No such file</b>", "", MsgIcon::None, MsgButtons::Ok),
              MsgAnswer::Ok);
    EXPECT_TRUE(looked);
}

TEST(MessageBoxes, QuestionPreselectsTheChosenButtonAndAnswersTheClickedOne) {
    QtMessageBoxes boxes;
    whenShown([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(
        boxes.show("Poistetaanko?", " Varmistus", MsgIcon::Question, MsgButtons::YesNoDefaultNo),
        MsgAnswer::Yes);

    whenShown([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(boxes.show("?", " Virhe nro 5", MsgIcon::Exclamation, MsgButtons::YesNoDefaultYes),
              MsgAnswer::No);

    whenShown([](QMessageBox& box) { box.reject(); }); // closed without a choice
    EXPECT_EQ(boxes.show("?", "t", MsgIcon::Question, MsgButtons::YesNoDefaultYes), MsgAnswer::No);
}

} // namespace
} // namespace orvik
