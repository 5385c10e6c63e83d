#pragma once

#include "EventsControls.h"

#include <QDialog>
#include <memory>

class EventsLogic;
namespace Ui {
class CEventDlg;
}

// The scene events window "设定事项": shows the reference and event frames
// of its logic and passes the buttons and the selection on. Modeless;
// deletes itself on close.
class CEventDlg : public QDialog, public EventsControls {
    Q_OBJECT

public:
    CEventDlg(EventsLogic& logic, QWidget* parent = nullptr);
    ~CEventDlg() override;

    void ShowEvents(const EventsFields& fields) override;

private:
    std::unique_ptr<Ui::CEventDlg> ui_;
    EventsLogic& logic_;
    bool filling_ = false;
};
