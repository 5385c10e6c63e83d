#include "TrackWindowLogic.h"

#include "CCfgFile.h"
#include "CFileUtil.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "FrameSource.h"
#include "ImageSource.h"
#include "LiveFrameObserver.h"
#include "MeasureDocument.h"
#include "MeasurePaths.h"
#include "Prompter.h"
#include "SegmentationResult.h"
#include "TrackEnablingRules.h"
#include "TrackRunJob.h"
#include "TrackingRun.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

std::string DefaultResultPath() {
    std::error_code error;
    return (std::filesystem::current_path(error) / "TEMP.TRK").string();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

QImage ToImage(const cv::Mat& mat) {
    if (mat.empty() || mat.channels() != 1) return QImage();
    return QImage(mat.data, mat.cols, mat.rows, static_cast<int>(mat.step),
                  QImage::Format_Grayscale8)
        .copy();
}

void DrawCross(QPainter* painter, const QPointF& at) {
    painter->drawLine(QPointF(at.x() - 3, at.y()), QPointF(at.x() + 4, at.y()));
    painter->drawLine(QPointF(at.x(), at.y() - 3), QPointF(at.x(), at.y() + 4));
}

} // namespace

TrackWindowLogic::TrackWindowLogic(CImageDisplay& display, MeasureDocument& document,
                                   const ImageSource& source, CCfgFile& config,
                                   kova::Prompter& prompter)
    : display_(display), document_(document), source_(source), config_(config), prompter_(prompter),
      resultPath_(DefaultResultPath()) {
    SetName(kName);
}

TrackWindowLogic::~TrackWindowLogic() {
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
}

void TrackWindowLogic::InitWindow(bool colourDisplay) {
    params_.Load(config_);
    fields_ = TrackFields();
    std::copy(params_.monoValue, params_.monoValue + 2, fields_.grey);
    std::copy(params_.colorValue, params_.colorValue + 6, fields_.colour);
    fields_.percent = params_.monoPercent;
    fields_.processType = static_cast<int>(params_.processType);
    fields_.windowSize = static_cast<int>(params_.windowSize);
    fields_.imageType = colourDisplay ? 1 : 0;
    fields_.thresholds = colourDisplay ? 1 : 0;
    targets_.clear();
    marks_.clear();
    lastMarkIsTarget_ = false;
    const kova::CFrameStore& store = display_.Store();
    window_ =
        QRect(std::max(0, store.Width() / 2 - kDefaultWindow / 2),
              std::max(0, store.Height() / 2 - kDefaultWindow / 2), kDefaultWindow, kDefaultWindow);
    texts_.imagePath =
        source_.IsAvi() ? source_.directory + "\\" + source_.aviFile : source_.directory;
    if (source_.IsAvi()) {
        char first[48], last[48];
        std::snprintf(first, sizeof first, "第 %d 祯", source_.aviFirst);
        std::snprintf(last, sizeof last, "第 %d 祯", source_.aviLast);
        texts_.firstFile = first;
        texts_.lastFile = last;
    } else {
        texts_.firstFile = source_.firstFile;
        texts_.lastFile = source_.lastFile;
    }
    texts_.frameCount = std::max(1, display_.PageCount());
    texts_.frame = 1;
    if (display_.HasImages()) display_.ShowPage(1);
    texts_.id = 0;
    display_.CatchPaint(this);
    display_.CatchEasyMouse(this);
    if (controls_) controls_->WriteFields(fields_);
    Update();
}

void TrackWindowLogic::Destroyed() {
    controls_ = nullptr;
    if (job_) job_->RequestStop();
    HideMarks();
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    Refresh();
}

bool TrackWindowLogic::CanClose() {
    if (running_) return false;
    ReadFields();
    HideMarks();
    Refresh();
    CurrentParams().Save(config_);
    return true;
}

TrackEnabling TrackWindowLogic::Enabling() const {
    TrackEnabling e = ComputeTrackEnabling(fields_, params_.pickupMode, running_);
    if (running_ && stopping_) e.stop = false;
    return e;
}

void TrackWindowLogic::ReadFields() {
    if (controls_) controls_->ReadFields(&fields_);
}

void TrackWindowLogic::Update() {
    texts_.resultPath = resultPath_;
    if (!running_) texts_.id = TargetCount();
    if (!controls_) return;
    controls_->WriteTexts(texts_);
    controls_->Enable(Enabling());
}

void TrackWindowLogic::Refresh() {
    display_.Refresh();
}

void TrackWindowLogic::HideMarks() {
    marks_.clear();
    lastMarkIsTarget_ = false;
}

// ---- targets ----

void TrackWindowLogic::SetProcessingWindow(const QRect& window) {
    if (running_ || window.isEmpty()) return;
    window_ = window;
    if (!lastMarkIsTarget_ && !marks_.empty()) marks_.pop_back();
    marks_.push_back(window_);
    lastMarkIsTarget_ = false;
    Refresh();
}

void TrackWindowLogic::ApplyCurrentThresholds(TargetSetting& target) const {
    target.greyLow = fields_.grey[0];
    target.greyHigh = fields_.grey[1];
    target.percent = static_cast<float>(fields_.percent);
    std::copy(fields_.colour, fields_.colour + 6, target.colour);
}

void TrackWindowLogic::AddTargetAt(int x, int y) {
    if (running_ || fields_.targetSetting != 0 || TargetCount() >= TrackingEngine::kMaxTargets)
        return;
    ReadFields();
    if (!lastMarkIsTarget_ && !marks_.empty()) marks_.pop_back();
    window_.moveCenter(QPoint(x, y));
    TargetSetting target;
    target.x = static_cast<float>(x);
    target.y = static_cast<float>(y);
    target.width = static_cast<std::int16_t>(window_.width());
    target.height = static_cast<std::int16_t>(window_.height());
    ApplyCurrentThresholds(target);
    targets_.push_back(target);
    marks_.push_back(window_);
    lastMarkIsTarget_ = true;
    Update();
    Refresh();
}

void TrackWindowLogic::RemoveLastTarget() {
    if (running_) return;
    if (!targets_.empty()) targets_.pop_back();
    if (!marks_.empty()) marks_.pop_back();
    if (targets_.empty()) HideMarks();
    Update();
    Refresh();
}

void TrackWindowLogic::ClearTargets() {
    if (running_) return;
    targets_.clear();
    HideMarks();
    Update();
    Refresh();
}

std::unique_ptr<TrackRunJob> TrackWindowLogic::MakeJob() {
    auto asked = [this](const ManualPointSource::Request& r) {
        if (askedHandler_) askedHandler_(r);
    };
    auto job = std::make_unique<TrackRunJob>(asked);
    std::string error;
    if (!job->Open(source_, &error)) {
        job->Messages().Replay(prompter_);
        if (!error.empty()) prompter_.Show(error, "KOVA");
        return nullptr;
    }
    return job;
}

void TrackWindowLogic::Pickup() {
    if (running_ || fields_.imageType == 1) return;
    ReadFields();
    std::unique_ptr<TrackRunJob> job = MakeJob();
    if (!job) return;
    int count = 0;
    bool found = false;
    if (job->Load(texts_.frame, false) == 0) {
        job->Store().Disp_frame(1);
        job->Store().Put_window_full();
        job->Engine().Params() = CurrentParams();
        found = job->Engine().ExtractTargets(count) == 0;
    }
    job->Messages().Replay(prompter_);
    // The per-target arrays hold 4096: more blobs are not kept.
    count = std::min(count, TrackingEngine::kMaxTargets);
    bool accepted = false;
    if (found) {
        texts_.id = count;
        if (controls_) controls_->WriteTexts(texts_);
        overlay_ = ToImage(job->Store().Get_image(0));
        Refresh();
        char question[64];
        std::snprintf(question, sizeof question, kPickupQuestion, count);
        accepted = prompter_.Show(question, "KOVA", MessageIcon::Question,
                                  MessageButtons::OkCancel) == MessageAnswer::Ok;
    }
    targets_.clear();
    if (accepted) {
        for (int i = 0; i < count; ++i) {
            TargetSetting target = job->Engine().Target(i);
            // Found targets take the current window size and thresholds.
            target.width = static_cast<std::int16_t>(window_.width());
            target.height = static_cast<std::int16_t>(window_.height());
            ApplyCurrentThresholds(target);
            targets_.push_back(target);
        }
    }
    HideMarks();
    overlay_ = QImage();
    Update();
    Refresh();
}

void TrackWindowLogic::SetTargetSetting(int setting) {
    if (running_) return;
    ReadFields();
    if (setting == 1 && fields_.imageType == 1) setting = 0;
    if (setting != fields_.targetSetting) {
        targets_.clear();
        HideMarks();
        fields_.targetSetting = setting;
    }
    if (setting == 1) fields_.windowSize = fields_.thresholds = 0;
    if (controls_) controls_->WriteFields(fields_);
    Update();
    Refresh();
}

void TrackWindowLogic::SetImageType(int type) {
    if (running_) return;
    ReadFields();
    fields_.imageType = type;
    if (type == 1) {
        if (fields_.targetSetting == 1) {
            targets_.clear();
            HideMarks();
            fields_.targetSetting = 0;
        }
        fields_.thresholds = 1;
    } else {
        fields_.thresholds = 0;
    }
    if (controls_) controls_->WriteFields(fields_);
    display_.ShowPage(texts_.frame);
    Update();
}

TrackParams TrackWindowLogic::CurrentParams() {
    TrackParams p = params_;
    p.processType = static_cast<TrackParams::ProcessType>(std::clamp(fields_.processType, 0, 2));
    p.dispType =
        fields_.imageType == 1 ? TrackParams::DispType::Colour : TrackParams::DispType::Grey;
    p.windowSize =
        fields_.windowSize == 1 ? TrackParams::WindowSize::Free : TrackParams::WindowSize::Fixed;
    p.pickupValueMode = fields_.thresholds == 1 ? TrackParams::PickupValueMode::Free
                                                : TrackParams::PickupValueMode::Fixed;
    std::copy(fields_.grey, fields_.grey + 2, p.monoValue);
    std::copy(fields_.colour, fields_.colour + 6, p.colorValue);
    p.monoPercent = fields_.percent;
    return p;
}

void TrackWindowLogic::ApplyParams(const TrackParams& params) {
    params_ = params;
    Update();
}

int TrackWindowLogic::SegmentationMethod() const {
    return fields_.imageType == 1 ? kMethodRgb : static_cast<int>(params_.pickupMode);
}

void TrackWindowLogic::TakeSegmentation(const SegmentationResult& result) {
    if (running_) return;
    ReadFields();
    if (!TrackingTakes(result)) {
        prompter_.Show(kHsiNotTrackedMessage, "KOVA", MessageIcon::Information);
        return;
    }
    if (result.method == kMethodRgb) {
        for (std::size_t c = 0; c < 3; ++c) {
            fields_.colour[2 * c] = result.rgb[c].low;
            fields_.colour[2 * c + 1] = result.rgb[c].high;
        }
    } else if (result.method == kMethodGrey) {
        fields_.grey[0] = result.greyLow;
        fields_.grey[1] = result.greyHigh;
    } else if (result.method == kMethodAutoPercent) {
        fields_.percent = result.percent;
    }
    if (controls_) controls_->WriteFields(fields_);
    Update();
}

// ---- browsing and the result file ----

void TrackWindowLogic::FirstImage() {
    ShowImage(1);
}

void TrackWindowLogic::LastImage() {
    ShowImage(texts_.frameCount);
}

void TrackWindowLogic::ShowImage(int image) {
    if (running_ || image < 1 || image > texts_.frameCount) return;
    display_.ShowPage(image); // an unreadable frame is reported by the reader
    texts_.frame = image;
    Update();
}

void TrackWindowLogic::SetResultPath(const std::string& path) {
    resultPath_ = MeasurePaths::TrackNameFor(path);
    Update();
}

void TrackWindowLogic::ChooseResultFile() {
    if (running_) return;
    CFileUtil dialog;
    dialog.SetFilter(kFilter);
    dialog.SetDefaultExt("TRK");
    std::string directory;
    std::string name;
    CPtFile::SplitPath(resultPath_, &directory, &name);
    dialog.SetInitialDir(directory);
    dialog.SetDefaultName("*.TRK");
    std::string chosen;
    if (!dialog.ChooseSavePath(prompter_, &chosen)) return;
    SetResultPath(chosen);
}

// ---- the run ----

bool TrackWindowLogic::AskBeforeRun() {
    if (document_.IsModified() && prompter_.Show(kUnsavedCorrections, "KOVA", MessageIcon::Question,
                                                 MessageButtons::OkCancel) != MessageAnswer::Ok)
        return false;
    if (targets_.empty()) {
        prompter_.Show(kNoTarget, "KOVA", MessageIcon::Exclamation);
        return false;
    }
    if (prompter_.Show(kCheck, "KOVA", MessageIcon::Question, MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
        return false;
    return !Exists(resultPath_) || prompter_.Show(kOverwrite, "KOVA", MessageIcon::Question,
                                                  MessageButtons::OkCancel) == MessageAnswer::Ok;
}

// The targets as the engine tracks them: with the window policy 固定 the
// current window size, with the threshold policy 固定 the current fields;
// targets found by pickup always take both.
void TrackWindowLogic::PrepareTargets(TrackRunJob& job) {
    const bool picked = fields_.targetSetting == 1;
    const bool fixedWindow = picked || fields_.windowSize == 0;
    const bool fixedThresholds = picked || fields_.thresholds == 0;
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        TargetSetting target = targets_[i];
        if (fixedWindow) {
            target.width = static_cast<std::int16_t>(window_.width());
            target.height = static_cast<std::int16_t>(window_.height());
        }
        if (fixedThresholds) ApplyCurrentThresholds(target);
        job.Engine().Target(static_cast<int>(i)) = target;
    }
    job.Engine().SetTargetCount(TargetCount());
}

bool TrackWindowLogic::Run() {
    if (running_) return false;
    ReadFields();
    if (!AskBeforeRun()) return false;
    job_ = MakeJob();
    if (!job_) return false;
    const TrackParams params = CurrentParams();
    job_->Engine().Params() = params;
    PrepareTargets(*job_);
    const MeasureHeader header =
        TrackingRun::MakeHeader(config_, job_->Source(), params.IsColour());
    auto observer =
        std::make_shared<LiveFrameObserver>(job_->Source().Count(), [this](LiveFrame frame) {
            if (liveHandler_) liveHandler_(std::move(frame));
        });
    job_->Engine().AddObserver(observer.get());
    running_ = true;
    stopping_ = false;
    HideMarks();
    Update();
    const std::string path = resultPath_;
    TrackRunJob* job = job_.get();
    auto work = [this, job, path, header, observer] { lastResult_ = job->Run(path, header); };
    auto done = [this] { FinishRun(); };
    if (runner_)
        runner_(work, done);
    else {
        work();
        done();
    }
    return true;
}

void TrackWindowLogic::FinishRun() {
    job_->Messages().Replay(prompter_);
    job_.reset();
    live_ = LiveFrame();
    const bool tracked = lastResult_ == 0;
    if (tracked && reload_) trackingDone_ = reload_(resultPath_) || trackingDone_;
    running_ = false;
    stopping_ = false;
    texts_.id = TargetCount();
    if (controls_) controls_->ShowStatus("");
    Update();
    Refresh();
}

void TrackWindowLogic::Stop() {
    if (!running_ || !job_) return;
    stopping_ = true;
    job_->RequestStop();
    Update();
}

void TrackWindowLogic::ShowLive(const LiveFrame& frame) {
    if (!running_) return;
    live_ = frame;
    texts_.frame = frame.frame;
    texts_.id = static_cast<int>(frame.points.size());
    if (controls_) {
        controls_->WriteTexts(texts_);
        controls_->ShowStatus(frame.StatusText());
    }
    Refresh();
}

void TrackWindowLogic::ClickRequested(const ManualPointSource::Request& request) {
    if (!running_) return;
    texts_.id = request.id;
    texts_.frame = request.frame;
    if (controls_) controls_->WriteTexts(texts_);
}

// ---- the image window ----

void TrackWindowLogic::OnDisplayPaint(QPainter* painter) {
    if (running_ && !live_.image.isNull()) painter->drawImage(QPoint(0, 0), live_.image);
    if (!overlay_.isNull()) painter->drawImage(QPoint(0, 0), overlay_);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(QColor(0, 255, 0), 0));
    for (const QRect& mark : running_ ? live_.windows : marks_)
        painter->drawRect(mark);
    painter->setPen(QPen(QColor(255, 0, 0), 0));
    for (const QPointF& point : live_.points)
        DrawCross(painter, point);
}

void TrackWindowLogic::OnDisplayLButtonDown(unsigned flags, QPoint point) {
    if (running_) {
        if (job_) job_->Clicks().Click(point.x(), point.y());
        return;
    }
    if (flags & kShift) {
        dragging_ = true;
        dragStart_ = point;
        return;
    }
    AddTargetAt(point.x(), point.y());
}

void TrackWindowLogic::OnDisplayMouseMove(unsigned /*flags*/, QPoint point) {
    if (!dragging_) return;
    const QRect drawn = QRect(dragStart_, point).normalized();
    if (!lastMarkIsTarget_ && !marks_.empty()) marks_.pop_back();
    marks_.push_back(drawn);
    lastMarkIsTarget_ = false;
    Refresh();
}

void TrackWindowLogic::OnDisplayLButtonUp(unsigned /*flags*/, QPoint point) {
    if (!dragging_) return;
    dragging_ = false;
    SetProcessingWindow(QRect(dragStart_, point).normalized());
}

void TrackWindowLogic::OnDisplayRButtonDown(unsigned /*flags*/, QPoint /*point*/) {
    if (running_) {
        // A skip only when the engine waits for a click; otherwise ignored.
        if (job_) job_->Clicks().Skip();
        return;
    }
    RemoveLastTarget();
}
