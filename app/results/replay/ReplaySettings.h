#pragma once

#include <string>
#include <vector>

// What the result video shows, as the window "结果视频显示" sets it.
enum class ReplayBackground { Black, White };
// "内存": every image read into the frame store at once; "硬盘": each image
// read from its file when it is shown.
enum class ReplayWorkArea { Memory, Disk };
// "轨迹", "轨迹加矢量", "连续矢量".
enum class TrajectoryKind { Trajectory, TrajectoryAndVectors, Vectors };
// "残像" up to the current frame, "全部" all frames, "矢量" the current
// frame's vector only.
enum class TrajectorySpan { Afterimage, All, VectorOnly };
// "残像", "全部", "当前".
enum class LineSpan { Afterimage, All, Current };

// The overlay switches and their options.
struct ReplaySettings {
    bool axes = false;        // "坐标轴"
    bool image = true;        // "帧"
    bool lines = false;       // "连线显示"
    bool trajectories = true; // "显示轨迹"
    bool numbers = true;      // "目标序号"
    bool marks = true;        // "标记"
    ReplayBackground background = ReplayBackground::Black;
    ReplayWorkArea workArea = ReplayWorkArea::Disk;
    double vectorMultiple = 1.0; // "长 … 倍"
    TrajectoryKind kind = TrajectoryKind::Trajectory;
    TrajectorySpan span = TrajectorySpan::Afterimage;
    LineSpan lineSpan = LineSpan::Afterimage;

    // Vectors are drawn: the span "矢量" or a kind with vectors.
    bool ShowsVectors() const {
        return trajectories &&
               (span == TrajectorySpan::VectorOnly || kind != TrajectoryKind::Trajectory);
    }
    // The vector multiple the scale bars and vectors accept.
    static constexpr double kMinMultiple = 0.01;
    static constexpr double kMaxMultiple = 1000.0;
};

// The controls of the window: the settings, the frame selection edits
// ("起始帧", "终止帧", "帧间隔", whole numbers; -1 when a field holds none)
// and the selected rows of the frame list ("帧 %d") and the target list
// ("目标%d"), ascending.
struct ReplayFields {
    ReplaySettings settings;
    int start = 1;
    int end = 1;
    int interval = 1;
    std::vector<int> frames;
    std::vector<int> targets;
};

// Which controls are usable: those of an overlay only while it is on, and
// "执行设定" only after a change.
struct ReplayEnabling {
    bool lineControls = false;       // the line span radios and "设定连线"
    bool trajectoryControls = false; // the span radios, the kind, the multiple
    bool workArea = false;
    bool apply = false;

    bool operator==(const ReplayEnabling& other) const {
        return lineControls == other.lineControls &&
               trajectoryControls == other.trajectoryControls && workArea == other.workArea &&
               apply == other.apply;
    }

    static ReplayEnabling Of(const ReplaySettings& settings, bool changed) {
        return ReplayEnabling{settings.lines, settings.trajectories, settings.image, changed};
    }
};
