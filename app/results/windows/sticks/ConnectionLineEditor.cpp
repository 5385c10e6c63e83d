#include "ConnectionLineEditor.h"

#include "ConnectionLineDlg.h"
#include "ConnectionLineEditorLogic.h"
#include "DialogLoopGate.h"
#include "ViewParts.h"

#include <QEventLoop>
#include <QPointer>

bool EditConnectionLines(ViewParts& view, QWidget* parent) {
    ConnectionLineEditorLogic logic(view.measure, view.display);
    // Owned by its parent while the loop runs; deleted here when it is
    // still there afterwards.
    QPointer<ConnectionLineDlg> dialog = new ConnectionLineDlg(logic, parent ? parent : &view.view);
    dialog->setModal(false);
    logic.SetControls(dialog);
    logic.Open();
    bool confirmed = false;
    QEventLoop loop;
    QObject::connect(dialog, &QDialog::finished, &loop, [&](int result) {
        confirmed = result == QDialog::Accepted;
        loop.quit();
    });
    QObject::connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->show();
    {
        const DialogLoopGate gate(dialog, &view.view);
        loop.exec();
    }
    logic.SetControls(nullptr);
    logic.Close();
    delete dialog.data();
    return confirmed;
}
