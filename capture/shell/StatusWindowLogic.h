#pragma once

#include "StatusFields.h"

#include <QImage>
#include <string>

namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova

// The logic of the status window "状态窗" over the frame store.
//
// The source of the display is the store's displayed colour frame when the
// store shows colour, else its displayed grey frame; the frame numbers of
// the window count frames of that kind. The display mode converts the
// source for the view. With "原帧保留" the store's frames stay as they are
// and only the view shows the conversion; with "原帧不保留" the conversion
// is written into the source frame whenever a frame is shown (a grey frame
// takes the grey of every mode but the pseudo colours, which it cannot
// hold), so saving the frame afterwards saves what is seen.
//
// "连续显示" steps from the start to the end frame, one frame per timer
// tick of the window, and stops after the end frame or starts again with
// "循环". The processing region is the whole frame, or with "固定" the
// rectangle between the start and end point; "生成" makes it the store's
// processing window, and "显示" marks it on the display.
class StatusWindowLogic {
public:
    static constexpr int kTickMilliseconds = 100;

    StatusWindowLogic(kova::CFrameStore& store, kova::Prompter& prompter);

    const StatusFields& Fields() const { return fields_; }
    // Frames of the source kind (numbered 1 .. count).
    int FrameCount() const;
    bool ColorSource() const;
    // The store's displayed frame of the source kind (other windows may
    // show frames too).
    int DisplayedFrame() const;

    void SetMode(DisplayMode mode);
    // Another window switched the store between grey and colour frames (a
    // capture fills colour frames): the mode follows; true when it changed.
    bool FollowStore();
    static bool UsesColorFrames(DisplayMode mode);
    void SetKeepSource(bool keep);
    // Shows a frame of the source kind; false (with a message) outside.
    bool ShowFrame(int frame);

    void SetRange(int start, int end);
    void SetLoop(bool loop) { fields_.loop = loop; }
    // "连续显示" starts (after checking the range), "停止" stops.
    bool StartStop();
    bool Running() const { return running_; }
    // The continuous display's button text: "连续显示" or "停止".
    std::string ContinuousText() const;
    // One step of the running display; false once it has stopped.
    bool Tick();
    void Stop() { running_ = false; }

    void SetRegionShown(bool shown);
    void SetRegionFixed(bool fixed) { fields_.fixedRegion = fixed; }
    void SetRegionPoints(int x0, int y0, int x1, int y1);
    // "生成": the region becomes the processing window (clamped into the
    // frame; the fields take the clamped corners).
    void MakeRegion();

    // What the view shows.
    QImage Render() const;
    // Raised whenever the display may look different without the store
    // changing (mode, marks).
    unsigned long Revision() const { return revision_; }

    static const char* ModeText(DisplayMode mode);

private:
    void ShowCurrent();
    void WriteBack();
    void MarkRegion();
    bool RangeValid() const;

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    StatusFields fields_;
    bool running_ = false;
    unsigned long revision_ = 0;
};
