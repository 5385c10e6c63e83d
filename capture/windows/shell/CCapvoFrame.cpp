#include "CCapvoFrame.h"

#include "CCapvoView.h"
#include "CFrameStore.h"
#include "CPixelValueWnd.h"
#include "CStatusWnd.h"
#include "CSysFrameDlg.h"
#include "CZoomDlg.h"
#include "CapvoCommand.h"
#include "CapvoZoom.h"
#include "CommandAction.h"
#include "Prompter.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <map>
#include <string>

namespace {

const char* const kBusy = "采集或转换正在进行，请先停止。";

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

CCapvoFrame::CCapvoFrame(kova::CFrameStore& store, kova::Prompter& prompter, QSettings& settings,
                         QWidget* parent)
    : QMainWindow(parent), store_(store), prompter_(prompter), settings_(settings),
      status_(store, prompter) {
    setWindowTitle(QStringLiteral("Capvo"));
    auto* mdi = new QMdiArea(this);
    setCentralWidget(mdi);
    view_ = new CCapvoView(store_, status_);
    viewPort_ = view_;
    // The one document window stays for the program's life: the dialogs
    // hold on to it.
    viewWindow_ = mdi->addSubWindow(view_, Qt::SubWindow | Qt::CustomizeWindowHint |
                                               Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    viewWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
    viewWindow_->installEventFilter(this);
    viewWindow_->resize(660, 520);
    statusWnd_ = new CStatusWnd(status_, this);
    addDockWidget(Qt::RightDockWidgetArea, statusWnd_);
    statusWnd_->hide();
    connect(statusWnd_, &CStatusWnd::displayChanged, view_, &CCapvoView::Refresh);
    connect(view_, &CCapvoView::zoomChanged, this, [this] { UpdateStatusBar(); });
    connect(view_, &CCapvoView::pointerMoved, this, [this](QPoint pixel) {
        if (pixelWnd_) pixelWnd_->Pointing(pixel.x(), pixel.y());
    });
    BuildMenus();
    ratePane_ = new QLabel(this);
    statusBar()->addPermanentWidget(ratePane_);
    UpdateStatusBar();
    store_.Put_display_callback([this] { UpdateView(); });
    store_.Disp_window(1);
    viewWindow_->show();
    resize(1000, 720);
}

CCapvoFrame::~CCapvoFrame() {
    store_.Put_display_callback(nullptr);
    store_.Disp_window(0);
    // The dialogs go before the view they may hold on to.
    for (auto& [type, entry] : dialogs_)
        delete entry.dialog.data();
}

void CCapvoFrame::BuildMenus() {
    std::map<std::string, QMenu*> menus;
    for (const char* title : CapvoMenus())
        menus[title] = menuBar()->addMenu(Utf8(title));
    for (const CapvoCommand& row : CapvoCommandTable()) {
        QMenu*& menu = menus[row.menu];
        if (!menu) menu = menuBar()->addMenu(Utf8(row.menu));
        if (row.IsSeparator()) {
            menu->addSeparator();
            continue;
        }
        AddCommand(row);
        menu->addAction(actions_.back().second);
    }
    // A menu whose commands are not built in stays out of the bar.
    for (auto& [title, menu] : menus) {
        bool any = false;
        for (QAction* action : menu->actions())
            any = any || !action->isSeparator();
        menu->menuAction()->setVisible(any);
    }
}

void CCapvoFrame::AddCommand(const CapvoCommand& row) {
    QAction* action = kova::MakeCommandAction(row.text, row.status, this);
    connect(action, &QAction::triggered, this, [this, &row] { row.run(*this); });
    actions_.emplace_back(row.id, action);
}

QAction* CCapvoFrame::Action(int command) const {
    for (const auto& [id, action] : actions_)
        if (id == command) return action;
    return nullptr;
}

void CCapvoFrame::AddRunningCheck(std::function<bool()> running) {
    runningChecks_.push_back(std::move(running));
}

bool CCapvoFrame::AnyRunning() const {
    for (const auto& running : runningChecks_)
        if (running()) return true;
    for (const auto& [type, entry] : dialogs_)
        if (entry.running && entry.running()) return true;
    return false;
}

void CCapvoFrame::closeEvent(QCloseEvent* event) {
    if (AnyRunning()) {
        prompter_.Show(kBusy, "Capvo", kova::MessageIcon::None);
        event->ignore();
        return;
    }
    status_.Stop();
    event->accept();
}

bool CCapvoFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewWindow_ && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CCapvoFrame::ShowDialog(QWidget* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

QString CCapvoFrame::StatusBarText() const {
    return ratePane_->text();
}

void CCapvoFrame::UpdateStatusBar() {
    ratePane_->setText(QString::fromStdString(
        CapvoZoom::StatusText(view_->Zoom(), store_.Width(), store_.Height())));
}

void CCapvoFrame::UpdateView() {
    status_.FollowStore();
    view_->Refresh();
    UpdateStatusBar();
    if (statusWnd_->isVisible()) statusWnd_->Refresh();
}

void CCapvoFrame::SetZoom(int percent) {
    view_->SetZoom(percent);
    if (zoomDlg_) zoomDlg_->SetZoom(view_->Zoom());
}

void CCapvoFrame::OnPixelValue() {
    if (!pixelWnd_) pixelWnd_ = new CPixelValueWnd(store_, this);
    ShowDialog(pixelWnd_);
}

void CCapvoFrame::OnZoom() {
    if (!zoomDlg_) {
        zoomDlg_ = new CZoomDlg(this);
        connect(zoomDlg_, &CZoomDlg::zoomChanged, this, [this](int percent) { SetZoom(percent); });
    }
    zoomDlg_->SetZoom(view_->Zoom());
    ShowDialog(zoomDlg_);
}

void CCapvoFrame::OnStatusWindow() {
    if (statusWnd_->isVisible()) {
        statusWnd_->hide();
        return;
    }
    statusWnd_->Refresh();
    statusWnd_->show();
}

void CCapvoFrame::OnFrameSettings() {
    CSysFrameDlg dialog(store_, settings_, this);
    if (dialog.exec() == QDialog::Accepted) UpdateView();
}

void CCapvoFrame::OnAbout() {
    QMessageBox::about(this, QStringLiteral("关于 Capvo"),
                       QStringLiteral("Capvo\n图像采集系统\n"
                                      "视频采集，图像文件与视频文件的变换。"));
}
