#include "EventsHost.h"

#include "CEventDlg.h"
#include "CImageDisplay.h"
#include "MeasureDocument.h"
#include "ViewParts.h"

EventsHost::EventsHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::Events), view_(view), logic_(view.measure, view.display) {}

EventsHost::~EventsHost() {
    // The dialog tells the logic it goes: it must go first.
    delete Window();
}

QWidget* EventsHost::Create() {
    auto* dialog = new CEventDlg(logic_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}
