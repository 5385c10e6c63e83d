#pragma once

#include "ToolWindow.h"

#include <memory>
#include <vector>

class QPoint;
class QWidget;
class ToolWindowHost;

// The tool windows of one view, one host each: opens a window on command
// (or raises the open one), tells which are open, closes them all when the
// view goes, and passes mouse moves to the windows that follow the pointer.
class ToolWindowRegistry : public ToolWindowState {
public:
    ToolWindowRegistry();
    ~ToolWindowRegistry() override;

    void Add(std::unique_ptr<ToolWindowHost> host);
    ToolWindowHost* Find(ToolWindow kind) const;
    // The open window, made when needed; null for a kind without host.
    QWidget* Open(ToolWindow kind);
    QWidget* Window(ToolWindow kind) const;

    bool IsOpen(ToolWindow kind) const override;
    void Close(ToolWindow kind) override;
    void CloseAll();
    // True when a window took the move for itself.
    bool PointerMoved(unsigned flags, const QPoint& point);

private:
    std::vector<std::unique_ptr<ToolWindowHost>> hosts_;
};
