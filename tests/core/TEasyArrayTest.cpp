#include "TEasyArray.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

XY_TRACK Pt(int status, float x, float y) {
    return XY_TRACK{static_cast<std::int16_t>(status), x, y};
}

TEasyArray<XY_TRACK> Numbered(int n) {
    TEasyArray<XY_TRACK> a;
    a.Create(n);
    for (int i = 0; i < n; ++i) {
        XY_TRACK p = Pt(i, static_cast<float>(i), 0);
        a.SetData(i, &p);
    }
    return a;
}

std::vector<int> Statuses(const TEasyArray<XY_TRACK>& a) {
    std::vector<int> s;
    for (int i = 0; i < a.Count(); ++i)
        s.push_back(a.At(i).status);
    return s;
}

} // namespace

TEST(TEasyArray, CreateAndResizeLimits) {
    TEasyArray<XY_TRACK> a;
    EXPECT_EQ(a.Create(0) + a.Create(-5) + a.Count(), 0);
    EXPECT_EQ(a.Data(), nullptr);

    a = Numbered(4);
    EXPECT_EQ(a.Resize(-1), 0);
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(a.Resize(6), 1);
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 1, 2, 3, 0, 0}));
    EXPECT_EQ(a.Resize(2), 1);
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 1}));
    EXPECT_EQ(a.Resize(0), 1);
    EXPECT_EQ(a.Count(), 0);
    EXPECT_EQ(a.Data(), nullptr);
}

TEST(TEasyArray, IndexChecksNeverTouchContents) {
    TEasyArray<XY_TRACK> a = Numbered(3);
    XY_TRACK p = Pt(9, 9, 9);
    // Inserting appends only with -1.
    EXPECT_EQ(
        (std::vector<int>{a.SetData(3, &p), a.SetData(-1, &p), a.GetData(3, &p), p.status,
                          a.InsertData(3, &p), a.InsertData(-2, &p), a.DeleteData(3),
                          a.SwapData(0, 3), a.RollNext(1, 1), a.RollBack(2, 2), a.RollNext(2, 1)}),
        (std::vector<int>{0, 0, 0, 9, -1, -1, -1, 0, 0, 0, 0}));
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 1, 2}));
}

TEST(TEasyArray, InsertionAndDeletion) {
    TEasyArray<XY_TRACK> empty;
    EXPECT_EQ(empty.InsertData(-1), 0);
    ASSERT_EQ(empty.Count(), 1);
    EXPECT_EQ(empty.At(0).status + empty.At(0).x + empty.At(0).y, 0.0f);

    TEasyArray<XY_TRACK> a = Numbered(4);
    XY_TRACK p = Pt(7, 7, 7);
    EXPECT_EQ(a.InsertData(1, &p), 1);
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 7, 1, 2, 3}));
    EXPECT_EQ(a.InsertData(-1, &p), 5);
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 7, 1, 2, 3, 7}));
    EXPECT_EQ(a.InsertData(0), 0);
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 0, 7, 1, 2, 3, 7}));
    // Inserting an element of the array itself copies it before moving.
    EXPECT_EQ(a.InsertData(0, &a.At(3)), 0);
    EXPECT_EQ(Statuses(a), (std::vector<int>{1, 0, 0, 7, 1, 2, 3, 7}));

    EXPECT_EQ(a.DeleteData(3), 1);
    EXPECT_EQ(Statuses(a), (std::vector<int>{1, 0, 0, 1, 2, 3, 7}));
    TEasyArray<XY_TRACK> one = Numbered(1);
    EXPECT_EQ(one.DeleteData(0), 1);
    EXPECT_EQ(one.Count(), 0);
    EXPECT_EQ(one.Data(), nullptr);
}

TEST(TEasyArray, SwapAndRotations) {
    TEasyArray<XY_TRACK> a = Numbered(5);
    EXPECT_EQ(a.SwapData(2, 2), 1);
    EXPECT_EQ(a.SwapData(0, 4), 1);
    EXPECT_EQ(Statuses(a), (std::vector<int>{4, 1, 2, 3, 0}));
    a = Numbered(5);
    EXPECT_EQ(a.RollNext(1, 3), 1); // element 1 moves to 3
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 2, 3, 1, 4}));
    a = Numbered(5);
    EXPECT_EQ(a.RollBack(1, 3), 1); // element 3 moves to 1
    EXPECT_EQ(Statuses(a), (std::vector<int>{0, 3, 1, 2, 4}));
    EXPECT_EQ(a.RollBack(0, 4), 1);
    EXPECT_EQ(Statuses(a), (std::vector<int>{4, 0, 3, 1, 2}));
}

TEST(TEasyArrays, RowsAreDeepCopies) {
    TEasyArrays<XY_TRACK> table;
    EXPECT_EQ(table.CreateArrays(0, 5) + table.CreateArrays(3, 0), 0);
    ASSERT_EQ(table.CreateArrays(3, 100), 1);
    XY_TRACK p = Pt(1, 2.5f, 3.5f);
    EXPECT_EQ((std::vector<int>{table.SetDataDirect(2, 99, &p), table.SetDataDirect(3, 0, &p),
                                table.SetDataDirect(0, 100, &p)}),
              (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(table.ResizeData(5), 1);
    EXPECT_EQ((std::vector<int>{table.Count(), table.At(2).Count(), table.At(3).Count(),
                                table.At(4).Count()}),
              (std::vector<int>{5, 100, 0, 0}));
    XY_TRACK q{};
    EXPECT_EQ(table.GetDataDirect(2, 99, &q), 1);
    EXPECT_EQ(q.x, 2.5f);
    EXPECT_EQ(table.GetDataDirect(4, 0, &q), 0);
    EXPECT_EQ(table.ResizeData(-1), 0);
    EXPECT_EQ(table.Count(), 5);

    TEasyArrays<XY_TRACK> copy;
    copy = table;
    XY_TRACK r = Pt(5, 0, 0);
    copy.SetDataDirect(2, 99, &r);
    table.GetDataDirect(2, 99, &q);
    EXPECT_EQ(q.status, 1) << "assignment must deep-copy rows";

    // Moving rows (as deleting a target does) keeps every row intact.
    EXPECT_EQ(table.DeleteData(0), 1);
    EXPECT_EQ(table.At(1).Count(), 100);
}
