#include "SledoRange.h"

#include <array>
#include <gtest/gtest.h>

using kova::SledoRange;
using Thumb = SledoRange::Thumb;

namespace {

// Held low and high, external Low and High, in one comparable value.
using Values = std::array<long, 4>;
Values Of(const SledoRange& r) {
    return {r.HeldLow(), r.HeldHigh(), r.Low(), r.High()};
}

// Range 1..100 with the given reverse flag and held values.
SledoRange Held(long low, long high, bool reverse = false, bool lock = false) {
    SledoRange r;
    r.Reset(1, 100, reverse);
    r.SetLock(lock);
    r.MoveHeld(Thumb::High, high);
    r.MoveHeld(Thumb::Low, low);
    return r;
}

} // namespace

TEST(SledoRange, MovingAThumbRefusesOutsideValuesAndTheHeldValue) {
    SledoRange r;
    EXPECT_FALSE(r.MoveExternal(Thumb::Low, 0));
    EXPECT_FALSE(r.MoveExternal(Thumb::High, 101));
    EXPECT_FALSE(r.MoveExternal(Thumb::High, 50));
    EXPECT_TRUE(r.MoveExternal(Thumb::Low, 30));
    EXPECT_EQ(Of(r), (Values{30, 50, 30, 50}));
}

TEST(SledoRange, PassingThumbPushesTheOtherWithoutLockAndStopsWithLock) {
    SledoRange push = Held(1, 50);
    EXPECT_TRUE(push.MoveExternal(Thumb::Low, 60));
    EXPECT_EQ(Of(push), (Values{60, 60, 60, 60}));

    SledoRange lock = Held(1, 50, false, true);
    EXPECT_TRUE(lock.MoveExternal(Thumb::Low, 60));
    EXPECT_EQ(Of(lock), (Values{50, 50, 50, 50}));
    // Already at the other thumb: the lock holds it, nothing moves.
    EXPECT_FALSE(lock.MoveExternal(Thumb::Low, 70));
    EXPECT_FALSE(lock.MoveExternal(Thumb::High, 40));
    EXPECT_TRUE(lock.MoveExternal(Thumb::High, 80));
    EXPECT_TRUE(lock.MoveExternal(Thumb::High, 30)); // back from 80, stops at 50
    EXPECT_EQ(Of(lock), (Values{50, 50, 50, 50}));
}

TEST(SledoRange, ReverseReportsTheMirroredValuesAndMovesTheOtherHeldThumb) {
    SledoRange r = Held(10, 20, true);
    EXPECT_EQ(Of(r), (Values{10, 20, 81, 91}));
    EXPECT_TRUE(r.MoveExternal(Thumb::Low, 71)); // external Low is the held high
    EXPECT_EQ(Of(r), (Values{10, 30, 71, 91}));
    EXPECT_TRUE(r.MoveExternal(Thumb::High, 95));
    EXPECT_EQ(Of(r), (Values{6, 30, 71, 95}));
}

TEST(SledoRange, SwitchingReverseKeepsTheExternalValuesEvenWithLock) {
    for (bool lock : {false, true}) {
        SledoRange r = Held(60, 70, false, lock);
        EXPECT_TRUE(r.SetReverse(true));
        EXPECT_EQ(Of(r), (Values{31, 41, 60, 70})) << "lock " << lock;
        EXPECT_FALSE(r.SetReverse(true));
        EXPECT_TRUE(r.SetReverse(false));
        EXPECT_EQ(Of(r), (Values{60, 70, 60, 70}));
    }
}

TEST(SledoRange, SetBarRefusalsAndMovesInEitherOrder) {
    SledoRange r;
    EXPECT_FALSE(r.SetBar(5, 101));
    EXPECT_FALSE(r.SetBar(1, 50)); // the values it already has

    // Above the high thumb with lock: both arrive all the same.
    SledoRange lock = Held(1, 50, false, true);
    EXPECT_TRUE(lock.SetBar(60, 70));
    EXPECT_EQ(Of(lock), (Values{60, 70, 60, 70}));
    EXPECT_TRUE(lock.SetBar(5, 8));
    EXPECT_EQ(Of(lock), (Values{5, 8, 5, 8}));

    // With reverse the arguments are external values, compared as such.
    SledoRange reverse = Held(10, 20, true);
    EXPECT_TRUE(reverse.SetBar(10, 20));
    EXPECT_EQ(Of(reverse), (Values{81, 91, 10, 20}));
}

TEST(SledoRange, RangeChangesClampTheThumbsWithoutReverse) {
    SledoRange r = Held(10, 60);
    EXPECT_FALSE(r.SetRange(50, 40));
    EXPECT_FALSE(r.SetRange(1, 100));
    EXPECT_TRUE(r.SetRange(20, 50));
    EXPECT_EQ(Of(r), (Values{20, 50, 20, 50}));
    EXPECT_TRUE(r.SetMaxBound(10)); // min follows a max below it
    EXPECT_EQ(r.Min(), 10);
    EXPECT_EQ(Of(r), (Values{10, 10, 10, 10}));
    EXPECT_TRUE(r.SetMinBound(30)); // and max follows a min above it
    EXPECT_EQ(r.Max(), 30);
    EXPECT_EQ(Of(r), (Values{30, 30, 30, 30}));
}

TEST(SledoRange, RangeChangesShiftTheThumbsWithReverse) {
    SledoRange r = Held(10, 20, true); // external 81/91
    EXPECT_TRUE(r.SetMinBound(5));
    EXPECT_EQ(Of(r), (Values{14, 24, 81, 91}));
    EXPECT_TRUE(r.SetMaxBound(85));
    // Shifted by -15 to -1/9, then clamped up to min 5: High is held at Max.
    EXPECT_EQ(Of(r), (Values{5, 9, 81, 85}));
    EXPECT_TRUE(r.SetMinBound(84));
    EXPECT_EQ(Of(r), (Values{84, 85, 84, 85}));
}
