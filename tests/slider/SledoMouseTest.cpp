#include "CSledoCtrl.h"
#include "QtTestApp.h"

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
class SledoMouseTest : public kova::test::QtTest {
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
    void Click(int along) {
        Press(along);
        Release(along);
    }
    QTimer* Timer() { return c.findChild<QTimer*>(QStringLiteral("repeatTimer")); }
    static void Tick(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout"); }

    CSledoCtrl c;
    QSignalSpy change{&c, &CSledoCtrl::Change};
    QSignalSpy fix{&c, &CSledoCtrl::Fix};
};

TEST_F(SledoMouseTest, DragsMoveByTruncatedPixelOffsetsAndFixOnRelease) {
    struct Case {
        const char* what;
        bool vertical;
        bool lock;
        std::vector<int> path; // press, moves, release
        Pairs changes;
    };
    const Case cases[] = {
        // 47 * 100 / 188 = 25, then 1 * 100 / 188 = 0.
        {"low thumb", false, false, {7, 54, 8, 7, 7}, {{26, 50}, {1, 50}}},
        {"vertical", true, false, {7, 54, 54}, {{26, 50}}},
        {"high thumb towards zero", false, false, {110, 100, 100}, {{1, 45}}}, // -5.3
        {"bar stops at the ends", false, false, {50, 1050, -950, 0}, {{51, 100}, {1, 50}}},
        {"lock stops at the other", false, true, {7, 407, 407}, {{50, 50}}},
        // 200 * 100 / 188 = 106: low clamped to 100 pushes high.
        {"push without lock", false, false, {7, 207, 207}, {{100, 100}}},
    };
    for (const Case& k : cases) {
        c.SetBar(1, 50);
        c.setLock(k.lock);
        c.setVertical(k.vertical);
        c.resize(k.vertical ? QSize(20, 212) : QSize(212, 20));
        change.clear();
        fix.clear();
        Press(k.path.front());
        for (std::size_t i = 1; i + 1 < k.path.size(); ++i)
            Move(k.path[i]);
        Release(k.path.back());
        EXPECT_EQ(PairsOf(change), k.changes) << k.what;
        EXPECT_EQ(PairsOf(fix), Pairs{k.changes.back()}) << k.what;
    }
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
    EXPECT_TRUE(fix.isEmpty());
    Release(203);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(PairsOf(change), (Pairs{{1, 51}, {1, 52}, {1, 53}, {1, 54}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{1, 54}}));
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

TEST_F(SledoMouseTest, ArrowKeysStepTheThumbLastPressed) {
    QTest::keyClick(&c, Qt::Key_Right);
    Click(110); // the high thumb
    QTest::keyClick(&c, Qt::Key_Left);
    QTest::keyClick(&c, Qt::Key_Up);
    EXPECT_EQ(PairsOf(change), (Pairs{{2, 50}, {2, 49}, {2, 48}}));
    EXPECT_EQ(PairsOf(fix), (Pairs{{2, 50}, {2, 50}, {2, 49}, {2, 48}}));
}

} // namespace
