#include "ReplayScene.h"

#include "CEasyUtils.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kColours = 7;
constexpr int kStyles = 5;
constexpr int kSecond = 4; // time unit index of "s"

} // namespace

bool ReplayScene::Usable(int target, int index) const {
    const std::int16_t status = Point(target, index).status;
    return status != kUnreadable && status != kStatusSkipped;
}

ReplayScene ReplayScene::Build(const CTrackFile2D& track, CTrackInfo2D& info,
                               const ReplaySettings& settings, const std::vector<int>& frames,
                               const std::vector<int>& shown, QSize frameSize) {
    ReplayScene scene;
    scene.settings = settings;
    scene.frames = frames;
    scene.frameSize = frameSize;
    const int targets = std::max(0, track.GetTargetCount());
    for (int t : shown)
        if (t >= 0 && t < targets) scene.shown.push_back(t);
    scene.points.assign(static_cast<std::size_t>(targets), {});
    for (int t = 0; t < targets; ++t) {
        auto& row = scene.points[static_cast<std::size_t>(t)];
        row.reserve(frames.size());
        int run = -1;
        for (int frame : frames) {
            XY_TRACK point{kUnreadable, 0.0f, 0.0f};
            if (!track.GetPoint(t, frame, &point)) {
                point.status = kUnreadable;
                if (run < 0) run = static_cast<int>(row.size());
            }
            row.push_back(point);
        }
        scene.readableRun.push_back(run < 0 ? static_cast<int>(row.size()) : run);
    }
    std::vector<int> stored;
    info.GetArray("ColorTarget", &stored);
    const std::vector<int> looks = CTrackInfo2D::RepairColors(stored, targets);
    for (int t = 0; t < targets; ++t) {
        const auto at = static_cast<std::size_t>(2 * t);
        scene.colours.push_back(at < looks.size() ? std::clamp(looks[at], 0, kColours - 1) : 0);
        scene.styles.push_back(at + 1 < looks.size() ? std::clamp(looks[at + 1], 0, kStyles - 1)
                                                     : 0);
    }
    for (const ConnectionLine& line : ConnectionLines::Read(info, targets))
        if (line.first >= 0 && line.first < targets && line.second >= 0 && line.second < targets)
            scene.lines.push_back(line);
    const MeasureHeader& header = track.GetHeader();
    const double worth = ScaleBar::kBasePixels * static_cast<double>(header.scale);
    scene.lengthBar = ScaleBar::For(worth, header.lengthUnit);
    if (settings.ShowsVectors())
        scene.vectorBar = ScaleBar::For(worth / settings.vectorMultiple, header.lengthUnit);
    return scene;
}

double ReplayScene::FrameRate(const MeasureHeader& header) {
    int ok = 0;
    const double seconds = CEasyUtils::ConvTime(1.0, header.timeUnit, kSecond, &ok);
    if (!ok || header.frameRate < 1 || header.interval < 1 || !(seconds > 0.0)) return 30.0;
    const double rate = header.frameRate / (seconds * header.interval);
    return std::isfinite(rate) ? std::clamp(rate, 1.0, 1000.0) : 30.0;
}
