// A failure that escapes an operation or an event handler is told in Finnish
// and ends the program.
#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "app/ui/guardedapplication.h"
#include "platform/doubles/fakeplatform.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;

TEST(FailureGuard, TellsEachKindOfFailureOnceAndEndsTheProgram) {
    FakeMessageBoxes messages;
    FakeProgramEnd end;
    FailureGuard guard(messages, end);
    EXPECT_TRUE(guard.run([] { return true; }));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(end.ended());

    EXPECT_FALSE(guard.run([]() -> bool { throw std::bad_alloc(); }));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, " Muisti ei riittänyt. Ohjelma lopetetaan. "_cp);
    EXPECT_EQ(messages.shown[0].title, " Virhe");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(end.endCalls, 1);
    EXPECT_TRUE(guard.failed());

    // Failing again while the message is up: no second message.
    messages.onShow = [&](const ShownMessage&) { guard.run([]() -> bool { throw 7; }); };
    guard.run([]() -> bool { throw std::runtime_error("levy ä"); });
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, " Odottamaton virhe: levy ä. Ohjelma lopetetaan. "_cp);
    EXPECT_EQ(unforeseenFailureText(std::make_exception_ptr(7)),
              " Odottamaton virhe. Ohjelma lopetetaan. ");
}

class ThrowingObject : public QObject {
public:
    bool event(QEvent*) override { throw std::bad_alloc(); }
};

TEST(GuardedApplication, AnExceptionFromAnEventHandlerIsToldNotFatal) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvik";
    char* argv[] = {name, nullptr};
    GuardedApplication application(argc, argv);
    FakeMessageBoxes messages;
    FakeProgramEnd end;
    application.guardWith(messages, end);
    ThrowingObject object;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&object, &event);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, " Muisti ei riittänyt. Ohjelma lopetetaan. "_cp);
    EXPECT_TRUE(end.ended());
    EXPECT_TRUE(application.failed());
}

} // namespace
} // namespace orvik
