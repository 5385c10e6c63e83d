#pragma once

#include "CDisplayClient.h"
#include "LiveFrame.h"
#include "ManualPointSource.h"
#include "TargetSetting.h"
#include "TrackControls.h"
#include "TrackParams.h"

#include <QImage>
#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCfgFile;
class CImageDisplay;
class MeasureDocument;
class TrackRunJob;
struct ImageSource;
struct SegmentationResult;
namespace kova {
class Prompter;
}

// The logic of the tracking window "追踪", a display client of the image
// window: targets set by clicks (Shift-drag sets the processing window) or by
// automatic point pickup, frame browsing, the result file, and the run of
// the tracking engine with its questions. The run goes through a runner the
// window supplies (a worker thread); without one it runs at once. Window
// marks, the pickup's binary image and the frame being tracked are painted
// through the display server.
class TrackWindowLogic : public CDisplayClient {
public:
    // Runs `work` (maybe on another thread) and then `done` on this one.
    using Runner = std::function<void(std::function<void()> work, std::function<void()> done)>;
    using Reload = std::function<bool(const std::string&)>;

    TrackWindowLogic(CImageDisplay& display, MeasureDocument& document, const ImageSource& source,
                     CCfgFile& config, kova::Prompter& prompter);
    ~TrackWindowLogic() override;

    void SetControls(TrackControls* controls) { controls_ = controls; }
    void SetRunner(Runner runner) { runner_ = std::move(runner); }
    // The document reloads the result; true when it was loaded.
    void SetReload(Reload reload) { reload_ = std::move(reload); }
    // Called on the engine's thread with each frame to show and each click
    // awaited; the window passes them to ShowLive / ClickRequested on its own.
    void SetLiveHandlers(std::function<void(LiveFrame)> live,
                         std::function<void(ManualPointSource::Request)> asked) {
        liveHandler_ = std::move(live);
        askedHandler_ = std::move(asked);
    }

    // Creation: parameters from the configuration; `colourDisplay` when the
    // view displays in colour.
    void InitWindow(bool colourDisplay);
    // The window goes: a run is stopped, marks hidden, the mouse released.
    void Destroyed();
    // 关闭 or the close box: false (ignored) while running; otherwise the
    // marks are hidden and the parameters written to the configuration.
    bool CanClose();

    // Image clicks (image pixels).
    void AddTargetAt(int x, int y);
    void RemoveLastTarget();
    void ClearTargets();
    // Sets the processing window (what a Shift-drag draws).
    void SetProcessingWindow(const QRect& window);
    // 自动取点.
    void Pickup();
    void SetTargetSetting(int setting);
    void SetImageType(int type);
    // After the parameter details dialog accepted `params`.
    void ApplyParams(const TrackParams& params);
    // The parameters as the fields give them now.
    TrackParams CurrentParams();
    // The method code 目标抽出 opens with: 11 for colour images, otherwise
    // the binarisation method.
    int SegmentationMethod() const;
    // 目标抽出 ended with 确定: grey band, percentage or colour bands; an HSI
    // result is not taken (the engine tracks RGB bands) and a message says so.
    void TakeSegmentation(const SegmentationResult& result);

    void FirstImage();
    void LastImage();
    void ShowImage(int image);
    void ChooseResultFile();
    // 运行: true when a run started.
    bool Run();
    // 停止: asks the engine to stop; the controls come back when it ended.
    void Stop();

    // From the engine's thread, passed on by the window.
    void ShowLive(const LiveFrame& frame);
    void ClickRequested(const ManualPointSource::Request& request);

    bool Running() const { return running_; }
    bool TrackingDone() const { return trackingDone_; }
    int TargetCount() const { return static_cast<int>(targets_.size()); }
    const std::vector<TargetSetting>& Targets() const { return targets_; }
    const std::vector<QRect>& Marks() const { return marks_; }
    const QRect& ProcessingWindow() const { return window_; }
    const TrackFields& Fields() const { return fields_; }
    const TrackTexts& Texts() const { return texts_; }
    const std::string& ResultPath() const { return resultPath_; }
    void SetResultPath(const std::string& path);
    int LastRunResult() const { return lastResult_; }
    TrackEnabling Enabling() const;

    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayMouseMove(unsigned flags, QPoint point) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;
    void OnDisplayLButtonUp(unsigned flags, QPoint point) override;
    void OnDisplayRButtonDown(unsigned flags, QPoint point) override;

    static constexpr const char* kName = "追踪";
    static constexpr const char* kUnsavedCorrections = "前面修正内容不保存更新。\n OK !";
    static constexpr const char* kNoTarget = "没有目标。";
    static constexpr const char* kCheck = "请检查追踪窗口和目标。 \n OK !";
    static constexpr const char* kOverwrite = "覆盖追踪结果文件。 \n OK !";
    static constexpr const char* kPickupQuestion = "%d 个点被提取,正确吗?";
    static constexpr const char* kFilter = "2D测量文件(*.TRK)|*.TRK||";
    // The flag of a mouse message with Shift held.
    static constexpr unsigned kShift = 0x0004;
    static constexpr int kDefaultWindow = 31;

private:
    void ReadFields();
    void Update();
    void Refresh();
    bool AskBeforeRun();
    std::unique_ptr<TrackRunJob> MakeJob();
    void PrepareTargets(TrackRunJob& job);
    void ApplyCurrentThresholds(TargetSetting& target) const;
    void FinishRun();
    void HideMarks();

    CImageDisplay& display_;
    MeasureDocument& document_;
    const ImageSource& source_;
    CCfgFile& config_;
    kova::Prompter& prompter_;
    TrackControls* controls_ = nullptr;
    Runner runner_;
    Reload reload_;
    std::function<void(LiveFrame)> liveHandler_;
    std::function<void(ManualPointSource::Request)> askedHandler_;

    TrackParams params_;
    TrackFields fields_;
    TrackTexts texts_;
    std::vector<TargetSetting> targets_;
    std::vector<QRect> marks_;
    bool lastMarkIsTarget_ = false;
    QRect window_;
    bool dragging_ = false;
    QPoint dragStart_;
    std::string resultPath_;
    bool running_ = false;
    bool stopping_ = false;
    bool trackingDone_ = false;
    int lastResult_ = 0;
    std::unique_ptr<TrackRunJob> job_;
    LiveFrame live_;
    QImage overlay_; // the pickup's binary image while its question is open
};
