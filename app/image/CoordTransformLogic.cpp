#include "CoordTransformLogic.h"

#include "CDataClient.h"
#include "CDisplayServer.h"
#include "MeasureDocument.h"
#include "Prompter.h"

#include <cmath>

namespace {

using kova::MessageIcon;

struct Point {
    double x = 0;
    double y = 0;
};

bool Read(const CTrackFile2D& track, int target, int frame, Point* p) {
    XY_TRACK record{};
    if (!track.GetPoint(target, frame, &record)) return false;
    p->x = record.x;
    p->y = record.y;
    return true;
}

double Direction(const Point& a, const Point& b) {
    return std::atan2(b.y - a.y, b.x - a.x);
}

// The offset of p from k turned by delta (k is not added back).
Point Turn(const Point& p, const Point& k, double delta) {
    const double c = std::cos(delta), s = std::sin(delta);
    return {c * (p.x - k.x) - s * (p.y - k.y), s * (p.x - k.x) + c * (p.y - k.y)};
}

} // namespace

std::vector<std::string> CoordTransformLogic::TargetItems(int targets) {
    std::vector<std::string> items;
    for (int t = 1; t <= targets; ++t)
        items.push_back("目标" + std::to_string(t));
    return items;
}

bool CoordTransformLogic::Reference(const CTrackFile2D& track, double* x0, double* y0,
                                    double* theta0) const {
    const int r = referenceFrame - 1;
    Point origin;
    *theta0 = 0;
    if (positionOn && !Read(track, positionTarget, r, &origin)) return false;
    *x0 = origin.x;
    *y0 = origin.y;
    if (axisOn) {
        Point a, b;
        if (!Read(track, axisFirst, r, &a) || !Read(track, axisSecond, r, &b)) return false;
        *theta0 = Direction(a, b);
    }
    return true;
}

bool CoordTransformLogic::Transform(CTrackFile2D& track, double x0, double y0,
                                    double theta0) const {
    const Point origin{x0, y0};
    for (int f = 0; f < track.GetFrameCount(); ++f) {
        double theta = theta0;
        Point pivot;
        if (axisOn) {
            Point b;
            if (!Read(track, axisFirst, f, &pivot) || !Read(track, axisSecond, f, &b)) return false;
            theta = Direction(pivot, b);
        }
        const double delta = theta0 - theta;
        Point shift = pivot;
        if (positionOn) {
            Point q;
            if (!Read(track, positionTarget, f, &q)) return false;
            const Point moved = axisOn ? Turn(q, pivot, delta) : q;
            shift = {origin.x - moved.x, origin.y - moved.y};
        }
        for (int t = 0; t < track.GetTargetCount(); ++t) {
            XY_TRACK record{};
            if (!track.GetPoint(t, f, &record)) return false;
            Point p{record.x, record.y};
            if (axisOn) p = Turn(p, pivot, delta);
            record.x = static_cast<float>(p.x + shift.x);
            record.y = static_cast<float>(p.y + shift.y);
            if (!track.SetPoint(t, f, &record)) return false;
        }
    }
    return true;
}

int CoordTransformLogic::Run(MeasureDocument& document, CDisplayServer* display,
                             bool* succeeded) const {
    kova::Prompter& prompter = document.Prompter();
    if (succeeded) *succeeded = false;
    if (!axisOn && !positionOn) {
        prompter.Show("请选择处理内容。", "确认", MessageIcon::Exclamation);
        return 0;
    }
    if (referenceFrame < 1 || referenceFrame > document.Track().GetFrameCount()) {
        prompter.Show("基准帧错误。", "确认", MessageIcon::Exclamation);
        return 0;
    }
    if (axisOn && axisFirst == axisSecond) {
        prompter.Show("轴指定错误。", "确认", MessageIcon::Exclamation);
        return 0;
    }
    double x0 = 0, y0 = 0, theta0 = 0;
    if (!Reference(document.Track(), &x0, &y0, &theta0)) return 0;
    document.History().Record("帧坐标变换");
    CDataClient client;
    client.SetName("坐标变换");
    const bool locked = document.DataServer().LockData(&client) != 0;
    if (!locked) document.History().Discard();
    const bool ok = locked && Transform(document.Track(), x0, y0, theta0);
    if (client.IsDataLocked()) document.DataServer().UnLockData(&client, 1);
    if (display) display->Refresh();
    if (succeeded) *succeeded = ok;
    if (ok)
        prompter.Show("坐标变换执行成功。", "确认", MessageIcon::None);
    else
        prompter.Show("坐标变换出错", "错误", MessageIcon::Exclamation);
    return 1;
}
