#include "ToolWindowHost.h"

#include <QPoint>

ToolWindowHost::~ToolWindowHost() {
    delete window_.data();
}

QWidget* ToolWindowHost::Open() {
    if (!window_) {
        window_ = Create();
        if (!window_) return nullptr;
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->show();
        return window_;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return window_;
}

bool ToolWindowHost::IsOpen() const {
    return window_ && !window_->isHidden();
}

void ToolWindowHost::Close() {
    if (window_) window_->close();
}

bool ToolWindowHost::PointerMoved(unsigned /*flags*/, const QPoint& /*point*/) {
    return false;
}
