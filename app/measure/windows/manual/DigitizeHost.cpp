#include "DigitizeHost.h"

#include "AppContext.h"
#include "CDigitizeDlg.h"
#include "MotionImage.h"
#include "ViewCommands.h"
#include "ViewParts.h"

DigitizeHost::DigitizeHost(ViewParts& view)
    : ToolWindowHost(ToolWindow::ManualMeasure), view_(view),
      logic_(view.display, view.measure, view.motion.Source(), view.app.config, view.app.prompter) {
    logic_.SetReload([this](const std::string& path) { view_.commands.ReloadAfterTracking(path); });
}

DigitizeHost::~DigitizeHost() {
    // The dialog tells the logic it goes: it must go first.
    delete Window();
}

QWidget* DigitizeHost::Create() {
    auto* dialog = new CDigitizeDlg(logic_, &view_.view);
    dialog->setWindowFlag(Qt::Tool);
    return dialog;
}
