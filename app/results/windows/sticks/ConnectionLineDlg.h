#pragma once

#include "ConnectionLineControls.h"

#include <QDialog>
#include <memory>

class ConnectionLineEditorLogic;
namespace Ui {
class ConnectionLineDlg;
}

// The dialog "连接线设定": the list of connection lines, the two target
// selectors and the colour, and the buttons, each handed to the logic.
// "确认" stores through the logic and accepts; "取消" and closing reject.
class ConnectionLineDlg : public QDialog, public ConnectionLineControls {
    Q_OBJECT

public:
    ConnectionLineDlg(ConnectionLineEditorLogic& logic, QWidget* parent = nullptr);
    ~ConnectionLineDlg() override;

    void ReadLineFields(ConnectionLineFields* fields) override;
    void WriteLineFields(const ConnectionLineFields& fields) override;
    void SetTargetEntries(const std::vector<std::string>& entries) override;
    void SetLineEntries(const std::vector<std::string>& entries) override;

private:
    void Confirm();

    ConnectionLineEditorLogic& logic_;
    std::unique_ptr<Ui::ConnectionLineDlg> ui_;
};
