#include "ResultVideoHost.h"

#include "AppContext.h"
#include "MotionImage.h"
#include "ResultVideoDlg.h"
#include "ViewCommands.h"
#include "ViewParts.h"

ResultVideoHost::ResultVideoHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::ResultVideo), view_(view),
      logic_(view.measure, view.display, view.motion.Source(), view.app.tools) {
    view.commands.SetStopVideo([this] { logic_.StopPlayback(); });
}

ResultVideoHost::~ResultVideoHost() {
    view_.commands.SetStopVideo(nullptr);
    // The dialog tells the logic it goes: it must go first.
    delete Window();
}

QWidget* ResultVideoHost::Create() {
    auto* dialog = new ResultVideoDlg(logic_, view_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}
