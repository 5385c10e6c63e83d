#include "CorrectHost.h"

#include "AppContext.h"
#include "CCorrectDlg.h"
#include "MotionImage.h"
#include "ViewParts.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>

namespace {

// The largest zoom of the view not above `percent`.
int ViewZoom(int percent) {
    for (int zoom : {500, 400, 300, 200, 100})
        if (zoom <= percent) return zoom;
    return 100;
}

} // namespace

CorrectHost::CorrectHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::ManualCorrection), view_(view),
      logic_(view.display, view.measure, view.app.prompter) {
    logic_.SetZoomHandler([this](int percent, QPoint centre) { ZoomAround(percent, centre); });
}

CorrectHost::~CorrectHost() {
    // The dialog tells the logic it goes: it must go first.
    delete Window();
}

QWidget* CorrectHost::Create() {
    auto* dialog = new CCorrectDlg(logic_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}

void CorrectHost::ZoomAround(int percent, QPoint centre) {
    auto* area = qobject_cast<QAbstractScrollArea*>(&view_.view);
    const int zoom = ViewZoom(percent);
    if (!area || !view_.motion.SetZoom(zoom)) return;
    // The view sets its scroll ranges for the new zoom when it is resized.
    QResizeEvent resize(area->size(), area->size());
    QCoreApplication::sendEvent(area, &resize);
    const QSize page = area->viewport()->size();
    area->horizontalScrollBar()->setValue(centre.x() * zoom / 100 - page.width() / 2);
    area->verticalScrollBar()->setValue(centre.y() * zoom / 100 - page.height() / 2);
    area->viewport()->update();
}
