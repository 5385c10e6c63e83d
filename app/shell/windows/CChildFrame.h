#pragma once

#include "AppContext.h"

#include <QMdiSubWindow>

class CKOVAView;

// A child window of the main frame holding one view on one document.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CChildFrame(AppContext& app, QWidget* parent = nullptr);

    CKOVAView* View() const { return view_; }

private:
    CKOVAView* view_;
};
