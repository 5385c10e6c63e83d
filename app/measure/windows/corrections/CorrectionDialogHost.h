#pragma once

#include "CImageDisplay.h"
#include "ToolWindowHost.h"
#include "ViewParts.h"

// The host of a modal correction dialog of a view: keeps the dialog's
// values between openings and makes the dialog, modal, over the view's
// measurement and image display.
template <typename Dialog> class CorrectionDialogHost : public ToolWindowHost {
public:
    explicit CorrectionDialogHost(ViewParts& view) : ToolWindowHost(Dialog::kWindow), view_(view) {}

    typename Dialog::Values& Values() { return values_; }

protected:
    QWidget* Create() override {
        auto* dialog = new Dialog(values_, view_.measure, &view_.display, &view_.view);
        dialog->setModal(true);
        return dialog;
    }

private:
    ViewParts& view_;
    typename Dialog::Values values_;
};
