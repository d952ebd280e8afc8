// Waiting for work that runs elsewhere: the event loop goes on meanwhile (timers fire, windows
// repaint), no box appears for work shorter than half a second, and a longer wait shows an
// application-modal box whose Cancel ends the wait.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "qt_desktop_services.h"

namespace kelvorad {
namespace {

// The progress box on the screen, or nullptr.
QProgressDialog* visibleBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QProgressDialog*>(widget);
        if (box && box->isVisible()) return box;
    }
    return nullptr;
}

TEST(QtWait, ShortWorkShowsNoBoxAndEventsGoOnMeanwhile) {
    QtMessageBoxes boxes;
    bool finished = false;
    int ticks = 0;
    bool boxSeen = false;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++ticks;
        boxSeen = boxSeen || visibleBox();
    });
    tick.start(20);
    QTimer::singleShot(150, [&] { finished = true; });  // the work ends through an event
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(boxes.waitUntil("Kelvorad", "Reading", [&] { return finished; }));
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_GE(ticks, 3) << "the event loop was not blocked";
    EXPECT_FALSE(boxSeen);
}

TEST(QtWait, LongWorkShowsTheBoxAfterHalfASecondAndCancelEndsTheWait) {
    QtMessageBoxes boxes;
    bool earlyBox = true;
    QString shownText;
    QTimer::singleShot(350, [&] { earlyBox = visibleBox() != nullptr; });
    QTimer::singleShot(900, [&] {
        if (QProgressDialog* box = visibleBox()) {
            shownText = box->labelText();
            EXPECT_EQ(box->windowTitle(), "Kelvorad");
            EXPECT_TRUE(box->isModal());
            QPushButton* cancel = box->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            EXPECT_EQ(cancel->text(), "Cancel");
            cancel->click();
        }
    });
    QElapsedTimer clock;
    clock.start();
    // The work never ends (but a test that went wrong must not wait for ever).
    EXPECT_FALSE(boxes.waitUntil("Kelvorad", "Reading the workbook",
                                 [&] { return clock.elapsed() > 10'000; }));
    EXPECT_FALSE(earlyBox);
    EXPECT_EQ(shownText, "Reading the workbook");
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(visibleBox(), nullptr) << "the box goes with the wait";
}

TEST(QtWait, WorkEndingWhileTheBoxIsUpClosesIt) {
    QtMessageBoxes boxes;
    bool finished = false;
    bool boxSeen = false;
    QTimer::singleShot(700, [&] { boxSeen = visibleBox() != nullptr; });
    QTimer::singleShot(800, [&] { finished = true; });
    EXPECT_TRUE(boxes.waitUntil("Kelvorad", "Reading", [&] { return finished; }));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(visibleBox(), nullptr);
}

TEST(QtWait, ProgressBarFollowsTheFractionDone) {
    QtMessageBoxes boxes;
    QElapsedTimer clock;
    clock.start();
    int maximum = 0, value = -1;
    QTimer::singleShot(900, [&] {
        if (QProgressDialog* box = visibleBox()) {
            maximum = box->maximum();
            value = box->value();
        }
    });
    // The work is done in 1.2 s; its fraction is the share of that time gone by.
    EXPECT_TRUE(boxes.waitWithProgress(
        "Kelvorad", "Drawing", [&] { return clock.elapsed() >= 1200; },
        [&] { return std::min(1.0, double(clock.elapsed()) / 1200.0); }));
    ASSERT_GT(maximum, 0) << "a bar with steps, not a busy bar";
    EXPECT_NEAR(double(value) / maximum, 0.75, 0.1);
}

}  // namespace
}  // namespace kelvorad
