#pragma once

// The tool windows of the view whose being open decides whether a command
// may run.
enum class ToolWindow {
    Tracking,
    ManualMeasure,
    Calibration,
    ResultVideo,
    ManualCorrection,
    Events
};

class ToolWindowState {
public:
    ToolWindowState() = default;
    ToolWindowState(const ToolWindowState&) = delete;
    ToolWindowState& operator=(const ToolWindowState&) = delete;
    virtual ~ToolWindowState() = default;

    virtual bool IsOpen(ToolWindow window) const = 0;
    virtual void Close(ToolWindow window) = 0;
};
