#pragma once

#include "CommandResult.h"
#include "ToolWindow.h"

#include <functional>
#include <string>

class CCfgFile;
class CImageDisplay;
class MeasureDocument;
class MotionImage;
namespace kova {
class Prompter;
}

// The logic of the view's commands: the measurement window check and the
// preconditions of each command with their messages, the result open, save
// and reload with the calibration they carry, the result menu state, and
// starting the capture program. Headless: the view supplies the state of
// its tool windows and the repaint.
class ViewCommands {
public:
    ViewCommands(MeasureDocument& document, CCfgFile& systemConfig, MotionImage& motion,
                 CImageDisplay& display, kova::Prompter& prompter);

    void SetToolWindows(ToolWindowState* windows) { windows_ = windows; }
    void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
    // Stops a running result-video replay (before most commands).
    void SetStopVideo(std::function<void()> stop) { stopVideo_ = std::move(stop); }
    // Called whenever the result menus change state.
    void SetResultMenusHandler(std::function<void(bool)> handler) {
        resultMenus_ = std::move(handler);
    }

    bool StartScreen() const { return startScreen_; }
    bool ResultMenusEnabled() const { return resultMenusEnabled_; }
    bool MeasureOverlay() const { return measureOverlay_; }
    bool AutoMode() const { return autoMode_; }
    void SetMeasureOverlay(bool on) { measureOverlay_ = on; }

    // Clears the start screen and repaints; refuses while the tracking or the
    // manual measurement window is open.
    bool MeasureWindowCheck();
    // The preconditions of the commands that open these windows.
    bool CanCalibrate();
    bool CanAutoMeasure();
    bool CanManualMeasure();
    bool CanResultVideo();
    bool CanManualCorrect();
    bool CanSetEvents();

    // "运动图像": Done when a sequence was chosen.
    CommandResult ChooseSequence();
    // "打开2D结果文件": 1 opened, 0 cancelled or refused, -1 failed.
    int OpenResult();
    // Opens a named measurement (command line, recent files): 1 or -1.
    int OpenFile(const std::string& path);
    // "保存2D结果修正文件": the document's result (1, 0, -1).
    int SaveResult();
    // After a tracking run: 1 when the new measurement was loaded.
    int ReloadAfterTracking(const std::string& path);
    // Disables the result menus (view set-up).
    void DisableResultMenus() { SetResultMenus(false); }

    // "图象采集": starts the capture program `capvo` from the program
    // directory; Failed (reported) when it cannot be started.
    static CommandResult StartCapture(const std::string& programDirectory,
                                      kova::Prompter& prompter);

    static constexpr const char* kCloseMeasureWindow = "请关闭测量窗口。";
    static constexpr const char* kCaptureFailed = "没能打开图像采集系统。";
    static constexpr const char* kCaptureProgram = "capvo";

private:
    bool IsOpen(ToolWindow window) const;
    void Repaint();
    void StopVideo();
    void SetResultMenus(bool enabled);
    bool Refuse(const char* text);
    void Opened();
    void OpenFailed();

    MeasureDocument& document_;
    CCfgFile& config_;
    MotionImage& motion_;
    CImageDisplay& display_;
    kova::Prompter& prompter_;
    ToolWindowState* windows_ = nullptr;
    std::function<void()> repaint_;
    std::function<void()> stopVideo_;
    std::function<void(bool)> resultMenus_;
    bool startScreen_ = true;
    bool resultMenusEnabled_ = false;
    bool measureOverlay_ = false;
    bool autoMode_ = false;
};
