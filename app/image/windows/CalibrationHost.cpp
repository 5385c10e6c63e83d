#include "CalibrationHost.h"

#include "AppContext.h"
#include "CCalibration2DDlg.h"
#include "CImageDisplay.h"
#include "MeasureDocument.h"
#include "ViewParts.h"

CalibrationHost::CalibrationHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::Calibration), view_(view),
      logic_(view.display, view.app.prompter) {
    logic_.SetConfig(&view.app.config);
    logic_.SetTrackFile(&view.measure.Track());
}

CalibrationHost::~CalibrationHost() {
    // The dialog tells the logic it goes: it must go first.
    delete Window();
}

QWidget* CalibrationHost::Create() {
    logic_.Opened();
    auto* dialog = new CCalibration2DDlg(logic_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}

bool CalibrationHost::PointerMoved(unsigned flags, const QPoint& point) {
    if (!IsOpen() || view_.display.EasyMouseClient() == &logic_) return false;
    logic_.OnDisplayMouseMove(flags, point);
    return true;
}
