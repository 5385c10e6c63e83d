#include "StatusWindowLogic.h"

#include "CFrameStore.h"
#include "DisplayRender.h"
#include "Prompter.h"

namespace {

const char* const kCaption = "Capvo";
const char* const kBadFrame = "帧号无效.";
const char* const kBadRange = "起始帧号无效, 或超出终止帧号.";

} // namespace

StatusWindowLogic::StatusWindowLogic(kova::CFrameStore& store, kova::Prompter& prompter)
    : store_(store), prompter_(prompter) {
    const kova::FrameWindow& window = store_.Window();
    fields_.x0 = window.x0;
    fields_.y0 = window.y0;
    fields_.x1 = window.x1;
    fields_.y1 = window.y1;
    fields_.frame = DisplayedFrame();
}

bool StatusWindowLogic::ColorSource() const {
    return store_.Get_dispmode() == kova::CFrameStore::kColorDispMode;
}

int StatusWindowLogic::DisplayedFrame() const {
    return ColorSource() ? store_.Get_dispframe_color() : store_.Get_dispframe();
}

int StatusWindowLogic::FrameCount() const {
    return ColorSource() ? store_.Get_nofframe_color() : store_.Get_nofframe();
}

const char* StatusWindowLogic::ModeText(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::Grey:
        return "灰度";
    case DisplayMode::FullColor:
        return "全彩色";
    case DisplayMode::Pseudo:
        return "伪彩色";
    case DisplayMode::Red:
        return "R分量";
    case DisplayMode::Green:
        return "G分量";
    case DisplayMode::Blue:
        return "B分量";
    }
    return "";
}

// 全彩色 and the components show the store's colour frames, 灰度 and 伪彩色
// its grey frames: the mode chooses which frames the store shows (and which
// frames the file dialogs load and save).
bool StatusWindowLogic::UsesColorFrames(DisplayMode mode) {
    return mode != DisplayMode::Grey && mode != DisplayMode::Pseudo;
}

void StatusWindowLogic::SetMode(DisplayMode mode) {
    fields_.mode = mode;
    ++revision_;
    const int storeMode = UsesColorFrames(mode) ? kova::CFrameStore::kColorDispMode : 0;
    if (store_.Get_dispmode() != storeMode) {
        store_.Put_dispmode(storeMode);
        fields_.frame = DisplayedFrame();
    }
    if (!fields_.keepSource) WriteBack();
}

bool StatusWindowLogic::FollowStore() {
    fields_.frame = DisplayedFrame();
    if (ColorSource() == UsesColorFrames(fields_.mode)) return false;
    fields_.mode = ColorSource() ? DisplayMode::FullColor : DisplayMode::Grey;
    ++revision_;
    return true;
}

void StatusWindowLogic::SetKeepSource(bool keep) {
    fields_.keepSource = keep;
    if (!keep) WriteBack();
}

bool StatusWindowLogic::ShowFrame(int frame) {
    if (frame < 1 || frame > FrameCount()) {
        prompter_.Show(kBadFrame, kCaption, kova::MessageIcon::None);
        return false;
    }
    fields_.frame = frame;
    ShowCurrent();
    return true;
}

void StatusWindowLogic::ShowCurrent() {
    if (ColorSource())
        store_.Disp_frame_color(fields_.frame);
    else
        store_.Disp_frame(fields_.frame);
    if (!fields_.keepSource) WriteBack();
}

void StatusWindowLogic::WriteBack() {
    // Only the grey of a mode fits a grey frame; the pseudo colours do not.
    if (fields_.mode == DisplayMode::FullColor) return;
    const bool color = ColorSource();
    if (!color && fields_.mode == DisplayMode::Pseudo) return;
    const cv::Mat converted = DisplayRender::Convert(DisplayRender::Source(store_), fields_.mode);
    // The store writes inside its processing window only, as every write.
    if (color)
        store_.Put_image_color(store_.Get_dispframe_color(), converted, 0, 0);
    else
        store_.Put_image(store_.Get_dispframe(), converted, 0, 0);
}

void StatusWindowLogic::SetRange(int start, int end) {
    fields_.start = start;
    fields_.end = end;
}

bool StatusWindowLogic::RangeValid() const {
    return fields_.start >= 1 && fields_.start <= fields_.end && fields_.end <= FrameCount();
}

bool StatusWindowLogic::StartStop() {
    if (running_) {
        running_ = false;
        return false;
    }
    if (!RangeValid()) {
        prompter_.Show(kBadRange, kCaption, kova::MessageIcon::None);
        return false;
    }
    fields_.frame = fields_.start;
    ShowCurrent();
    running_ = true;
    return true;
}

std::string StatusWindowLogic::ContinuousText() const {
    return running_ ? "停止" : "连续显示";
}

bool StatusWindowLogic::Tick() {
    if (!running_) return false;
    // The frame count may have shrunk under the running display.
    if (!RangeValid()) {
        running_ = false;
        return false;
    }
    int next = DisplayedFrame() + 1;
    if (next < fields_.start || next > fields_.end) {
        if (!fields_.loop) {
            running_ = false;
            return false;
        }
        next = fields_.start;
    }
    fields_.frame = next;
    ShowCurrent();
    return true;
}

void StatusWindowLogic::SetRegionShown(bool shown) {
    fields_.showRegion = shown;
    ++revision_;
    if (shown)
        MarkRegion();
    else
        store_.Decrease_window_all();
}

void StatusWindowLogic::SetRegionPoints(int x0, int y0, int x1, int y1) {
    fields_.x0 = x0;
    fields_.y0 = y0;
    fields_.x1 = x1;
    fields_.y1 = y1;
}

void StatusWindowLogic::MakeRegion() {
    if (fields_.fixedRegion)
        store_.Put_window(fields_.x0, fields_.y0, fields_.x1, fields_.y1);
    else
        store_.Put_window_full();
    const kova::FrameWindow& window = store_.Window();
    SetRegionPoints(window.x0, window.y0, window.x1, window.y1);
    ++revision_;
    if (fields_.showRegion) MarkRegion();
}

void StatusWindowLogic::MarkRegion() {
    store_.Decrease_window_all();
    store_.Increase_window();
}

QImage StatusWindowLogic::Render() const {
    return DisplayRender::Render(store_, fields_.mode, true);
}
