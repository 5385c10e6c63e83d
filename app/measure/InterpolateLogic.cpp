#include "InterpolateLogic.h"

#include "CDataClient.h"
#include "CDisplayServer.h"
#include "MeasureDocument.h"
#include "Prompter.h"
#include "SplineCurve.h"

#include <new>

namespace {

using kova::MessageIcon;

struct Gap {
    int first;
    int length;
    int anchor; // curve point just before the gap
};

// Fills a gap along interval `anchor` of the curve. Short gaps take evenly
// spaced samples of the 32 per interval; from 16 frames on the cubic is
// evaluated at j/(L+1) of the chord, so every frame gets its own point.
void FillGap(const SplineCurve& curve, const Gap& gap, XY_TRACK* records) {
    const int L = gap.length;
    const int step = SplineCurve::kSteps / (L + 1);
    for (int j = 1; j <= L; ++j) {
        XY_TRACK& r = records[gap.first + j - 1];
        if (L <= 15) {
            const int sample = SplineCurve::kSteps * gap.anchor + j * step;
            r.x = curve.SampleX(sample);
            r.y = curve.SampleY(sample);
        } else {
            double x = 0, y = 0;
            const double t = j * static_cast<double>(curve.Chord(gap.anchor)) / (L + 1);
            curve.Evaluate(gap.anchor, t, &x, &y);
            r.x = static_cast<float>(x);
            r.y = static_cast<float>(y);
        }
        r.status = kStatusInterpolated;
    }
}

bool SamePosition(const XY_TRACK& a, const XY_TRACK& b) {
    return a.x == b.x && a.y == b.y;
}

} // namespace

int InterpolateLogic::InterpolateTrack(XY_TRACK* records, int count, int level,
                                       kova::Prompter& prompter) {
    if (!records || count < 1) return 1;
    try {
        // The curve runs through good points only: doubtful records before
        // the first good one have nothing to be filled from and stay.
        std::vector<float> bx, by;
        std::vector<Gap> gaps;
        bool open = false;
        for (int i = 0; i < count; ++i) {
            const XY_TRACK& r = records[i];
            if (r.status >= level) {
                if (bx.empty()) continue;
                if (!open) gaps.push_back({i, 0, static_cast<int>(bx.size()) - 1});
                open = true;
                ++gaps.back().length;
                continue;
            }
            const bool closing = open;
            if (open && static_cast<int>(gaps.size()) > kMaxGaps) {
                prompter.Show("Data exceeded the maximum after interpolation.", "KOVA",
                              MessageIcon::Exclamation);
                return 0;
            }
            open = false;
            // The point that closes a gap is always a curve point: a target
            // standing still repeats its position across a missed frame.
            if (bx.empty() || closing || !SamePosition(r, records[i - 1])) {
                bx.push_back(r.x);
                by.push_back(r.y);
            }
        }
        if (open) gaps.pop_back(); // doubtful frames at the end stay as they are
        if (bx.size() < 2) return 1;
        SplineCurve curve;
        if (!curve.Build(bx, by)) return 0;
        for (const Gap& gap : gaps)
            FillGap(curve, gap, records);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

std::vector<std::string> InterpolateLogic::LevelTexts() {
    return {"1:可能有错误 (自动检出窗口内出现了2个以上对像物)",
            "2:错误可能性很大(自动检出窗口内的噪声大于60个)",
            "3:错误可能性很大(自动检出窗口内没有对像物)",
            "4:错误                     (手动、半自动跟踪时没有指定)"};
}

std::vector<std::string> InterpolateLogic::TargetItems(int targets) {
    std::vector<std::string> items;
    for (int t = 1; t <= targets; ++t)
        items.push_back("目标" + std::to_string(t));
    return items;
}

int InterpolateLogic::InterpolateTarget(MeasureDocument& document, int target, int level) {
    CTrackFile2D& track = document.Track();
    const int frames = track.GetFrameCount();
    if (target < 0 || target >= track.GetTargetCount() || frames < 1) return 0;
    std::vector<XY_TRACK> row(static_cast<std::size_t>(frames));
    for (int f = 0; f < frames; ++f) {
        if (!track.GetPoint(target, f, &row[static_cast<std::size_t>(f)])) return 0;
    }
    if (!InterpolateTrack(row.data(), frames, level, document.Prompter())) return 0;
    for (int f = 0; f < frames; ++f) {
        if (!track.SetPoint(target, f, &row[static_cast<std::size_t>(f)])) return 0;
    }
    return 1;
}

int InterpolateLogic::Run(MeasureDocument& document, const std::vector<int>& targets, int level,
                          CDisplayServer* display) {
    kova::Prompter& prompter = document.Prompter();
    if (targets.empty()) {
        prompter.Show("请选择目标。", "确认", MessageIcon::Exclamation);
        return -1;
    }
    document.History().Record("内插补间");
    CDataClient client;
    client.SetName("内插补间");
    bool ok = document.DataServer().LockData(&client) != 0;
    int changed = 0;
    for (std::size_t i = 0; ok && i < targets.size(); ++i) {
        ok = InterpolateTarget(document, targets[i], level) != 0;
        if (ok) ++changed;
    }
    // Targets done before a failure keep their change, which stays a step.
    if (changed == 0) document.History().Discard();
    if (client.IsDataLocked()) document.DataServer().UnLockData(&client, 1);
    if (display) display->Refresh();
    if (ok)
        prompter.Show("执行了内插补间。", "确认", MessageIcon::None);
    else
        prompter.Show("内插补间失败。", "错误", MessageIcon::Exclamation);
    return ok ? 1 : 0;
}
