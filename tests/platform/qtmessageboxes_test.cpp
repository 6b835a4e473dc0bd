#include "platform/qt/busycursor.h"
#include "platform/qt/qtext.h"
#include "platform/qt/qtmessageboxes.h"
#include "text/codepage.h"
#include "ui/finnishtranslation.h"

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

QStringList shownButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (const QAbstractButton* button : box.buttons())
        texts << button->text().remove(QLatin1Char('&')); // the mnemonic is not shown as such
    texts.sort();
    return texts;
}

TEST(MessageBoxes, StandardButtonsReadInFinnishAndTheQuestionStillDefaultsToEi) {
    ASSERT_TRUE(installQtFinnish(*QApplication::instance()));
    QtMessageBoxes boxes;
    QStringList texts;
    QString defaultText;
    whenShown([&](QMessageBox& box) {
        texts = shownButtonTexts(box);
        defaultText = box.defaultButton()->text().remove(QLatin1Char('&'));
        box.defaultButton()->click();
    });
    EXPECT_EQ(boxes.show("?", " Varmistus", MsgIcon::Question, MsgButtons::YesNoDefaultNo),
              MsgAnswer::No);
    EXPECT_EQ(texts, (QStringList{"Ei", toQString("Kyllä"_cp)}));
    EXPECT_EQ(defaultText, "Ei");

    whenShown([&](QMessageBox& box) {
        texts = shownButtonTexts(box);
        box.button(QMessageBox::Ok)->click();
    });
    boxes.notice(" Ilmoitus");
    EXPECT_EQ(texts, QStringList{"OK"});
}

TEST(MessageBoxes, AMessageDuringLongWorkShowsTheOrdinaryPointer) {
    QtMessageBoxes boxes;
    const BusyCursor busy;
    Qt::CursorShape duringMessage = Qt::WaitCursor;
    whenShown([&](QMessageBox& box) {
        duringMessage = QApplication::overrideCursor()->shape();
        box.button(QMessageBox::Ok)->click();
    });
    boxes.notice(" Tiedot on noudettu lukijasta ");
    EXPECT_EQ(duringMessage, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

} // namespace
} // namespace orvik
