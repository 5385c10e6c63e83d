#pragma once

#include "CDataClient.h"
#include "CDisplayClient.h"
#include "OverlayPainter.h"
#include "ReplayFrames.h"
#include "ReplayScene.h"
#include "ReplaySettings.h"

#include <QColor>
#include <functional>
#include <string>
#include <vector>

class CImageDisplay;
class DrawingTools;
class MeasureDocument;
class QImage;
class ReplayControls;
class ReplayPanel;
struct ImageSource;
namespace kova {
class Progress;
class Prompter;
} // namespace kova

// The logic of the window "结果视频显示": replays the selected frames of the
// measurement on the image window with the overlays of the applied
// settings, driven by the video control panel, and saves them as a BMP
// series or a video. It watches the measurement (a change refills the lists
// and applies the settings again) and the image window (a page changed
// elsewhere moves the panel; a click toggles the nearest target). It lives
// as long as the view, so its settings stay between openings. Headless: the
// window and the panel are interfaces.
class ReplayLogic : public CDataClient, public CDisplayClient {
public:
    ReplayLogic(MeasureDocument& document, CImageDisplay& display, const ImageSource& source,
                const DrawingTools& tools);
    ~ReplayLogic() override;

    // The window and the panel while they exist (null otherwise).
    void SetControls(ReplayControls* controls) { controls_ = controls; }
    void SetPanel(ReplayPanel* panel) { panel_ = panel; }

    ReplayFields& Fields() { return fields_; }
    const ReplayFields& Fields() const { return fields_; }
    // What is painted: the applied settings and frames.
    const ReplayScene& Scene() const { return scene_; }
    // The frames the panel steps through (numbers from 1).
    const std::vector<int>& Range() const { return range_; }
    // A setting or the selection changed since the last "执行设定".
    bool Changed() const { return changed_; }

    // The window is set up: watches the measurement and the image window,
    // paints, lists every frame and target (all selected), hands the
    // frames to the panel at the measurement's frame rate.
    void InitWindow();
    // The window became active: it takes the image mouse and paints on top.
    void Activate();
    // The window goes: playback stops, the view's background, error display
    // and axes are restored, paint, mouse and watches are released and the
    // panel is closed.
    void Destroyed();

    // A setting or selection control changed (read from the controls).
    void SettingsChanged();
    // The background drop-down: the view's background, repainted at once.
    void SetBackground(ReplayBackground background);
    // "帧选择": selects the frames and hands them to the panel.
    bool SelectFrames();
    // The button without caption: every target, or none when all are chosen.
    void ToggleAllTargets();
    // "设定连线": stops playback and hides the lines while `edit` runs the
    // dialog; when it says the lines were stored, they are read again.
    bool EditLines(const std::function<bool()>& edit);
    // "执行设定": validates, hands the frames to the panel, reads the lines
    // again and, for "内存" with the image on, every image into the store.
    bool Apply(kova::Progress& progress);
    // "画面保存": the frames with their overlays at 100 % as a BMP series
    // named from the file the user chooses. 1 all saved; 0 no frames,
    // cancelled, refused or stopped by the user (the files written stay);
    // -1 stopped at a frame that could not be shown or written.
    int SaveSeries(kova::Progress& progress);
    // "视频保存": the frames as a video file the user chooses (AVI, or MP4
    // where it can be written). 1, 0, -1 as SaveSeries; a stopped or failed
    // video leaves no file.
    int SaveVideo(kova::Progress& progress);
    // The video of the frames written to `path` (its suffix gives the
    // format): 1 written, 0 cancelled, -1 failed (reported).
    int ExportVideo(const std::string& path, kova::Progress& progress);
    // Stops a running playback (before other commands act).
    void StopPlayback();

    // The panel wants entry `index` of the range shown: false when the
    // view could not show it (the frame shown before stays).
    bool ShowEntry(int index);
    // A change in the panel: the settings count as changed; repaints for 1.
    void PanelChanged(int repaint);

    void OnDataChanged() override;
    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;
    void OnDisplayChangeImage(int page, int flag) override;

    static constexpr const char* kTitle = "结果视频显示";
    static constexpr const char* kInterrupted = "图象保存被中断。";
    static constexpr const char* kFinished = "图象保存结束。";
    // Followed by the name of the file that could not be saved.
    static constexpr const char* kSaveFailed = "文件保存失败。\n";
    static constexpr const char* kVideoTitle = "视频保存";
    static constexpr const char* kVideoInterrupted = "视频保存被中断。";
    static constexpr const char* kVideoFinished = "视频保存结束。";
    // Followed by the name of the video.
    static constexpr const char* kVideoFailed = "视频保存失败。\n";

private:
    enum class Saved { All, Cancelled, Failed };

    kova::Prompter& Prompter();
    void ReadControls();
    void WriteControls();
    void Enable();
    void MarkChanged();
    // Every frame and target listed and selected, start 1, end the count.
    void ResetLists();
    // The scene of the applied settings and range, drawn anew.
    void BuildScene();
    // Hands the selected rows to the panel as the range.
    void HandRange(const std::vector<int>& rows);
    void ShowAxes(bool on);
    // The panel at the first entry at or after the page on show.
    void FollowPage(int page);
    // Shows each entry and hands its frame with overlays to `save`, with the
    // progress naming the file `nameOf` gives; stops at the first cancel
    // (saying `interrupted`) or failure (its entry in `failedAt`).
    Saved SaveEach(kova::Progress& progress, const std::function<bool(int, const QImage&)>& save,
                   const std::function<std::string(int)>& nameOf, const char* interrupted,
                   int* failedAt);

    MeasureDocument& document_;
    CImageDisplay& display_;
    const ImageSource& source_;
    ReplayFrames frames_;
    OverlayPainter painter_;
    ReplayControls* controls_ = nullptr;
    ReplayPanel* panel_ = nullptr;
    ReplayFields fields_;
    ReplaySettings applied_;
    ReplayScene scene_;
    std::vector<int> range_;
    std::vector<int> shown_; // the applied target selection
    bool changed_ = false;
    bool open_ = false;
    bool showing_ = false; // a page change of our own, not to be followed
    bool axesOn_ = false;
    int previousShowError_ = 1;
    QColor previousBackground_;
};
