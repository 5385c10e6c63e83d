#include "StickListLogic.h"

#include "ConnectionLines.h"
#include "MeasureDocument.h"
#include "NumberText.h"
#include "Prompter.h"
#include "StickFigure.h"
#include "StickFigurePainter.h"

#include <cmath>

namespace {

bool Refuse(kova::Prompter& prompter, const char* text) {
    prompter.Show(text, "确认", kova::MessageIcon::Exclamation);
    return false;
}

} // namespace

StickListLogic::StickListLogic(MeasureDocument& document) : document_(document) {
    SetName("连接线一览表");
}

StickListLogic::~StickListLogic() {
    Destroyed();
}

kova::Prompter& StickListLogic::Prompter() {
    return document_.Prompter();
}

void StickListLogic::ReadControls() {
    if (controls_) controls_->ReadListFields(&fields_);
}

void StickListLogic::WriteControls() {
    if (controls_) controls_->WriteListFields(fields_);
}

void StickListLogic::InitWindow() {
    if (!IsWatchLinked()) document_.DataServer().CatchWatch(this);
    fields_ = StickListFields();
    Refill();
}

void StickListLogic::Destroyed() {
    if (IsWatchLinked()) document_.DataServer().ReleaseWatch(this);
    controls_ = nullptr;
}

void StickListLogic::OnDataChanged() {
    ReadControls();
    Refill();
}

void StickListLogic::Refill() {
    const int frames = document_.Track().GetFrameCount();
    std::vector<std::string> entries;
    fields_.selectedFrames.clear();
    for (int f = 0; f < frames; ++f) {
        entries.push_back("帧" + kova::FormatInt(f + 1));
        fields_.selectedFrames.push_back(f);
    }
    fields_.start = 1;
    fields_.end = frames;
    if (controls_) controls_->SetFrameEntries(entries);
    WriteControls();
    const bool enough = document_.Track().GetTargetCount() >= 2;
    if (controls_) controls_->EnableFigures(enough);
    if (!enough) Prompter().Show("目标应至少有两个!", "确认", kova::MessageIcon::Exclamation);
}

bool StickListLogic::SelectFrames() {
    ReadControls();
    if (fields_.interval < 1) return Refuse(Prompter(), "移动幅度异常。");
    const int frames = document_.Track().GetFrameCount();
    if (fields_.start < 1 || fields_.start > fields_.end || fields_.end > frames)
        return Refuse(Prompter(), "帧异常");
    fields_.selectedFrames.clear();
    for (int f = fields_.start; f <= fields_.end; f += fields_.interval) {
        fields_.selectedFrames.push_back(f - 1);
        if (fields_.end - f < fields_.interval) break; // no overflow past the end
    }
    WriteControls();
    return true;
}

bool StickListLogic::View() {
    ReadControls();
    if (!(fields_.magnification > 0) || !std::isfinite(fields_.magnification))
        return Refuse(Prompter(), "倍率异常。");
    if (fields_.selectedFrames.empty()) return Refuse(Prompter(), "没有帧。");
    const int targets = document_.Track().GetTargetCount();
    const StickFigure figure =
        StickFigure::Build(document_.Track(), ConnectionLines::Read(document_.Info(), targets),
                           fields_.selectedFrames, fields_.xStep, fields_.yStep);
    const double allowed = figure.AllowedMagnification(fields_.magnification);
    if (allowed != fields_.magnification) {
        fields_.magnification = allowed;
        WriteControls();
        Prompter().Show("请改变比例在 " + kova::FormatFixed(allowed, 2) + ". 以下", "错误",
                        kova::MessageIcon::Exclamation);
    }
    StickDrawing drawing;
    drawing.magnification = fields_.magnification;
    drawing.whiteBackground = fields_.whiteBackground;
    if (controls_) controls_->ShowFigures(figure, drawing);
    return true;
}
