#include "SegmentationLogic.h"

#include "CFrameStore.h"

#include <algorithm>
#include <opencv2/imgproc.hpp>

namespace {

constexpr int kWorkFrame = 0;
constexpr int kDefaultLow = 0;
constexpr int kDefaultHigh = 63;
constexpr int kGreyDisplay = 0;
constexpr int kMaxSampleSize = 255; // a click never walks more than this square

SegmentationMode ModeOfMethod(int method) {
    switch (method) {
    case kMethodAutoMode:
    case kMethodAutoPercent:
        return SegmentationMode::Auto;
    case kMethodRgb:
        return SegmentationMode::Rgb;
    case kMethodHsi:
        return SegmentationMode::Hsi;
    default:
        return SegmentationMode::Grey;
    }
}

int MethodOf(const SegmentationFields& f) {
    switch (f.mode) {
    case SegmentationMode::Auto:
        return f.method == AutoMethod::Percent ? kMethodAutoPercent : kMethodAutoMode;
    case SegmentationMode::Rgb:
        return kMethodRgb;
    case SegmentationMode::Hsi:
        return kMethodHsi;
    default:
        return kMethodGrey;
    }
}

// The band of an automatic threshold t, clamped into the scale; a p-tile
// threshold of 0 on the dark side selects nothing and gives [0, -1].
SegmentationBand AutoBand(AutoMethod method, ResultColour colour, int t) {
    const bool white = colour == ResultColour::White;
    SegmentationBand band;
    if (method == AutoMethod::Mode) {
        band.low = white ? (t >= 255 ? t : t + 1) : 0;
        band.high = white ? 255 : t;
    } else {
        band.low = white ? t : 0;
        band.high = white ? 255 : t - 1;
    }
    band.low = std::clamp(band.low, 0, 255);
    band.high = std::clamp(band.high, -1, 255);
    return band;
}

} // namespace

SegmentationLogic::SegmentationLogic(kova::CFrameStore& store) : store_(store), proc_(store) {}

bool SegmentationLogic::Open(int sourceFrame, int outputFrame, const SegmentationResult& given) {
    const bool colour = store_.Get_dispmode() == kova::CFrameStore::kColorDispMode;
    const int images = colour ? store_.Get_nofframe_color() : store_.Get_nofframe();
    if (sourceFrame < 1 || sourceFrame > images) return false;
    if (outputFrame < 0 || outputFrame > store_.Get_nofframe()) return false;
    source_ = sourceFrame;
    output_ = outputFrame;
    sourceColour_ = colour;
    given_ = given;
    preview_ = false;
    histogramsValid_ = false;
    fields_.method = given.method == kMethodAutoPercent ? AutoMethod::Percent : AutoMethod::Mode;
    fields_.percent = given.percent;
    fields_.colour = given.colour;
    fields_.sampleSize = 7;
    ApplyMode(ModeOfMethod(given.method));
    return true;
}

void SegmentationLogic::ApplyMode(SegmentationMode mode) {
    fields_.mode = mode;
    for (SegmentationBand& band : fields_.bands)
        band = {IsColourMode(mode), kDefaultLow, kDefaultHigh};
    if (given_.accepted) {
        if (mode == SegmentationMode::Rgb) fields_.bands = given_.rgb;
        if (mode == SegmentationMode::Hsi) fields_.bands = given_.hsi;
        if (!IsColourMode(mode)) fields_.bands[0] = {false, given_.greyLow, given_.greyHigh};
    }
    ResetSampling();
    preview_ = false;
    ShowSource();
}

bool SegmentationLogic::SampleAt(int x, int y) {
    if (!IsColourMode(fields_.mode)) return false;
    fields_.sampleSize = std::clamp(fields_.sampleSize, 1, kMaxSampleSize);
    const int frame = ColourSource();
    ColourSampler::Square square{};
    if (!sampler_.Sample(store_, frame, x, y, fields_, square)) return false;
    store_.Put_window(square.x0, square.y0, square.x1, square.y1);
    return true;
}

void SegmentationLogic::ResetSampling() {
    sampler_.Reset(fields_.mode);
    fields_.sampleCount = 0;
}

void SegmentationLogic::Run() {
    Binarise(output_);
}

void SegmentationLogic::Binarise(int destination) {
    const bool white = fields_.colour == ResultColour::White;
    const std::array<int, 6> b = PassBands();
    int t = 0;
    switch (fields_.mode) {
    case SegmentationMode::Grey:
        proc_.Twovalue_ext(GreySource(), destination, fields_.bands[0].low, fields_.bands[0].high);
        if (white) proc_.Reverse(destination, destination);
        break;
    case SegmentationMode::Auto:
        if (fields_.method == AutoMethod::Mode) {
            proc_.Auto_twovalue_mode(GreySource(), destination, t);
        } else {
            proc_.Auto_twovalue_percent(GreySource(), destination, Target(), fields_.percent, t);
            if (white) proc_.Reverse(destination, destination);
        }
        fields_.bands[0] = AutoBand(fields_.method, fields_.colour, t);
        break;
    case SegmentationMode::Rgb:
        proc_.Extract_rgb_color_ext(ColourSource(), destination, Target(), b[0], b[1], b[2], b[3],
                                    b[4], b[5]);
        break;
    case SegmentationMode::Hsi:
        proc_.Extract_hsi_color_ext(ColourSource(), destination, Target(), b[0], b[1], b[2], b[3],
                                    b[4], b[5]);
        break;
    }
}

std::array<int, 6> SegmentationLogic::PassBands() const {
    std::array<int, 6> pass{};
    for (size_t c = 0; c < 3; ++c) {
        const SegmentationBand& band = fields_.bands[c];
        // The hue row of HSI runs to 359: an unchecked hue passes the circle.
        const int top = fields_.mode == SegmentationMode::Hsi && c == 0 ? 359 : 255;
        pass[2 * c] = band.on ? band.low : 0;
        pass[2 * c + 1] = band.on ? band.high : top;
    }
    return pass;
}

bool SegmentationLogic::ChangeView() {
    preview_ = !preview_;
    if (!preview_) {
        ShowSource();
        return false;
    }
    if (fields_.mode == SegmentationMode::Grey) {
        store_.Put_dispmode(kGreyDisplay);
        store_.Disp_frame(GreySource());
        store_.Put_threshold_lut(fields_.bands[0].low, fields_.bands[0].high);
        return true;
    }
    if (IsColourMode(fields_.mode)) {
        proc_.Clear_frame(kWorkFrame, 0);
        const ResultColour chosen = fields_.colour;
        fields_.colour = ResultColour::White; // the preview shows the objects white
        Binarise(kWorkFrame);
        fields_.colour = chosen;
    } else {
        Binarise(kWorkFrame);
    }
    store_.Put_dispmode(kGreyDisplay);
    store_.Disp_frame(kWorkFrame);
    return true;
}

SegmentationResult SegmentationLogic::Accept() {
    SegmentationResult result = given_;
    result.method = MethodOf(fields_);
    result.percent = fields_.percent;
    result.colour = fields_.colour;
    if (!IsColourMode(fields_.mode)) {
        result.greyLow = fields_.bands[0].low;
        result.greyHigh = fields_.bands[0].high;
    }
    // An unchecked channel is recorded as the run uses it: the whole scale.
    std::array<SegmentationBand, 3> passed = fields_.bands;
    const std::array<int, 6> pass = PassBands();
    for (size_t c = 0; c < 3; ++c)
        passed[c] = {fields_.bands[c].on, pass[2 * c], pass[2 * c + 1]};
    if (fields_.mode == SegmentationMode::Rgb) result.rgb = passed;
    if (fields_.mode == SegmentationMode::Hsi) result.hsi = passed;
    result.accepted = true;
    Close();
    return result;
}

void SegmentationLogic::Close() {
    preview_ = false;
    ShowSource();
}

void SegmentationLogic::ShowSource() {
    store_.Clear_threshold_lut();
    if (IsColourMode(fields_.mode)) {
        store_.Put_dispmode(kova::CFrameStore::kColorDispMode);
        store_.Disp_frame_color(ColourSource());
    } else {
        store_.Put_dispmode(kGreyDisplay);
        store_.Disp_frame(GreySource());
    }
}

int SegmentationLogic::GreySource() {
    if (!sourceColour_) return source_;
    const cv::Mat colour = store_.Get_image_color(source_);
    cv::cvtColor(colour, store_.Plane(kWorkFrame), cv::COLOR_BGR2GRAY);
    store_.Touch(kWorkFrame);
    return kWorkFrame;
}

int SegmentationLogic::ColourSource() {
    if (sourceColour_) return source_;
    int r = 0, g = 0, b = 0;
    store_.Get_frame_monochrome(kWorkFrame, r, g, b);
    const cv::Mat& grey = store_.Plane(source_);
    for (int plane : {r, g, b}) {
        grey.copyTo(store_.Plane(plane));
        store_.Touch(plane);
    }
    return kWorkFrame;
}

std::vector<long> SegmentationLogic::Histogram(int row) {
    if (!histogramsValid_ || IsColourMode(histogramMode_) != IsColourMode(fields_.mode) ||
        (IsColourMode(fields_.mode) && histogramMode_ != fields_.mode))
        ComputeHistograms();
    if (row < 0 || row > 2) return {};
    return histograms_[static_cast<size_t>(row)];
}

void SegmentationLogic::ComputeHistograms() {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0, w = 0, h = 0;
    store_.Get_window(x0, y0, x1, y1, w, h);
    store_.Put_window_full();
    auto& [first, second, third] = histograms_;
    second.clear();
    third.clear();
    if (fields_.mode == SegmentationMode::Rgb)
        proc_.Histogram_area_calculation_rgb(ColourSource(), first, second, third);
    else if (fields_.mode == SegmentationMode::Hsi)
        proc_.Histogram_area_calculation_hsi(ColourSource(), first, second, third);
    else
        proc_.Histogram_area_calculation(GreySource(), first);
    store_.Put_window(x0, y0, x1, y1);
    histogramMode_ = fields_.mode;
    histogramsValid_ = true;
}
