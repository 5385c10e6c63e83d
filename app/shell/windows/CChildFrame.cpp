#include "CChildFrame.h"

#include "CKOVADoc.h"
#include "CKOVAView.h"

CChildFrame::CChildFrame(AppContext& app, QWidget* parent)
    : QMdiSubWindow(parent), view_(new CKOVAView(app, this)) {
    setWidget(view_);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(view_->Document().Title());
    connect(view_, &CKOVAView::titleChanged, this, &QWidget::setWindowTitle);
}
