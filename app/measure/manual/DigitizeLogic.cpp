#include "DigitizeLogic.h"

#include "CCfgFile.h"
#include "CFileUtil.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackInfo2D.h"
#include "ConfigCalibration.h"
#include "MeasureDocument.h"
#include "MeasurePaths.h"
#include "Prompter.h"

#include <QPainter>
#include <QPen>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

std::string Format(const char* pattern, int a, int b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// The number at the start of a field as typed; 0 when there is none, a
// huge value when it does not fit.
long long LeadingNumber(const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str()) return 0;
    if (errno == ERANGE) return value < 0 ? LLONG_MIN : LLONG_MAX;
    return value;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

std::string DefaultResultPath() {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return (here / "TEMP.TRK").string();
}

// A point as the marker marks it: a cross of 8 pixels.
void DrawCross(QPainter* painter, const QColor& color, QPoint at) {
    painter->setPen(QPen(color, 0));
    painter->drawLine(at.x() - 3, at.y(), at.x() + 4, at.y());
    painter->drawLine(at.x(), at.y() - 3, at.x(), at.y() + 4);
}

} // namespace

DigitizeLogic::DigitizeLogic(CImageDisplay& display, MeasureDocument& document,
                             const ImageSource& source, CCfgFile& config, kova::Prompter& prompter)
    : display_(display), document_(document), source_(source), config_(config), prompter_(prompter),
      resultPath_(DefaultResultPath()) {
    SetName(kName);
}

DigitizeLogic::~DigitizeLogic() {
    display_.ReleaseEasyMouse(this);
}

void DigitizeLogic::InitWindow() {
    display_.CatchPaint(this);
    display_.CatchEasyMouse(this);
    texts_.frame = display_.GetPage();
    UpdateTexts();
    if (controls_) controls_->EnableControls(State());
}

void DigitizeLogic::TakeMouse() {
    if (display_.EasyMouseClient() != this) display_.CatchEasyMouse(this);
}

void DigitizeLogic::Destroyed() {
    controls_ = nullptr;
    Stop(); // keeps what was input
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    Refresh();
}

bool DigitizeLogic::CanClose() {
    Stop(); // closing during input keeps what was input
    if (!table_) return true;
    if (prompter_.Show(kKeepUnsaved, "KOVA", MessageIcon::Question, MessageButtons::OkCancel) !=
        MessageAnswer::Ok)
        return false;
    table_.reset();
    return true;
}

DigitizeState DigitizeLogic::State() const {
    if (input_) return DigitizeState::Input;
    return table_ ? DigitizeState::Unsaved : DigitizeState::Idle;
}

// ---- browsing ----

void DigitizeLogic::FirstImage() {
    ShowImage(1);
}

void DigitizeLogic::LastImage() {
    ShowImage(display_.PageCount());
}

void DigitizeLogic::ShowImage(int image) {
    if (input_ || image < 1 || image > display_.PageCount()) return;
    ShowPage(image);
    UpdateTexts();
}

void DigitizeLogic::ShowPage(int page) {
    display_.ShowPage(page); // an unreadable frame is reported by the reader
    texts_.frame = page;
}

void DigitizeLogic::ChooseResultFile() {
    if (input_) return;
    CFileUtil dialog;
    dialog.SetFilter(kFilter);
    dialog.SetDefaultExt("TRK");
    std::string directory;
    std::string name;
    CPtFile::SplitPath(resultPath_, &directory, &name);
    dialog.SetInitialDir(directory);
    dialog.SetDefaultName(name);
    std::string chosen;
    if (!dialog.ChooseSavePath(prompter_, &chosen)) return;
    resultPath_ = chosen;
    // A table whose save failed goes to the new file at once.
    if (table_) EndInput(!Save());
    UpdateTexts();
}

// ---- input ----

bool DigitizeLogic::ReadTargetCount(int* targets) {
    DigitizeFields fields;
    if (controls_) controls_->ReadFields(&fields);
    const long long count = LeadingNumber(fields.targetCount);
    if (count < 1) {
        Say(kSetTargets, MessageIcon::Exclamation);
        return false;
    }
    if (count > kMaxTargets) {
        Say(kTooManyTargets, MessageIcon::Exclamation);
        return false;
    }
    *targets = static_cast<int>(count);
    return true;
}

bool DigitizeLogic::AskBeforeInput() {
    if (document_.IsModified() && prompter_.Show(kUnsavedCorrections, "KOVA", MessageIcon::Question,
                                                 MessageButtons::OkCancel) != MessageAnswer::Ok)
        return false;
    return !Exists(resultPath_) || prompter_.Show(kOverwrite, "KOVA", MessageIcon::Question,
                                                  MessageButtons::OkCancel) == MessageAnswer::Ok;
}

MeasureHeader DigitizeLogic::MakeHeader(int targets, int frames) const {
    MeasureHeader h = HeaderWithConfigCalibration(config_);
    h.frames = static_cast<std::int16_t>(frames);
    h.targets = static_cast<std::int16_t>(targets);
    h.widthEdge = static_cast<float>(display_.Store().Width() - 1);
    const bool colour =
        source_.IsAvi() ? display_.AviColor() : CImageDisplay::IsColorKind(display_.SeriesKind());
    h.imageType = colour ? 2 : 0;
    h.firstNumber =
        static_cast<std::int16_t>(source_.IsAvi() ? source_.aviFirst : source_.firstNumber);
    h.lastNumber =
        static_cast<std::int16_t>(source_.IsAvi() ? source_.aviLast : source_.lastNumber);
    return h;
}

bool DigitizeLogic::Execute() {
    if (input_ || table_) return false;
    DigitizeFields fields;
    if (controls_) controls_->ReadFields(&fields);
    int targets = 0;
    if (!ReadTargetCount(&targets)) return false;
    const int frames = display_.HasImages() ? display_.PageCount() : 0;
    if (frames < 1) {
        Say(kNoImages, MessageIcon::Exclamation);
        return false;
    }
    if (frames > MeasureHeader::kMaxCount) {
        Say(kTooManyFrames, MessageIcon::Exclamation);
        return false;
    }
    if (!AskBeforeInput()) return false;
    auto table = std::make_unique<CTrackFile2D>();
    if (!table->Create(targets, frames)) return false;
    table->SetHeader(MakeHeader(targets, frames));
    table_ = std::move(table);
    tableSource_ = source_;
    cursor_.Start(table_.get(), fields.order == 1 ? DigitizeOrder::Targets : DigitizeOrder::Frames);
    input_ = true;
    ShowPage(1);
    if (controls_) controls_->EnableControls(DigitizeState::Input);
    UpdateTexts();
    Refresh();
    return true;
}

void DigitizeLogic::Navigate(Move move) {
    if (!input_) return;
    AfterStep((cursor_.*move)());
}

void DigitizeLogic::PreviousFrame() {
    Navigate(&DigitizeCursor::PreviousFrame);
}

void DigitizeLogic::NextFrame() {
    Navigate(&DigitizeCursor::NextFrame);
}

void DigitizeLogic::PreviousTarget() {
    Navigate(&DigitizeCursor::PreviousTarget);
}

void DigitizeLogic::NextTarget() {
    Navigate(&DigitizeCursor::NextTarget);
}

void DigitizeLogic::AfterStep(const DigitizeCursor::Step& step) {
    if (!step.notice.empty()) Say(step.notice, MessageIcon::Information);
    if (step.finished) {
        Finish();
        return;
    }
    if (step.frameChanged) ShowPage(cursor_.Frame() + 1);
    UpdateTexts();
    Refresh();
}

void DigitizeLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    if (!input_) return;
    const kova::CFrameStore& store = display_.Store();
    // A click beside the image is no point of it.
    if (point.x() < 0 || point.y() < 0 || point.x() >= store.Width() || point.y() >= store.Height())
        return;
    AfterStep(cursor_.Click(static_cast<float>(point.x()), static_cast<float>(point.y())));
}

void DigitizeLogic::OnDisplayRButtonDown(unsigned /*flags*/, QPoint /*point*/) {
    Navigate(cursor_.Order() == DigitizeOrder::Frames ? &DigitizeCursor::PreviousTarget
                                                      : &DigitizeCursor::PreviousFrame);
}

// ---- the end of input ----

void DigitizeLogic::Finish() {
    input_ = false;
    const bool saved = Save();
    Say(kFinished, MessageIcon::Information);
    EndInput(!saved);
}

void DigitizeLogic::Stop() {
    if (!input_) return;
    input_ = false;
    // Only complete frames (or targets) stay: everything up to the furthest
    // one reached, also after stepping back.
    const int kept = cursor_.CompleteUnits();
    const bool byFrames = cursor_.Order() == DigitizeOrder::Frames;
    const int targets = byFrames ? table_->GetTargetCount() : kept;
    const int frames = byFrames ? kept : table_->GetFrameCount();
    bool saved = true;
    if (kept > 0) {
        auto trimmed = std::make_unique<CTrackFile2D>();
        if (trimmed->Create(targets, frames)) {
            trimmed->SetHeader(table_->GetHeader());
            for (int t = 0; t < targets; ++t)
                for (int f = 0; f < frames; ++f) {
                    XY_TRACK point{};
                    table_->GetPoint(t, f, &point);
                    trimmed->SetPoint(t, f, &point);
                }
            table_ = std::move(trimmed);
            saved = Save();
        }
    }
    Say(kStopped, MessageIcon::Information);
    EndInput(!saved);
}

bool DigitizeLogic::Save() {
    if (!table_->Save(resultPath_)) {
        CPtFile::SaveError(prompter_);
        return false;
    }
    CTrackInfo2D info(&prompter_);
    info.SetAutoSave(0);
    tableSource_.Store(info);
    info.Save(MeasurePaths::InfoNameFor(resultPath_)); // a failure is reported
    if (reload_) reload_(resultPath_);
    texts_.frame = 1;
    return true;
}

void DigitizeLogic::EndInput(bool keepTable) {
    input_ = false;
    if (!keepTable) table_.reset();
    if (controls_) controls_->EnableControls(State());
    UpdateTexts();
    Refresh();
}

// ---- what is shown ----

int DigitizeLogic::MarkerKind() const {
    const int f = cursor_.Frame();
    if (!input_ || f <= 0) return 0;
    const int t = cursor_.Target();
    if (cursor_.WasClicked(t, f - 1)) return 1;
    for (int earlier = f - 2; earlier >= 0; --earlier)
        if (cursor_.WasClicked(t, earlier)) return 2;
    return 0;
}

QPoint DigitizeLogic::MarkerPoint() const {
    const int t = cursor_.Target();
    for (int f = cursor_.Frame() - 1; f >= 0; --f)
        if (cursor_.WasClicked(t, f)) {
            XY_TRACK point{};
            table_->GetPoint(t, f, &point);
            return QPoint(static_cast<int>(point.x), static_cast<int>(point.y));
        }
    return QPoint();
}

void DigitizeLogic::OnDisplayPaint(QPainter* painter) {
    const int kind = MarkerKind();
    if (kind == 0 || !painter) return;
    const QPoint at = MarkerPoint();
    painter->save();
    DrawCross(painter, Qt::black, at + QPoint(1, 1));
    DrawCross(painter, kind == 1 ? Qt::yellow : Qt::red, at);
    painter->restore();
}

void DigitizeLogic::UpdateTexts() {
    if (source_.IsAvi()) {
        texts_.imagePath = source_.AviPath();
        texts_.firstFile = Format("第 %d 祯", source_.aviFirst);
        texts_.lastFile = Format("第 %d 祯", source_.aviLast);
    } else {
        texts_.imagePath = source_.directory;
        texts_.firstFile = source_.firstFile;
        texts_.lastFile = source_.lastFile;
    }
    texts_.resultPath = resultPath_;
    texts_.frameCount = std::max(1, display_.PageCount());
    texts_.status.clear();
    if (input_) {
        const int t = cursor_.Target() + 1;
        const int f = cursor_.Frame() + 1;
        texts_.status = cursor_.Order() == DigitizeOrder::Frames
                            ? Format("输入坐标 帧 %d : ID %d", f, t)
                            : Format("输入坐标  ID %d : 帧 %d", t, f);
        texts_.frame = f;
    } else if (table_) {
        texts_.status = kUnsavedStatus;
    }
    if (controls_) controls_->WriteTexts(texts_);
}

void DigitizeLogic::Refresh() {
    display_.Refresh();
}

void DigitizeLogic::Say(const std::string& text, MessageIcon icon) {
    prompter_.Show(text, "KOVA", icon, MessageButtons::Ok);
}
