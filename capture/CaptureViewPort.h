#pragma once

namespace cv {
class Mat;
}

// What capvo's dialogs may ask of the document window: the title that says
// what the window is doing, a live frame (preview or play) that is not in
// the frame store, and a return to the store's displayed frame. The frame
// store's own display callback repaints the window when the store changes.
class CaptureViewPort {
public:
    // "图像窗口", "预览窗口", "播放窗口".
    enum class Title { Image, Preview, Play };

    CaptureViewPort() = default;
    CaptureViewPort(const CaptureViewPort&) = delete;
    CaptureViewPort& operator=(const CaptureViewPort&) = delete;
    virtual ~CaptureViewPort() = default;

    virtual void SetTitle(Title title) = 0;
    // Shows an 8-bit BGR (or grey) frame until the next one or ShowStore.
    virtual void ShowLive(const cv::Mat& frame) = 0;
    virtual void ShowStore() = 0;
};
