#include "PixelValueHost.h"

#include "AppContext.h"
#include "CPointDlg.h"
#include "ViewParts.h"

#include <QPoint>

PixelValueHost::PixelValueHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::PixelValue), view_(view) {}

QWidget* PixelValueHost::Create() {
    return new CPointDlg(view_.app.store, &view_.view);
}

bool PixelValueHost::PointerMoved(unsigned /*flags*/, const QPoint& point) {
    if (auto* dialog = static_cast<CPointDlg*>(Window())) dialog->Pointing(point.x(), point.y());
    return false;
}
