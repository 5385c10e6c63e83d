#include "SmoothingLogic.h"

#include "CDataClient.h"
#include "CDisplayServer.h"
#include "CTrackFile2D.h"
#include "MeasureDocument.h"
#include "Prompter.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

double Weighted(double previous, double current, double next) {
    return (previous + next) * 0.25 + current * 0.5;
}

struct XY {
    double x = 0;
    double y = 0;
};

bool ReadFrame(const CTrackFile2D& track, int frame, std::vector<XY>* values,
               std::vector<XY_TRACK>* records) {
    for (std::size_t t = 0; t < values->size(); ++t) {
        XY_TRACK& r = (*records)[t];
        if (!track.GetPoint(static_cast<int>(t), frame, &r)) return false;
        (*values)[t] = {r.x, r.y};
    }
    return true;
}

} // namespace

int SmoothingLogic::SmoothSeries(const double* source, double* destination, int count, int passes) {
    if (!source || !destination || count < 1 || passes < 0) return -1;
    if (passes == 0 && source == destination) return 0;
    const auto n = static_cast<std::size_t>(count);
    std::vector<double> a, b;
    try {
        a.assign(source, source + n);
        b.resize(n);
    } catch (const std::bad_alloc&) {
        if (source != destination) std::copy(source, source + n, destination);
        return -1;
    }
    for (int pass = 0; pass < passes; ++pass) {
        b[0] = a[0];
        b[n - 1] = a[n - 1];
        for (std::size_t i = 1; i + 1 < n; ++i)
            b[i] = Weighted(a[i - 1], a[i], a[i + 1]);
        a.swap(b);
    }
    std::copy(a.begin(), a.end(), destination);
    return 0;
}

int SmoothingLogic::SmoothAllTracks(CTrackFile2D& track) {
    const int frames = track.GetHeader().frames;
    const int targets = track.GetHeader().targets;
    if (frames < 3 || targets < 1) return 1;
    std::vector<XY_TRACK> records;
    std::vector<XY> previous, current, next;
    try {
        records.resize(static_cast<std::size_t>(targets));
        previous.resize(records.size());
        current.resize(records.size());
        next.resize(records.size());
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (!ReadFrame(track, 0, &previous, &records)) return 0;
    for (int f = 1; f + 1 < frames; ++f) {
        if (!ReadFrame(track, f + 1, &next, &records) || !ReadFrame(track, f, &current, &records))
            return 0;
        for (std::size_t t = 0; t < current.size(); ++t) {
            current[t].x = Weighted(previous[t].x, current[t].x, next[t].x);
            current[t].y = Weighted(previous[t].y, current[t].y, next[t].y);
            records[t].x = static_cast<float>(current[t].x);
            records[t].y = static_cast<float>(current[t].y);
            if (!track.SetPoint(static_cast<int>(t), f, &records[t])) return 0;
        }
        previous.swap(current);
    }
    return 1;
}

int SmoothingLogic::RunCommand(MeasureDocument& document, CDisplayServer* display) {
    kova::Prompter& prompter = document.Prompter();
    CTrackFile2D& track = document.Track();
    if (track.GetFrameCount() < 1 || track.GetTargetCount() < 1) {
        prompter.Show("没有数据。", "确认", MessageIcon::Exclamation);
        return 0;
    }
    if (prompter.Show("执行平滑处理。", "确认", MessageIcon::Question, MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
        return 0;
    document.History().Record("平滑化");
    CDataClient client;
    client.SetName("平滑化");
    int result = document.DataServer().LockData(&client) ? SmoothAllTracks(track) : 0;
    // A pass fails before its first write (no memory, or no lock).
    if (result != 1) document.History().Discard();
    if (client.IsDataLocked()) document.DataServer().UnLockData(&client, 1);
    if (display) display->Refresh();
    if (result == 1)
        prompter.Show("平滑处理成功。", "确认", MessageIcon::None);
    else
        prompter.Show("平滑处理失败。", "错误", MessageIcon::Exclamation);
    return result;
}
