#include "CAboutDlg.h"

#include "ui_CAboutDlg.h"

#include <QStyle>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(new Ui::CAboutDlg) {
    ui_->setupUi(this);
    ui_->icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
}

CAboutDlg::~CAboutDlg() = default;
