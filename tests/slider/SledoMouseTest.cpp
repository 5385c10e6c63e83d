#include "CSledoCtrl.h"
#include "SledoTestApp.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<long, long>>;

Pairs PairsOf(const QSignalSpy& spy) {
    Pairs pairs;
    for (const QList<QVariant>& args : spy)
        pairs.emplace_back(args.at(0).value<long>(), args.at(1).value<long>());
    return pairs;
}

// A shown control of fixed shape with the automatic switches off. At 212
// pixels long, slider width 12 and no buttons the track runs from 13 over
// 186 pixels: low 1 ends at 13, high 50 begins at 13 + 49 * 186 / 99 = 105.
// A drag moves (max - min + 1) / (212 - 2 * 12) = 100 / 188 values a pixel.
class SledoMouseTest : public kova::test::SledoGuiTest {
protected:
    SledoMouseTest() {
        c.setAuto(false);
        c.setButtonAuto(false);
        c.setVertical(false);
        c.resize(212, 20);
        c.show();
    }

    QPoint At(int along) const { return c.Vertical() ? QPoint(10, along) : QPoint(along, 10); }
    void Press(int along) { QTest::mousePress(&c, Qt::LeftButton, {}, At(along)); }
    void Move(int along) { QTest::mouseMove(&c, At(along)); }
    void Release(int along) { QTest::mouseRelease(&c, Qt::LeftButton, {}, At(along)); }
    QTimer* Timer() { return c.findChild<QTimer*>(QStringLiteral("repeatTimer")); }
    static void Tick(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout"); }

    CSledoCtrl c;
    QSignalSpy change{&c, &CSledoCtrl::Change};
    QSignalSpy fix{&c, &CSledoCtrl::Fix};
};

TEST_F(SledoMouseTest, DraggingTheLowThumbMovesByTruncatedPixelOffsets) {
    Press(7);
    Move(54); // 47 * 100 / 188 = 25
    Move(8);  // 1 * 100 / 188 = 0
    Move(7);
    EXPECT_TRUE(fix.isEmpty());
    Release(7);
    EXPECT_EQ(PairsOf(change), (Pairs{{26, 50}, {1, 50}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{1, 50}}));
}

TEST_F(SledoMouseTest, DraggingTheHighThumbTruncatesTowardsZero) {
    Press(110);
    Move(100); // -10 * 100 / 188 = -5.3
    Release(100);
    EXPECT_EQ(PairsOf(change), (Pairs{{1, 45}}));
}

TEST_F(SledoMouseTest, DraggingTheBarMovesBothAndStopsAtTheEnds) {
    Press(50);
    Move(1050);
    Move(-950);
    Release(0);
    EXPECT_EQ(PairsOf(change), (Pairs{{51, 100}, {1, 50}}));
}

TEST_F(SledoMouseTest, DraggedThumbStopsAtTheOtherWithLockAndPushesWithout) {
    c.setLock(true);
    Press(7);
    Move(407);
    Release(407);
    EXPECT_EQ(PairsOf(change), (Pairs{{50, 50}}));

    c.setLock(false);
    c.SetBar(1, 50);
    change.clear();
    Press(7);
    Move(207); // 200 * 100 / 188 = 106: low clamped to 100 pushes high
    Release(207);
    EXPECT_EQ(PairsOf(change), (Pairs{{100, 100}}));
}

TEST_F(SledoMouseTest, VerticalControlsDragAlongY) {
    c.setVertical(true);
    c.resize(20, 212);
    Press(7);
    Move(54);
    Release(54);
    EXPECT_EQ(PairsOf(change), (Pairs{{26, 50}}));
}

TEST_F(SledoMouseTest, OtherButtonsNeitherDragNorFix) {
    QTest::mousePress(&c, Qt::RightButton, {}, At(7));
    QTest::mouseMove(&c, At(100));
    QTest::mouseRelease(&c, Qt::RightButton, {}, At(100));
    EXPECT_TRUE(change.isEmpty());
    EXPECT_TRUE(fix.isEmpty());
}

// With buttons of 16 pixels: low -1 at 1..16, low +1 at 17..32, high -1 at
// 179..194, high +1 at 195..210.
TEST_F(SledoMouseTest, HeldArrowButtonStepsAtOnceAfter500msThenEvery50ms) {
    c.setButtonOn(true);
    QTimer* timer = Timer();
    ASSERT_NE(timer, nullptr);
    Press(203);
    EXPECT_EQ(PairsOf(change), (Pairs{{1, 51}}));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    Tick(timer);
    EXPECT_EQ(timer->interval(), 50);
    Tick(timer);
    Tick(timer);
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_TRUE(fix.isEmpty());
    Release(203);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(PairsOf(change), (Pairs{{1, 51}, {1, 52}, {1, 53}, {1, 54}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{1, 54}}));
}

TEST_F(SledoMouseTest, HeldArrowButtonRepeatsByItself) {
    c.setButtonOn(true);
    QElapsedTimer clock;
    clock.start();
    Press(187); // high -1
    while (change.count() < 3 && clock.elapsed() < 10000)
        QTest::qWait(10);
    const qint64 elapsed = clock.elapsed();
    Release(187);
    ASSERT_GE(change.count(), 3);
    // The third step comes after the 500 ms delay and one 50 ms period
    // (coarse timers may fire a little early).
    EXPECT_GE(elapsed, 450);
    EXPECT_EQ(PairsOf(change).front(), (std::pair<long, long>{1, 49}));
    EXPECT_EQ(fix.count(), 1);
}

TEST_F(SledoMouseTest, ButtonAtTheLimitReportsThePressButNoRepeats) {
    c.setButtonOn(true);
    Press(9); // low -1 at Min
    Tick(Timer());
    Tick(Timer());
    Release(9);
    EXPECT_EQ(PairsOf(change), (Pairs{{1, 50}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{1, 50}}));
}

TEST_F(SledoMouseTest, ButtonsStepTheExternalValuesWithReverse) {
    c.setButtonOn(true);
    c.SetBar(10, 20);
    c.setReverse(true);
    change.clear();
    Press(9);
    Release(9);
    Press(25);
    Release(25);
    Press(25);
    Release(25);
    EXPECT_EQ(PairsOf(change), (Pairs{{9, 20}, {10, 20}, {11, 20}}));
}

TEST_F(SledoMouseTest, ArrowKeysStepTheThumbLastPressed) {
    QTest::keyClick(&c, Qt::Key_Right);
    Press(110); // the high thumb
    Release(110);
    QTest::keyClick(&c, Qt::Key_Left);
    QTest::keyClick(&c, Qt::Key_Up);
    EXPECT_EQ(PairsOf(change), (Pairs{{2, 50}, {2, 49}, {2, 48}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{2, 50}, {2, 50}, {2, 49}, {2, 48}}));
}

} // namespace
