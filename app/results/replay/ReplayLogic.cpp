#include "ReplayLogic.h"

#include "CBmpFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "FrameFiles.h"
#include "FrameSelection.h"
#include "ImageBgr.h"
#include "ImageSource.h"
#include "MeasureDocument.h"
#include "NumberText.h"
#include "Progress.h"
#include "Prompter.h"
#include "ReplayControls.h"
#include "ReplayPanel.h"
#include "ReplayValidation.h"
#include "VideoExport.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace {

std::vector<int> AllRows(int count) {
    std::vector<int> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(i);
    return rows;
}

std::vector<std::string> Entries(const char* head, int count) {
    std::vector<std::string> entries;
    for (int i = 1; i <= count; ++i)
        entries.push_back(head + kova::FormatInt(i));
    return entries;
}

} // namespace

ReplayLogic::ReplayLogic(MeasureDocument& document, CImageDisplay& display,
                         const ImageSource& source, const DrawingTools& tools)
    : document_(document), display_(display), source_(source), frames_(display, source),
      painter_(tools) {
    CDataClient::SetName(kTitle);
    CDisplayClient::SetName(kTitle);
}

ReplayLogic::~ReplayLogic() {
    display_.ReleaseEasyMouse(this);
}

kova::Prompter& ReplayLogic::Prompter() {
    return document_.Prompter();
}

void ReplayLogic::ReadControls() {
    if (controls_) controls_->ReadControls(&fields_);
}

void ReplayLogic::WriteControls() {
    if (controls_) controls_->WriteControls(fields_);
}

void ReplayLogic::Enable() {
    if (controls_) controls_->Enable(ReplayEnabling::Of(fields_.settings, changed_));
}

void ReplayLogic::MarkChanged() {
    changed_ = true;
    Enable();
}

// ---- the window ----

void ReplayLogic::ResetLists() {
    const int frames = std::max(0, document_.Track().GetFrameCount());
    const int targets = std::max(0, document_.Track().GetTargetCount());
    if (controls_) controls_->SetEntries(Entries("帧 ", frames), Entries("目标", targets));
    fields_.frames = AllRows(frames);
    fields_.targets = AllRows(targets);
    fields_.start = 1;
    fields_.end = frames;
    WriteControls();
}

void ReplayLogic::InitWindow() {
    open_ = true;
    document_.DataServer().CatchWatch(this);
    display_.CatchPaint(this);
    display_.CatchWatch(this);
    previousShowError_ = display_.ShowError(0);
    previousBackground_ = display_.Background();
    if (panel_) panel_->SetDefaultRate(ReplayScene::FrameRate(document_.Track().GetHeader()));
    ResetLists();
    applied_ = fields_.settings;
    shown_ = fields_.targets;
    display_.SetBackground(OverlayPainter::BackgroundColour(applied_.background));
    ShowAxes(applied_.axes);
    HandRange(fields_.frames);
    changed_ = false;
    Enable();
    FollowPage(display_.GetPage());
}

void ReplayLogic::Activate() {
    display_.CatchEasyMouse(this);
    display_.PopupPaint(this);
}

void ReplayLogic::Destroyed() {
    if (!open_) return;
    StopPlayback();
    ShowAxes(false);
    display_.SetBackground(previousBackground_);
    display_.ShowError(previousShowError_);
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    display_.ReleaseWatch(this);
    document_.DataServer().ReleaseWatch(this);
    if (panel_) panel_->Close();
    panel_ = nullptr;
    controls_ = nullptr;
    open_ = false;
}

void ReplayLogic::StopPlayback() {
    if (panel_) panel_->Stop();
}

// ---- settings and selection ----

void ReplayLogic::SettingsChanged() {
    ReadControls();
    MarkChanged();
}

void ReplayLogic::SetBackground(ReplayBackground background) {
    fields_.settings.background = background;
    applied_.background = background;
    scene_.settings.background = background;
    display_.SetBackground(OverlayPainter::BackgroundColour(background));
    display_.Refresh();
}

bool ReplayLogic::SelectFrames() {
    ReadControls();
    if (!FrameSelection::Select(fields_.start, fields_.end, fields_.interval,
                                document_.Track().GetFrameCount(), Prompter(), &fields_.frames))
        return false;
    WriteControls();
    HandRange(fields_.frames);
    MarkChanged();
    return true;
}

void ReplayLogic::ToggleAllTargets() {
    ReadControls();
    const int count = std::max(0, document_.Track().GetTargetCount());
    const bool all = static_cast<int>(fields_.targets.size()) == count;
    fields_.targets = all ? std::vector<int>() : AllRows(count);
    WriteControls();
    MarkChanged();
}

bool ReplayLogic::EditLines(const std::function<bool()>& edit) {
    StopPlayback();
    scene_.settings.lines = false;
    painter_.Invalidate();
    display_.Refresh();
    const bool stored = edit();
    BuildScene();
    display_.Refresh();
    return stored;
}

void ReplayLogic::BuildScene() {
    std::vector<int> frames;
    for (int number : range_)
        frames.push_back(number - 1);
    const kova::CFrameStore& store = display_.Store();
    scene_ = ReplayScene::Build(document_.Track(), document_.Info(), applied_, frames, shown_,
                                QSize(store.Width(), store.Height()));
    painter_.Invalidate();
}

void ReplayLogic::HandRange(const std::vector<int>& rows) {
    range_.clear();
    for (int row : rows)
        range_.push_back(row + 1);
    BuildScene();
    if (panel_) panel_->SetRange(range_);
}

void ReplayLogic::ShowAxes(bool on) {
    if (on == axesOn_) return;
    axesOn_ = on;
    if (on)
        display_.AxisOn();
    else
        display_.AxisOff();
}

bool ReplayLogic::Apply(kova::Progress& progress) {
    ReadControls();
    if (!ReplayValidation::Check(fields_, frames_.Need(), Prompter())) return false;
    applied_ = fields_.settings;
    shown_ = fields_.targets;
    HandRange(fields_.frames);
    ShowAxes(applied_.axes);
    display_.SetBackground(OverlayPainter::BackgroundColour(applied_.background));
    if (applied_.image && applied_.workArea == ReplayWorkArea::Memory && !frames_.LoadAll(progress))
        return false;
    changed_ = false;
    Enable();
    FollowPage(display_.GetPage());
    display_.Refresh();
    return true;
}

// ---- the panel ----

bool ReplayLogic::ShowEntry(int index) {
    if (index < 0 || index >= static_cast<int>(range_.size())) return false;
    showing_ = true;
    const bool shown = frames_.Show(range_[static_cast<std::size_t>(index)], applied_.image);
    showing_ = false;
    return shown;
}

void ReplayLogic::PanelChanged(int repaint) {
    MarkChanged();
    if (repaint == 1) display_.Refresh();
}

void ReplayLogic::FollowPage(int page) {
    const int index = FrameSelection::IndexAtOrAfter(range_, page);
    if (index < 0 || !panel_) return;
    panel_->GoTo(index);
}

// ---- saving ----

ReplayLogic::Saved ReplayLogic::SaveEach(kova::Progress& progress,
                                         const std::function<bool(int, const QImage&)>& save,
                                         const std::function<std::string(int)>& nameOf,
                                         const char* interrupted, int* failedAt) {
    StopPlayback();
    if (panel_) panel_->EnableButtons(false);
    const int count = static_cast<int>(range_.size());
    progress.Open(count);
    Saved result = Saved::All;
    for (int i = 0; i < count && result == Saved::All; ++i) {
        if (progress.Poll()) {
            result = Saved::Cancelled;
        } else if (!ShowEntry(i) || !save(i, frames_.Rendered())) {
            result = Saved::Failed;
            *failedAt = i;
        } else {
            progress.Step(i + 1, nameOf(i) + " 保存中。");
        }
    }
    progress.Close();
    if (panel_) panel_->EnableButtons(true);
    if (result == Saved::Cancelled) Prompter().Show(interrupted, "确认");
    return result;
}

int ReplayLogic::SaveSeries(kova::Progress& progress) {
    if (range_.empty()) return 0;
    StopPlayback();
    std::string chosen;
    if (!Prompter().ChooseFile(FrameFiles::Request(display_.Store().Get_directory(1)), &chosen))
        return 0;
    const std::vector<std::string> paths =
        FrameFiles::Series(chosen, static_cast<int>(range_.size()));
    if (!FrameFiles::MayWrite(paths, display_.SeriesNames(), Prompter())) return 0;
    const auto nameOf = [&paths](int i) { return paths[static_cast<std::size_t>(i)]; };
    int failedAt = 0;
    const Saved saved = SaveEach(
        progress,
        [&](int i, const QImage& image) {
            return kova::CBmpFile::Write(nameOf(i), ImageBgr(image));
        },
        nameOf, kInterrupted, &failedAt);
    if (saved == Saved::Failed) {
        Prompter().Show(kSaveFailed + nameOf(failedAt), "错误");
        return -1;
    }
    if (saved == Saved::Cancelled) return 0;
    Prompter().Show(kFinished, "确认");
    return 1;
}

int ReplayLogic::SaveVideo(kova::Progress& progress) {
    if (range_.empty()) return 0;
    StopPlayback();
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.title = kVideoTitle;
    request.filter = VideoExport::Mp4Available() ? "AVI File(*.AVI)|*.AVI|MP4 File(*.MP4)|*.MP4||"
                                                 : "AVI File(*.AVI)|*.AVI||";
    request.defaultName = "TEMP";
    request.defaultExtension = "AVI";
    request.initialDirectory = display_.Store().Get_directory(2);
    request.overwritePrompt = true;
    std::string path;
    if (!Prompter().ChooseFile(request, &path)) return 0;
    return ExportVideo(path, progress);
}

int ReplayLogic::ExportVideo(const std::string& path, kova::Progress& progress) {
    if (range_.empty()) return 0;
    VideoExport::Format format = VideoExport::Format::MjpegAvi;
    const kova::CFrameStore& store = display_.Store();
    VideoExport video;
    if (!VideoExport::FormatOf(path, &format) ||
        !video.Open(path, format, QSize(store.Width(), store.Height()),
                    ReplayScene::FrameRate(document_.Track().GetHeader()))) {
        Prompter().Show(kVideoFailed + path, "错误");
        return -1;
    }
    int failedAt = 0;
    const Saved saved = SaveEach(
        progress, [&video](int, const QImage& image) { return video.Write(image); },
        [&path](int) { return path; }, kVideoInterrupted, &failedAt);
    if (saved == Saved::Cancelled) {
        video.Abandon();
        return 0;
    }
    if (saved == Saved::Failed || !video.Finish()) {
        video.Abandon();
        Prompter().Show(kVideoFailed + path, "错误");
        return -1;
    }
    Prompter().Show(kVideoFinished, "确认");
    return 1;
}

// ---- the measurement and the image window ----

void ReplayLogic::OnDataChanged() {
    if (!open_) return;
    ReadControls();
    ResetLists();
    shown_ = fields_.targets;
    if (fields_.frames.empty() && fields_.targets.empty()) {
        if (panel_) panel_->Close();
        range_.clear();
        BuildScene();
        return;
    }
    HandRange(fields_.frames);
    FollowPage(display_.GetPage());
    display_.Refresh();
}

void ReplayLogic::OnDisplayPaint(QPainter* painter) {
    // The frame size follows the images shown since the scene was built.
    const kova::CFrameStore& store = display_.Store();
    if (scene_.frameSize != QSize(store.Width(), store.Height())) {
        scene_.frameSize = QSize(store.Width(), store.Height());
        painter_.Invalidate();
    }
    if (!applied_.image) {
        OverlayPainter::PaintBackground(*painter, scene_);
        // The background covers the axes the display painted before.
        if (display_.Axes().IsShown()) display_.Axes().Paint(painter);
    }
    painter_.Paint(*painter, scene_, display_.GetPage() - 1);
}

void ReplayLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    const int frame = display_.GetPage() - 1;
    if (frame < 0 || frame >= document_.Track().GetFrameCount()) return;
    const int target = display_.NearestTarget(point.x(), point.y());
    if (target < 0) return;
    ReadControls();
    std::vector<int>& targets = fields_.targets;
    const auto at = std::lower_bound(targets.begin(), targets.end(), target);
    if (at != targets.end() && *at == target)
        targets.erase(at);
    else
        targets.insert(at, target);
    WriteControls();
    MarkChanged();
}

void ReplayLogic::OnDisplayChangeImage(int page, int flag) {
    // Pages the panel asked for, and lock releases, are not followed.
    if (flag != 0 || showing_) return;
    FollowPage(page);
}
