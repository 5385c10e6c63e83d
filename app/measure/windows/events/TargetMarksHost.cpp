#include "TargetMarksHost.h"

#include "CImageDisplay.h"
#include "CTargetMarkDlg.h"
#include "MeasureDocument.h"
#include "ViewParts.h"

TargetMarksHost::TargetMarksHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::Marks), view_(view), logic_(view.measure, view.display) {}

TargetMarksHost::~TargetMarksHost() {
    // The dialog tells the logic it goes: it must go first.
    delete Window();
}

QWidget* TargetMarksHost::Create() {
    auto* dialog = new CTargetMarkDlg(logic_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}

int TargetMarksHost::ChooseTargetMarks() {
    if (IsOpen()) return 0;
    auto* dialog = static_cast<CTargetMarkDlg*>(Open());
    return dialog ? dialog->ChooseTargetMarks(&view_.view) : 0;
}
