#include "ViewCommands.h"

#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "MeasureDocument.h"
#include "MotionImage.h"
#include "Prompter.h"
#include "SeriesName.h"
#include "ToolWindow.h"

#include <QProcess>
#include <QString>

ViewCommands::ViewCommands(MeasureDocument& document, CCfgFile& systemConfig, MotionImage& motion,
                           CImageDisplay& display, kova::Prompter& prompter)
    : document_(document), config_(systemConfig), motion_(motion), display_(display),
      prompter_(prompter) {}

bool ViewCommands::IsOpen(ToolWindow window) const {
    return windows_ && windows_->IsOpen(window);
}

void ViewCommands::Repaint() {
    if (repaint_) repaint_();
}

void ViewCommands::StopVideo() {
    if (stopVideo_) stopVideo_();
}

void ViewCommands::SetResultMenus(bool enabled) {
    resultMenusEnabled_ = enabled;
    if (resultMenus_) resultMenus_(enabled);
}

bool ViewCommands::Refuse(const char* text) {
    prompter_.Show(text, "KOVA", kova::MessageIcon::Exclamation);
    return false;
}

bool ViewCommands::MeasureWindowCheck() {
    StopVideo();
    startScreen_ = false;
    Repaint();
    if (IsOpen(ToolWindow::Tracking) || IsOpen(ToolWindow::ManualMeasure))
        return Refuse(kCloseMeasureWindow);
    measureOverlay_ = false;
    return true;
}

bool ViewCommands::CanCalibrate() {
    if (!MeasureWindowCheck()) return false;
    if (IsOpen(ToolWindow::ResultVideo)) return Refuse("请关闭视频表示窗口。");
    if (IsOpen(ToolWindow::ManualCorrection)) return Refuse("请关闭手动修正窗口。");
    if (IsOpen(ToolWindow::Events)) return Refuse("请关闭事件设定窗口。");
    return true;
}

bool ViewCommands::CanAutoMeasure() {
    StopVideo();
    Repaint();
    if (IsOpen(ToolWindow::ManualMeasure)) return Refuse("请关闭追踪窗口。");
    if (!motion_.Chosen()) return Refuse("请读入运动图像。");
    measureOverlay_ = true;
    autoMode_ = true;
    return true;
}

bool ViewCommands::CanManualMeasure() {
    StopVideo();
    Repaint();
    if (IsOpen(ToolWindow::Tracking)) return Refuse(kCloseMeasureWindow);
    if (!motion_.Chosen()) return Refuse("请选择连续运动图像。");
    measureOverlay_ = true;
    autoMode_ = false;
    return true;
}

bool ViewCommands::CanResultVideo() {
    if (!MeasureWindowCheck()) return false;
    if (IsOpen(ToolWindow::Calibration)) return Refuse("请关闭比例标定窗口。 ");
    return true;
}

bool ViewCommands::CanManualCorrect() {
    if (!MeasureWindowCheck()) return false;
    if (IsOpen(ToolWindow::Calibration)) return Refuse("请关闭比例设定窗口。");
    return true;
}

bool ViewCommands::CanSetEvents() {
    return CanManualCorrect();
}

CommandResult ViewCommands::ChooseSequence() {
    StopVideo();
    if (!motion_.ChooseSequence()) return CommandResult::Cancelled;
    startScreen_ = false;
    if (windows_) {
        windows_->Close(ToolWindow::Tracking);
        windows_->Close(ToolWindow::ManualMeasure);
    }
    Repaint();
    CTrackFile2D& track = document_.Track();
    if (track.GetFrameCount() > 0 && track.GetTargetCount() > 0) track.SetModified(1);
    return CommandResult::Done;
}

void ViewCommands::Opened() {
    document_.Track().GetCalibration(&config_);
    display_.SetPage(1);
    SetResultMenus(true);
}

void ViewCommands::OpenFailed() {
    document_.Track().SetCalibration(&config_);
    display_.SetPage(1);
    SetResultMenus(false);
}

int ViewCommands::OpenResult() {
    if (!MeasureWindowCheck()) return 0;
    std::string start;
    if (document_.Track().GetLastPath().empty())
        start = SeriesName::Join(display_.Store().Get_directory(2), "TEMP.TRK");
    const int result = document_.OpenResult(start);
    if (result == 1) {
        Opened();
        motion_.ShowFirstImage(&document_.Track());
    } else if (result == -1) {
        OpenFailed();
    }
    Repaint();
    return result;
}

int ViewCommands::OpenFile(const std::string& path) {
    startScreen_ = false;
    if (document_.LoadDocument(path)) {
        Opened();
        motion_.ShowFirstImage(&document_.Track());
        Repaint();
        return 1;
    }
    // Named on the command line or in the recent list: say which file.
    prompter_.Show("文件打开失败。\n" + path, "错误", kova::MessageIcon::Exclamation);
    OpenFailed();
    Repaint();
    return -1;
}

int ViewCommands::SaveResult() {
    StopVideo();
    motion_.StoreSource(document_.Info());
    return document_.SaveResult(std::string());
}

int ViewCommands::ReloadAfterTracking(const std::string& path) {
    StopVideo();
    if (document_.LoadDocument(path)) {
        measureOverlay_ = false;
        Opened();
        Repaint();
        return 1;
    }
    OpenFailed();
    Repaint();
    return 0;
}

CommandResult ViewCommands::StartCapture(const std::string& programDirectory,
                                         kova::Prompter& prompter) {
    const QString directory = QString::fromStdString(programDirectory);
    const QString program =
        QString::fromStdString(SeriesName::Join(programDirectory, kCaptureProgram));
    // The working directory is given to the new process; ours stays as it is.
    if (!programDirectory.empty() && QProcess::startDetached(program, {}, directory))
        return CommandResult::Done;
    prompter.Show(kCaptureFailed, "KOVA", kova::MessageIcon::Exclamation);
    return CommandResult::Failed;
}
