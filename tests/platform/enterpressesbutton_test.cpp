#include "ui/enterpressesbutton.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace orvik {
namespace {

class EnterPressesButtonTest : public testing::Test {
protected:
    static void SetUpTestSuite() { EnterPressesButton::installOn(*QApplication::instance()); }

    static void focusShown(QWidget& window, QWidget& control) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        control.setFocus();
        ASSERT_TRUE(control.hasFocus());
    }
};

TEST_F(EnterPressesButtonTest, ReturnAndKeypadEnterPressTheFocusedButtonOfAWindow) {
    QWidget window;
    auto* first = new QPushButton("Hae tiedot", &window);
    auto* second = new QPushButton("Lopeta", &window);
    auto* text = new QLineEdit(&window);
    QSignalSpy firstClicks(first, &QPushButton::clicked);
    QSignalSpy secondClicks(second, &QPushButton::clicked);
    focusShown(window, *second);

    QTest::keyClick(second, Qt::Key_Return);
    QTest::keyClick(second, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(second, Qt::Key_Return, Qt::ControlModifier); // not a plain Enter
    EXPECT_EQ(secondClicks.count(), 2);

    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return); // only a focused button is pressed
    EXPECT_EQ(firstClicks.count() + secondClicks.count(), 2);
}

TEST_F(EnterPressesButtonTest, InADialogTheFocusedButtonRatherThanTheDefaultOne) {
    QDialog dialog;
    auto* accept = new QPushButton("OK", &dialog);
    accept->setDefault(true);
    auto* other = new QPushButton("Ei", &dialog);
    other->setAutoDefault(false);
    QSignalSpy acceptClicks(accept, &QPushButton::clicked);
    QSignalSpy otherClicks(other, &QPushButton::clicked);
    focusShown(dialog, *other);

    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(otherClicks.count(), 1);
    EXPECT_EQ(acceptClicks.count(), 0);
}

} // namespace
} // namespace orvik
