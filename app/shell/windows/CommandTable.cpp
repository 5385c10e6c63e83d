#include "CommandTable.h"

#include "CKOVADoc.h"
#include "CKOVAView.h"
#include "CMainFrame.h"
#include "CommandId.h"
#include "SmoothingLogic.h"
#include "TargetOverlay.h"
#include "ViewCommands.h"

// The hosts of the tool windows.
#include "AngleHost.h"
#include "CCoordTransformDlg.h"
#include "CDataMergeDlg.h"
#include "CGravityDlg.h"
#include "CInterpolateDlg.h"
#include "CalibrationHost.h"
#include "CorrectHost.h"
#include "CorrectionDialogHost.h"
#include "DigitizeHost.h"
#include "DisplacementHost.h"
#include "DistanceHost.h"
#include "EventsHost.h"
#include "PixelValueHost.h"
#include "PositionHost.h"
#include "ResultVideoHost.h"
#include "StickFigureHost.h"
#include "TrackingHost.h"

#include <QMdiArea>
#include <iterator>

namespace {

using namespace CommandId;

const char* const kFile = "文件(&F)";
const char* const kImage = "图像(&I)";
const char* const kZoom = "图像(&I)/图像缩放";
const char* const kFrames = "图像(&I)/帧(&F)";
const char* const kMeasure = "运动测量(&M)";
const char* const kResultBrowse = "结果浏览(&R)";
const char* const kResultFix = "结果修正(&C)";
const char* const kWindow = "窗口(&W)";
const char* const kHelpMenu = "帮助(&H)";

template <typename Host> std::unique_ptr<ToolWindowHost> Make(ViewParts& view) {
    return std::make_unique<Host>(view);
}

std::vector<CommandRow> FileMenu() {
    return {
        FrameCommand(kNew, kFile, "新建(&N)", "建立新文档", [](CMainFrame& f) { f.NewDocument(); })
            .Keys("Ctrl+N"),
        ViewCommand(kOpenResult, kFile, "打开2D结果文件(&L)", "打开2D测算结果文件",
                    [](CKOVAView& v) { v.OnOpenResult(); }),
        ViewCommand(kSaveResult, kFile, "保存2D结果修正文件(S)", "保存2D结果修正文件",
                    [](CKOVAView& v) { v.OnSaveResult(); }),
        FrameCommand(kClose, kFile, "关闭(&C)", "关闭活动文档",
                     [](CMainFrame& f) { f.MdiArea()->closeActiveSubWindow(); })
            .Show(Shown::WithDocument),
        Separator(kFile),
        ViewCommand(kSaveImage, kFile, "保存表示图象(&M)", "保存当前表示的一幅图像",
                    [](CKOVAView& v) { v.OnSaveImage(); }),
        FrameCommand(kSysFrame, kFile, "系统帧设定", "设定帧存储器的帧数和目录",
                     [](CMainFrame& f) { f.OnSysFrame(); })
            .Show(Shown::WithoutDocument),
        Separator(kFile),
        FrameCommand(kPrint, kFile, "打印(&P)...", "打印活动文档\n打印",
                     [](CMainFrame& f) { f.OnPrint(); })
            .Keys("Ctrl+P")
            .Show(Shown::WithDocument),
        FrameCommand(kPrintPreview, kFile, "打印预览(&V)", "显示整页\n打印预览",
                     [](CMainFrame& f) { f.OnPrintPreview(); })
            .Show(Shown::WithDocument),
        FrameCommand(kPrintSetup, kFile, "打印设置(&R)...", "改变打印机及打印选项\n打印设置",
                     [](CMainFrame& f) { f.OnPrintSetup(); }),
        Separator(kFile),
        RecentFiles(kFile),
        Separator(kFile),
        FrameCommand(kExit, kFile, "退出(&X)", "退出应用程序", [](CMainFrame& f) { f.close(); })
            .Keys("Ctrl+Q"),
    };
}

std::vector<CommandRow> ImageMenu() {
    struct Zoom {
        const char* text;
        const char* status;
        CommandRow::ViewHandler run;
    };
    const Zoom zooms[] = {
        {"1/2倍", "图像缩小为原图一半显示", [](CKOVAView& v) { v.OnZoom(50); }},
        {"1倍", "显示原图", [](CKOVAView& v) { v.OnZoom(100); }},
        {"2倍", "图像放大为原图2倍显示", [](CKOVAView& v) { v.OnZoom(200); }},
        {"3倍", "图像放大为原图3倍显示", [](CKOVAView& v) { v.OnZoom(300); }},
        {"4倍", "图像放大为原图4倍显示", [](CKOVAView& v) { v.OnZoom(400); }},
        {"5倍", "图像放大为原图5倍显示", [](CKOVAView& v) { v.OnZoom(500); }},
    };
    std::vector<CommandRow> rows = {
        ViewCommand(kMotionImage, kImage, "运动图像(&O)", "指定连续图像名称",
                    [](CKOVAView& v) { v.OnChooseSequence(); }),
        WindowCommand(kCalibration, kImage, "2D比例标定(&2)", "2维测量比例的标定",
                      &ViewCommands::CanCalibrate, ToolWindow::Calibration, &Make<CalibrationHost>),
        WindowCommand(kPixelValue, kImage, "像素值(&V)", "查看鼠标周围的像素值", nullptr,
                      ToolWindow::PixelValue, &Make<PixelValueHost>),
    };
    for (int i = 0; i < 6; ++i)
        rows.push_back(
            ViewCommand(kZoomHalf + i, kZoom, zooms[i].text, zooms[i].status, zooms[i].run));
    const CommandRow frames[] = {
        ViewCommand(kFirstFrame, kFrames, "第一帧", "显示第一帧",
                    [](CKOVAView& v) { v.OnGoToFrame(1); })
            .Keys("Home"),
        ViewCommand(kPreviousFrame, kFrames, "上一帧", "显示上一帧",
                    [](CKOVAView& v) { v.OnStepFrames(-1); })
            .Keys("Left"),
        ViewCommand(kNextFrame, kFrames, "下一帧", "显示下一帧",
                    [](CKOVAView& v) { v.OnStepFrames(1); })
            .Keys("Right"),
        ViewCommand(kBack10Frames, kFrames, "后退 10 帧", "向前翻 10 帧",
                    [](CKOVAView& v) { v.OnStepFrames(-10); })
            .Keys("PgUp"),
        ViewCommand(kForward10Frames, kFrames, "前进 10 帧", "向后翻 10 帧",
                    [](CKOVAView& v) { v.OnStepFrames(10); })
            .Keys("PgDown"),
        ViewCommand(kLastFrame, kFrames, "最后一帧", "显示最后一帧",
                    [](CKOVAView& v) { v.OnLastFrame(); })
            .Keys("End"),
        ViewCommand(kShowTargets, kImage, "显示目标", "在图像上显示测量结果的目标",
                    [](CKOVAView& v) { v.OnShowTargets(); })
            .Checked([](CKOVAView& v) { return v.Overlay().Shown(); }),
    };
    rows.insert(rows.end(), std::begin(frames), std::end(frames));
    rows.push_back(Separator(kImage));
    rows.push_back(ViewCommand(kCapture, kImage, "图象采集(&T)", "打开图像采集系统",
                               [](CKOVAView& v) { v.OnCapture(); }));
    return rows;
}

// Measuring the motion image: by the tracking engine and by clicks.
std::vector<CommandRow> MeasureMenu() {
    return {
        WindowCommand(kAutoMeasure, kMeasure, "自动测量(&T)", "2维运动轨迹跟踪",
                      &ViewCommands::CanAutoMeasure, ToolWindow::Tracking, &Make<TrackingHost>),
        WindowCommand(kManualMeasure, kMeasure, "手动测量(&M)", nullptr,
                      &ViewCommands::CanManualMeasure, ToolWindow::ManualMeasure,
                      &Make<DigitizeHost>),
    };
}

// The analysis windows of a measurement.
std::vector<CommandRow> ResultBrowseMenu() {
    const auto check = &ViewCommands::MeasureWindowCheck;
    return {
        WindowCommand(kPosition, kResultBrowse, "位置速率(&P)", "计算位置、速度和加速度", check,
                      ToolWindow::PositionAnalysis, &Make<PositionHost>),
        WindowCommand(kDisplacement, kResultBrowse, "偏移量(&O)", "计算偏移量", check,
                      ToolWindow::DisplacementAnalysis, &Make<DisplacementHost>),
        WindowCommand(kDistance, kResultBrowse, "2 点间距离(&D)", "计算2点间距离", check,
                      ToolWindow::DistanceAnalysis, &Make<DistanceHost>),
        WindowCommand(kAngle, kResultBrowse, "2 线间夹角 (&A)", "计算两线间夹角", check,
                      ToolWindow::AngleAnalysis, &Make<AngleHost>),
        WindowCommand(kResultVideo, kResultBrowse, "结果视频表示(&V)",
                      "连续表示运动图像、运动轨迹和连接线图", &ViewCommands::CanResultVideo,
                      ToolWindow::ResultVideo, &Make<ResultVideoHost>),
        WindowCommand(kStickFigures, kResultBrowse, "连接线图一览(&S)", "将连接线错开位置表示",
                      &ViewCommands::MeasureWindowCheck, ToolWindow::StickFigure,
                      &Make<StickFigureHost>),
    };
}

MeasureHistory& HistoryOf(CKOVAView& view) {
    return view.Document().Measure().History();
}

// Undo and redo, named after the step they take back or again.
std::vector<CommandRow> UndoRows() {
    return {
        ViewCommand(kUndo, kResultFix, "撤销", "撤销上一步对测量数据的修改",
                    [](CKOVAView& v) { v.OnUndo(); })
            .Keys("Ctrl+Z")
            .Live([](CKOVAView& v) { return HistoryOf(v).UndoName(); },
                  [](CKOVAView& v) { return HistoryOf(v).CanUndo(); }),
        ViewCommand(kRedo, kResultFix, "重做", "重做撤销了的一步", [](CKOVAView& v) { v.OnRedo(); })
            .Keys("Ctrl+Y")
            .Live([](CKOVAView& v) { return HistoryOf(v).RedoName(); },
                  [](CKOVAView& v) { return HistoryOf(v).CanRedo(); }),
        Separator(kResultFix),
    };
}

// The corrections over the logic of the measurement: smoothing runs at
// once, the others in their modal dialogs.
std::vector<CommandRow> CorrectionRows() {
    const auto check = &ViewCommands::MeasureWindowCheck;
    return {
        ViewCommand(
            kSmoothing, kResultFix, "平滑化(&S)", "将2维追踪结果数据进行平均平滑",
            [](CKOVAView& v) { SmoothingLogic::RunCommand(v.Document().Measure(), &v.Display()); },
            check),
        WindowCommand(kInterpolate, kResultFix, "内插补间(&P)", "将2维追踪结果数据用内插法进行补间",
                      check, ToolWindow::Interpolate, &Make<CorrectionDialogHost<CInterpolateDlg>>),
        WindowCommand(kMerge, kResultFix, "数据合并(&T)", "合并2个2维数据文件", check,
                      ToolWindow::DataMerge, &Make<CorrectionDialogHost<CDataMergeDlg>>),
        WindowCommand(kCoordTransform, kResultFix, "帧坐标变换(&F)", "以帧为单位进行坐标变换",
                      check, ToolWindow::CoordTransform,
                      &Make<CorrectionDialogHost<CCoordTransformDlg>>),
        WindowCommand(kGravity, kResultFix, "人体重心(&C)", "计算人体重心", check,
                      ToolWindow::Gravity, &Make<CorrectionDialogHost<CGravityDlg>>),
    };
}

// The corrections of a measurement, each one step of its undo history.
std::vector<CommandRow> ResultFixMenu() {
    std::vector<CommandRow> rows = UndoRows();
    rows.push_back(WindowCommand(kManualCorrection, kResultFix, "手动修正(&M)",
                                 "手动修正2维追踪结果数据", &ViewCommands::CanManualCorrect,
                                 ToolWindow::ManualCorrection, &Make<CorrectHost>));
    const std::vector<CommandRow> corrections = CorrectionRows();
    rows.insert(rows.end(), corrections.begin(), corrections.end());
    // The scene events come last in the menu.
    rows.push_back(WindowCommand(kEvents, kResultFix, "设置事项(&I)", "设定执行帧和基准帧",
                                 &ViewCommands::CanSetEvents, ToolWindow::Events,
                                 &Make<EventsHost>));
    return rows;
}

std::vector<CommandRow> WindowAndHelpMenus() {
    return {
        FrameCommand(kCascade, kWindow, "层叠(&C)", nullptr,
                     [](CMainFrame& f) { f.MdiArea()->cascadeSubWindows(); }),
        FrameCommand(kTile, kWindow, "平铺(&T)", nullptr,
                     [](CMainFrame& f) { f.MdiArea()->tileSubWindows(); }),
        FrameCommand(kHelp, kHelpMenu, "使用说明(&U)", "界面功能的使用说明",
                     [](CMainFrame& f) { f.OnHelp(); }),
        FrameCommand(kAbout, kHelpMenu, "关于 KOVA(&A)...", "显示程序信息，版本号和版权\n关于",
                     [](CMainFrame& f) { f.OnAbout(); }),
    };
}

std::vector<CommandRow> AllRows() {
    std::vector<CommandRow> rows;
    for (const auto& part : {FileMenu(), ImageMenu(), MeasureMenu(), ResultBrowseMenu(),
                             ResultFixMenu(), WindowAndHelpMenus()})
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

} // namespace

const std::vector<MenuRow>& MenuTable() {
    static const std::vector<MenuRow> menus = {
        {kFile, Shown::Always, false},           {kImage, Shown::WithDocument, false},
        {kMeasure, Shown::WithDocument, false},  {kResultBrowse, Shown::WithDocument, true},
        {kResultFix, Shown::WithDocument, true}, {kWindow, Shown::WithDocument, false},
        {kHelpMenu, Shown::Always, false},
    };
    return menus;
}

const std::vector<CommandRow>& CommandTable() {
    static const std::vector<CommandRow> rows = AllRows();
    return rows;
}
