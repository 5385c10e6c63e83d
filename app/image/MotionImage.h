#pragma once

#include "ImageSource.h"

#include <QPoint>
#include <functional>
#include <string>
#include <vector>

class CCfgFile;
class CImageDisplay;
class CPointDataFile;
namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova

// The motion image commands of the view: choosing the sequence, showing its
// first image after a measurement was opened, keeping the source in the
// .TRI keys, the zoom, and saving the displayed image.
class MotionImage {
public:
    MotionImage(CImageDisplay& display, kova::CFrameStore& store, kova::Prompter& prompter);

    ImageSource& Source() { return source_; }
    const ImageSource& Source() const { return source_; }
    // Set once a sequence was chosen.
    bool Chosen() const { return chosen_; }

    // Called after a successful choice (the view closes the measurement
    // windows, repaints and marks the measurement changed).
    void SetChosenHandler(std::function<void()> handler) { onChosen_ = std::move(handler); }
    // Called when the view should repaint before a command.
    void SetRepaintHandler(std::function<void()> handler) { repaint_ = std::move(handler); }

    // "运动图像": 1 chosen, 0 cancelled or refused (the source stays). On
    // success the sequence is the display's page list.
    int ChooseSequence();
    // The first image of the source into frame 1 and the sequence as the
    // display's page list; 1 when it was shown. Images missing from the
    // source directory are looked for beside the measurement's .TRK; when
    // they are not there either, the path is reported and an empty frame of
    // the measurement's size is shown. The source itself stays as it is.
    int ShowFirstImage(const CPointDataFile* measurement = nullptr);
    // "保存表示图象": 1 saved, 0 cancelled, -1 failed (reported).
    int SaveDisplayedImage();

    void StoreSource(CCfgFile& info) const { source_.Store(info); }
    void RestoreSource(CCfgFile& info) { described_ = source_.Restore(info) || described_; }

    // Zoom in percent: 50, 100, 200, 300, 400 or 500; others are refused.
    int Zoom() const { return zoom_; }
    bool SetZoom(int zoom);
    // The status bar text of a zoom for a frame size.
    static std::string ZoomText(int zoom, int width, int height);
    // A window point, with the scroll position, as an image pixel.
    static QPoint ToImage(QPoint window, QPoint scroll, int zoom);

    static constexpr const char* kWrongSelection = "文件选择错误.";
    // Followed by the path of the image file that is not there.
    static constexpr const char* kMissingImage = "找不到图像文件：";
    // The BMP and AVI entries, then every video file the decoder reads.
    static constexpr const char* kSequenceFilter =
        "BMP Image(*.BMP)| *.BMP|AVI File(*.AVI)| *.AVI|"
        "Video File(*.MP4;*.MOV;*.MKV;*.AVI)| *.MP4;*.MOV;*.MKV;*.AVI||";

private:
    int ChooseSeries(const std::string& directory, const std::string& firstName,
                     const std::string& lastName);
    int ChooseAvi(const std::string& directory, const std::string& name);
    bool ShownInColor() const;
    // The sequence as the display's pages, showing page `page`.
    void SetPages(const std::vector<std::string>& paths, int page);
    void SetAviPages(const std::string& path, int first, int count);
    void ShowEmptyFrame(const CPointDataFile* measurement);
    void SayMissing(const std::string& path);

    CImageDisplay& display_;
    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    ImageSource source_;
    bool chosen_ = false;
    bool described_ = false; // chosen, or read from a .TRI
    int zoom_ = 100;
    std::function<void()> onChosen_;
    std::function<void()> repaint_;
};
