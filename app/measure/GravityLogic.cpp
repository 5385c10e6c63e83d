#include "GravityLogic.h"

#include "CDataServer.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "MeasureDocument.h"
#include "Prompter.h"

#include <algorithm>

namespace {

using kova::MessageIcon;

struct Segment {
    int a; // proximal landmark (1-based)
    int b; // distal landmark
    double r[2];
    double m[2];
};

// The 15 body segments; ratios and masses for male [0] and female [1].
const Segment kSegments[15] = {
    {2, 1, {0.50, 0.50}, {0.009, 0.006}},     {3, 2, {0.41, 0.42}, {0.015, 0.013}},
    {4, 3, {0.46, 0.46}, {0.0265, 0.0255}},   {6, 5, {0.50, 0.50}, {0.009, 0.006}},
    {7, 6, {0.41, 0.42}, {0.015, 0.013}},     {8, 7, {0.46, 0.46}, {0.0265, 0.0255}},
    {10, 9, {0.50, 0.50}, {0.019, 0.015}},    {11, 10, {0.41, 0.42}, {0.0535, 0.0535}},
    {12, 11, {0.42, 0.42}, {0.100, 0.1115}},  {14, 13, {0.50, 0.50}, {0.019, 0.015}},
    {15, 14, {0.41, 0.42}, {0.0535, 0.0535}}, {16, 15, {0.42, 0.42}, {0.100, 0.1115}},
    {19, 20, {0.52, 0.52}, {0.479, 0.487}},   {18, 19, {0.50, 0.50}, {0.033, 0.026}},
    {17, 18, {0.63, 0.63}, {0.044, 0.037}},
};

// Whole-body weight of each landmark 1..20, male and female.
const double kWeights[2][20] = {
    {0.0045,  0.01065, 0.02127, 0.01458, 0.0045,  0.01065, 0.02127, 0.01458, 0.0095,  0.03164,
     0.07386, 0.058,   0.0095,  0.03164, 0.07386, 0.058,   0.01628, 0.04422, 0.24642, 0.24908},
    {0.003,   0.00846, 0.0195, 0.01404, 0.003,   0.00846, 0.0195,  0.01404, 0.0075,  0.03018,
     0.07836, 0.06496, 0.0075, 0.03018, 0.07836, 0.06496, 0.01369, 0.03631, 0.24676, 0.25324},
};

// Segments of each output after the whole body (output 1).
const std::vector<int> kGroups[GravityChoices::kOutputCount] = {
    {},
    {12, 13, 14},
    {0, 1, 2, 3, 4, 5},
    {6, 7, 8, 9, 10, 11},
    {13, 14},
    {12},
    {0},
    {1},
    {2},
    {0, 1, 2},
    {6},
    {7},
    {8},
    {6, 7, 8},
    {3},
    {4},
    {5},
    {3, 4, 5},
    {9},
    {10},
    {11},
    {9, 10, 11},
};

} // namespace

int GravityChoices::CheckedCount() const {
    return static_cast<int>(std::count(outputs.begin(), outputs.end(), true));
}

const std::vector<std::string>& GravityLogic::LandmarkNames() {
    static const std::vector<std::string> names = {
        "右手中指", "右手腕",   "右肘", "右肩峰",   "左手中指", "左手腕",   "左肘",
        "左肩峰",   "右拇指球", "右脚", "右膝",     "右大转子", "左拇指球", "左脚",
        "左膝",     "左大转子", "头顶", "头颈中心", "胸骨上缘", "大转子中"};
    return names;
}

const std::vector<std::string>& GravityLogic::OutputNames() {
    static const std::vector<std::string> names = {
        "全身",   "头部 + 胴体 ", "上肢", "下肢",   "头部",   "胴体", "右手", "右前腕",
        "右上腕", "右腕",         "右脚", "右下腿", "右上腿", "右腿", "左手", "左前腕",
        "左上腕", "左腕",         "左脚", "左下腿", "左上腿", "左腿"};
    return names;
}

const std::vector<std::string>& GravityLogic::OutputLabels() {
    static const std::vector<std::string> labels = {
        "全身",   "头部＋胴部", "上肢", "下肢",   "头部",   "胴部", "右手", "右前腕",
        "右上腕", "右腕",       "右脚", "右小腿", "右大腿", "右腿", "左手", "左前腕",
        "左上腕", "左腕",       "左脚", "左小腿", "左大腿", "左腿"};
    return labels;
}

void GravityLogic::ComputeOutput(int output, int sex, const double* x, const double* y,
                                 double* outX, double* outY) {
    const int s = sex == 1 ? 1 : 0;
    double sx = 0, sy = 0;
    if (output == 0) {
        // The table's weights add up to 1.004 and 1.002: divided by their
        // sum, the whole body of coincident landmarks lies on them.
        double total = 0;
        for (int i = 0; i < kLandmarks; ++i) {
            sx += kWeights[s][i] * x[i];
            sy += kWeights[s][i] * y[i];
            total += kWeights[s][i];
        }
        *outX = sx / total;
        *outY = sy / total;
        return;
    }
    double mass = 0;
    for (int index : kGroups[output]) {
        const Segment& g = kSegments[index];
        const double cx = x[g.a - 1] + g.r[s] * (x[g.b - 1] - x[g.a - 1]);
        const double cy = y[g.a - 1] + g.r[s] * (y[g.b - 1] - y[g.a - 1]);
        sx += g.m[s] * cx;
        sy += g.m[s] * cy;
        mass += g.m[s];
    }
    *outX = sx / mass;
    *outY = sy / mass;
}

std::int16_t GravityLogic::OutputStatus(int output, const std::int16_t* status) {
    std::int16_t worst = kStatusFound;
    const auto take = [&](int landmark) { worst = std::max(worst, status[landmark - 1]); };
    if (output == 0) {
        for (int landmark = 1; landmark <= kLandmarks; ++landmark)
            take(landmark);
        return worst;
    }
    for (int index : kGroups[output]) {
        take(kSegments[index].a);
        take(kSegments[index].b);
    }
    return worst;
}

bool GravityLogic::CheckChoices(const GravityChoices& choices, kova::Prompter& prompter) {
    if (choices.CheckedCount() > 0) return true;
    prompter.Show("请指定测量部位。", "确认", MessageIcon::Exclamation);
    return false;
}

int GravityLogic::ComputeGravity(const GravityChoices& choices, CTrackFile2D& track,
                                 CTrackInfo2D& info, CDataServer& server, CDataClient& client,
                                 kova::Prompter& prompter) {
    if (track.GetTargetCount() < kLandmarks) {
        prompter.Show("目标点不满20个.", "错误", MessageIcon::Exclamation);
        return 0;
    }
    const int locked = server.LockData(&client);
    const int first = track.GetTargetCount();
    for (int k = 0; k < choices.CheckedCount(); ++k) {
        if (track.AddTarget() < 0) {
            if (locked) server.UnLockData(&client, 0);
            prompter.Show("处理失败.", "错误", MessageIcon::Exclamation);
            return 0;
        }
    }
    const int total = track.GetTargetCount();
    std::vector<std::string> names;
    info.GetTargetName(&names, total);
    std::copy(LandmarkNames().begin(), LandmarkNames().end(), names.begin());
    double x[kLandmarks], y[kLandmarks];
    std::int16_t status[kLandmarks];
    for (int f = 0; f < track.GetFrameCount(); ++f) {
        for (int t = 0; t < kLandmarks; ++t) {
            XY_TRACK p{};
            track.GetPoint(t, f, &p);
            x[t] = p.x;
            y[t] = p.y;
            status[t] = p.status;
        }
        int target = first;
        for (int output = 0; output < GravityChoices::kOutputCount; ++output) {
            if (!choices.outputs[static_cast<std::size_t>(output)]) continue;
            double cx = 0, cy = 0;
            ComputeOutput(output, choices.sex, x, y, &cx, &cy);
            const XY_TRACK point{OutputStatus(output, status), static_cast<float>(cx),
                                 static_cast<float>(cy)};
            track.SetPoint(target, f, &point);
            names[static_cast<std::size_t>(target)] =
                OutputNames()[static_cast<std::size_t>(output)];
            ++target;
        }
    }
    info.SetTargetName(&names, total);
    if (locked) server.UnLockData(&client, 1);
    return 1;
}

int GravityLogic::Run(const GravityChoices& choices, MeasureDocument& document) {
    CTrackFile2D& track = document.Track();
    const int before = track.GetTargetCount();
    document.History().Record("人体重心");
    const int result = ComputeGravity(choices, track, document.Info(), document.DataServer(),
                                      document.Client(), document.Prompter());
    // Refused, or not even one target could be added: nothing changed.
    if (track.GetTargetCount() == before) document.History().Discard();
    return result;
}
