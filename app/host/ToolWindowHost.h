#pragma once

#include "ToolWindow.h"

#include <QPointer>
#include <QWidget>

class QPoint;

// One tool window of a view. The host lives as long as the view and keeps
// the window's logic; the window itself is made when its command runs,
// raised when it is open, and forgotten when it goes.
class ToolWindowHost {
public:
    explicit ToolWindowHost(ToolWindow kind) : kind_(kind) {}
    ToolWindowHost(const ToolWindowHost&) = delete;
    ToolWindowHost& operator=(const ToolWindowHost&) = delete;
    // Deletes an open window before the logic it uses goes.
    virtual ~ToolWindowHost();

    ToolWindow Kind() const { return kind_; }
    // Makes and shows the window, or raises the open one.
    QWidget* Open();
    bool IsOpen() const;
    void Close();
    QWidget* Window() const { return window_.data(); }

    // A mouse move over the image (image pixels, button and key flags).
    // True when the window took it: the display's clients then do not get it.
    virtual bool PointerMoved(unsigned flags, const QPoint& point);

protected:
    // Makes the window (a child of the view, deleted when closed).
    virtual QWidget* Create() = 0;

private:
    ToolWindow kind_;
    QPointer<QWidget> window_;
};
