#include "platform/qt/qtclock.h"
#include "platform/qt/qteventpump.h"
#include "platform/qt/qtprogramend.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace orvik {
namespace {

class CountingWindow : public QWidget {
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++closeEvents;
        QWidget::closeEvent(event);
    }
};

TEST(ProgramEnd, BeforeTheEventLoopItIsOnlyRemembered) {
    QtProgramEnd end;
    EXPECT_FALSE(end.ended());
    end.endNow();
    EXPECT_TRUE(end.ended());
}

TEST(ProgramEnd, LeavesTheEventLoopWithoutClosingAnyWindow) {
    QtProgramEnd end;
    CountingWindow window;
    window.show();
    bool afterEnd = false;
    QTimer::singleShot(0, [&] { end.endNow(); });
    QTimer::singleShot(200, [&] { // runs only when the loop went on
        afterEnd = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(end.ended());
    EXPECT_FALSE(afterEnd);
    EXPECT_EQ(window.closeEvents, 0);
    EXPECT_TRUE(window.isVisible());
}

TEST(EventPump, RunsWhatIsPending) {
    QtEventPump pump;
    int runs = 0;
    QMetaObject::invokeMethod(
        qApp, [&] { ++runs; }, Qt::QueuedConnection);
    EXPECT_EQ(runs, 0);
    pump.runPendingOnce();
    EXPECT_EQ(runs, 1);
}

TEST(Clock, DateAndTimeAreTheSystemsLocalOnes) {
    QtClock clock;
    const QDateTime before = QDateTime::currentDateTime();
    const CalendarDate today = clock.today();
    const TimeOfDay now = clock.now();
    const QDateTime after = QDateTime::currentDateTime();
    const QDateTime read(QDate(today.year, today.month, today.day),
                         QTime(now.hour, now.minute, now.second));
    ASSERT_TRUE(read.isValid());
    // Seconds are cut, so the reading may be up to a second before `before`.
    EXPECT_GE(read.secsTo(before), -1);
    EXPECT_LE(read.secsTo(before), 1);
    EXPECT_LE(read, after);
}

TEST(Clock, ElapsedTimeGrowsWithTheTimePassed) {
    QtClock clock;
    const std::chrono::nanoseconds first = clock.elapsed();
    QThread::msleep(20);
    EXPECT_GE(first.count(), 0);
    EXPECT_GE(clock.elapsed() - first, std::chrono::milliseconds(20));
}

} // namespace
} // namespace orvik
