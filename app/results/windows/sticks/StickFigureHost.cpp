#include "StickFigureHost.h"

#include "StickListDlg.h"
#include "ViewParts.h"

StickFigureHost::StickFigureHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::StickFigure), view_(view), logic_(view.measure) {}

StickFigureHost::~StickFigureHost() {
    delete Window();
}

QWidget* StickFigureHost::Create() {
    auto* dialog = new StickListDlg(logic_, view_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    logic_.SetControls(dialog);
    logic_.InitWindow();
    return dialog;
}
