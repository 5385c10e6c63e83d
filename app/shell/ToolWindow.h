#pragma once

// The tool windows a view can hold. Commands refuse to run while some of
// them are open.
enum class ToolWindow {
    None,
    Calibration,
    PixelValue,
    Tracking,
    Segmentation,
    ManualMeasure,
    ManualCorrection,
    Events,
    Marks,
    Gravity,
    Interpolate,
    DataMerge,
    CoordTransform,
    PositionAnalysis,
    DisplacementAnalysis,
    DistanceAnalysis,
    AngleAnalysis,
    StickFigure,
    ResultVideo,
};

// Whether a tool window is open, and closing it: what the headless command
// logic needs of the view's windows.
class ToolWindowState {
public:
    ToolWindowState() = default;
    ToolWindowState(const ToolWindowState&) = delete;
    ToolWindowState& operator=(const ToolWindowState&) = delete;
    virtual ~ToolWindowState() = default;

    virtual bool IsOpen(ToolWindow window) const = 0;
    virtual void Close(ToolWindow window) = 0;
};
