#include "CMainFrame.h"

#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CFrameStore.h"
#include "CHelpWindow.h"
#include "CKOVAView.h"
#include "CSysFrameDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

struct ZoomEntry {
    int zoom;
    const char* text;
    const char* status;
};
constexpr ZoomEntry kZooms[] = {
    {50, "1/2倍", "图像缩小为原图一半显示"}, {100, "1倍", "显示原图"},
    {200, "2倍", "图像放大为原图2倍显示"},   {300, "3倍", "图像放大为原图3倍显示"},
    {400, "4倍", "图像放大为原图4倍显示"},   {500, "5倍", "图像放大为原图5倍显示"},
};

const char* const kRecentGroup = "Recent File List";

} // namespace

CMainFrame::CMainFrame(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app), mdi_(new QMdiArea(this)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QStringLiteral("KOVA"));
    setCentralWidget(mdi_);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    BuildActions();
    BuildMenus();
    BuildStatusBar();
    app_.settings.beginGroup(Utf8(kRecentGroup));
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path = app_.settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) recent_.append(path);
    }
    app_.settings.endGroup();
    RebuildRecent();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { ActiveChanged(); });
    ActiveChanged();
    resize(1024, 768);
}

CMainFrame::~CMainFrame() {
    // The children close while the menus go: no more menu updates.
    closing_ = true;
    mdi_->disconnect(this);
    // Closed children may wait for deletion outside the area's list.
    for (CChildFrame* child : findChildren<CChildFrame*>()) {
        child->disconnect(this);
        child->View()->disconnect(this);
    }
}

QAction* CMainFrame::AddAction(int command, const char* text, const char* status) {
    auto* action = new QAction(Utf8(text), this);
    QString tip = Utf8(status);
    const qsizetype cut = tip.indexOf(QLatin1Char('\n'));
    if (cut >= 0) {
        action->setToolTip(tip.mid(cut + 1));
        tip = tip.left(cut);
    }
    action->setStatusTip(tip);
    actions_[command] = action;
    return action;
}

QAction* CMainFrame::Action(int command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

template <typename Call> void CMainFrame::OnView(Call call) {
    if (CKOVAView* view = ActiveView()) call(view);
}

void CMainFrame::BuildActions() {
    AddAction(kNew, "新建(&N)", "建立新文档")->setShortcut(QKeySequence::New);
    AddAction(kClose, "关闭(&C)", "关闭活动文档");
    AddAction(kExit, "退出(&X)", "退出应用程序")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    AddAction(kOpenResult, "打开2D结果文件(&L)", "打开2D测算结果文件");
    AddAction(kSaveResult, "保存2D结果修正文件(S)", "保存2D结果修正文件");
    AddAction(kSaveImage, "保存表示图象(&M)", "保存当前表示的一幅图像");
    AddAction(kMotionImage, "运动图像(&O)", "指定连续图像名称");
    AddAction(kCalibration, "2D比例标定(&2)", "2维测量比例的标定");
    AddAction(kPixelValue, "像素值(&V)", "查看鼠标周围的像素值");
    for (int i = 0; i < 6; ++i)
        AddAction(kZoomHalf + i, kZooms[i].text, kZooms[i].status);
    AddAction(kCapture, "图象采集(&T)", "打开图像采集系统");
    AddAction(kHelp, "使用说明(&U)", "界面功能的使用说明");
    AddAction(kAbout, "关于 KOVA(&A)...", "显示程序信息，版本号和版权\n关于");
    AddAction(kSysFrame, "系统帧设定", "设定帧存储器的帧数和目录");
    AddAction(kPrint, "打印(&P)...", "打印活动文档\n打印")->setShortcut(QKeySequence::Print);
    AddAction(kPrintPreview, "打印预览(&V)", "显示整页\n打印预览");
    AddAction(kPrintSetup, "打印设置(&R)...", "改变打印机及打印选项\n打印设置");

    connect(Action(kNew), &QAction::triggered, this, [this] { NewDocument(); });
    connect(Action(kClose), &QAction::triggered, mdi_, &QMdiArea::closeActiveSubWindow);
    connect(Action(kExit), &QAction::triggered, this, &QWidget::close);
    connect(Action(kOpenResult), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnOpenResult(); }); });
    connect(Action(kSaveResult), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnSaveResult(); }); });
    connect(Action(kSaveImage), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnSaveImage(); }); });
    connect(Action(kMotionImage), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnChooseSequence(); }); });
    connect(Action(kCalibration), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnCalibration(); }); });
    connect(Action(kPixelValue), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnPixelValue(); }); });
    for (int i = 0; i < 6; ++i) {
        const int zoom = kZooms[i].zoom;
        connect(Action(kZoomHalf + i), &QAction::triggered, this,
                [this, zoom] { OnView([zoom](CKOVAView* v) { v->OnZoom(zoom); }); });
    }
    connect(Action(kCapture), &QAction::triggered, this,
            [this] { OnView([](CKOVAView* v) { v->OnCapture(); }); });
    connect(Action(kHelp), &QAction::triggered, this, &CMainFrame::OnHelp);
    connect(Action(kAbout), &QAction::triggered, this, &CMainFrame::OnAbout);
    connect(Action(kSysFrame), &QAction::triggered, this, &CMainFrame::OnSysFrame);
    connect(Action(kPrint), &QAction::triggered, this, &CMainFrame::OnPrint);
    connect(Action(kPrintPreview), &QAction::triggered, this, &CMainFrame::OnPrintPreview);
    connect(Action(kPrintSetup), &QAction::triggered, this, &CMainFrame::OnPrintSetup);
}

void CMainFrame::BuildMenus() {
    file_ = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file_->addAction(Action(kNew));
    file_->addAction(Action(kOpenResult));
    file_->addAction(Action(kSaveResult));
    file_->addAction(Action(kClose));
    file_->addSeparator();
    file_->addAction(Action(kSaveImage));
    file_->addAction(Action(kSysFrame));
    file_->addSeparator();
    file_->addAction(Action(kPrint));
    file_->addAction(Action(kPrintPreview));
    file_->addAction(Action(kPrintSetup));
    file_->addSeparator();
    recentMenu_ = file_->addMenu(QStringLiteral("最近的文件"));
    file_->addSeparator();
    file_->addAction(Action(kExit));

    image_ = menuBar()->addMenu(QStringLiteral("图像(&I)"));
    image_->addAction(Action(kMotionImage));
    image_->addAction(Action(kCalibration));
    image_->addAction(Action(kPixelValue));
    QMenu* zoom = image_->addMenu(QStringLiteral("图像缩放"));
    for (int i = 0; i < 6; ++i)
        zoom->addAction(Action(kZoomHalf + i));
    image_->addSeparator();
    image_->addAction(Action(kCapture));

    // The result menus hold the analysis and correction windows; they show
    // once windows have joined them.
    resultBrowse_ = menuBar()->addMenu(QStringLiteral("结果浏览(&R)"));
    resultFix_ = menuBar()->addMenu(QStringLiteral("结果修正(&C)"));

    window_ = menuBar()->addMenu(QStringLiteral("窗口(&W)"));
    window_->addAction(QStringLiteral("层叠(&C)"), mdi_, &QMdiArea::cascadeSubWindows);
    window_->addAction(QStringLiteral("平铺(&T)"), mdi_, &QMdiArea::tileSubWindows);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    help->addAction(Action(kHelp));
    help->addAction(Action(kAbout));
}

void CMainFrame::BuildStatusBar() {
    for (const char* name : {"大写", "数字", "滚动"}) {
        auto* pane = new QLabel(Utf8(name), this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setEnabled(false);
        statusBar()->addPermanentWidget(pane);
    }
    statusBar()->showMessage(QStringLiteral("就绪"));
}

QString CMainFrame::MessagePaneText() const {
    return statusBar()->currentMessage();
}

CKOVAView* CMainFrame::ActiveView() const {
    auto* child = qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
    if (!child) {
        // Without a focused child (the main window inactive) the last shown.
        const QList<QMdiSubWindow*> children =
            mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto it = children.rbegin(); it != children.rend() && !child; ++it)
            if (!(*it)->isHidden()) child = qobject_cast<CChildFrame*>(*it);
    }
    return child ? child->View() : nullptr;
}

void CMainFrame::ConnectView(CChildFrame* child) {
    CKOVAView* view = child->View();
    connect(view, &CKOVAView::zoomTextChanged, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(view, &CKOVAView::resultMenusChanged, this, [this, view](bool enabled) {
        if (view == ActiveView()) SetResultMenus(enabled);
    });
    connect(view, &CKOVAView::fileUsed, this, &CMainFrame::AddRecent);
    connect(child, &QObject::destroyed, this, [this] { ActiveChanged(); });
}

CChildFrame* CMainFrame::NewDocument() {
    auto* child = new CChildFrame(app_);
    mdi_->addSubWindow(child);
    ConnectView(child);
    child->show();
    // The child's borders are known once it is laid out.
    CKOVAView* view = child->View();
    view->FitFrame();
    QTimer::singleShot(0, view, [view] { view->FitFrame(); });
    mdi_->setActiveSubWindow(child);
    ActiveChanged();
    return child;
}

CChildFrame* CMainFrame::OpenDocument(const QString& path) {
    CChildFrame* child = NewDocument();
    child->View()->OpenFile(path.toStdString());
    ActiveChanged();
    return child;
}

void CMainFrame::SetResultMenus(bool enabled) {
    for (QMenu* menu : {resultBrowse_, resultFix_}) {
        menu->setEnabled(enabled);
        menu->menuAction()->setEnabled(enabled);
        menu->menuAction()->setVisible(!menu->actions().isEmpty());
    }
}

void CMainFrame::ActiveChanged() {
    if (closing_) return;
    // A closed child stays listed until it is deleted: count the shown ones.
    int open = 0;
    for (QMdiSubWindow* child : mdi_->subWindowList())
        if (!child->isHidden()) ++open;
    CKOVAView* view = open > 0 ? ActiveView() : nullptr;
    const bool document = view != nullptr;
    for (int command : {kOpenResult, kSaveResult, kSaveImage, kClose, kPrint, kPrintPreview})
        Action(command)->setVisible(document);
    Action(kSysFrame)->setVisible(!document);
    image_->menuAction()->setVisible(document);
    window_->menuAction()->setVisible(document);
    SetResultMenus(document && view->Commands().ResultMenusEnabled());
    if (!document) {
        resultBrowse_->menuAction()->setVisible(false);
        resultFix_->menuAction()->setVisible(false);
    }
}

void CMainFrame::UpdateViews() {
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(window)) child->View()->RepaintNow();
}

void CMainFrame::AddRecent(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(full);
    recent_.prepend(full);
    while (recent_.size() > kRecentFiles)
        recent_.removeLast();
    app_.settings.beginGroup(Utf8(kRecentGroup));
    for (int i = 0; i < kRecentFiles; ++i)
        app_.settings.setValue(QStringLiteral("File%1").arg(i + 1),
                               i < recent_.size() ? recent_[i] : QString());
    app_.settings.endGroup();
    RebuildRecent();
}

void CMainFrame::RebuildRecent() {
    recentMenu_->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { OpenDocument(path); });
    }
    recentMenu_->menuAction()->setEnabled(!recent_.isEmpty());
}

void CMainFrame::OnHelp() {
    if (help_) {
        help_->show();
        help_->raise();
        return;
    }
    const QString index = CHelpWindow::FindIndex(app_.store.Get_directory(3));
    if (index.isEmpty()) return; // no guide installed: help does nothing
    help_ = new CHelpWindow(index, this);
    help_->show();
}

void CMainFrame::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnSysFrame() {
    CSysFrameDlg dialog(app_.store, app_.settings, this);
    dialog.exec();
}

void CMainFrame::OnPrint() {
    CKOVAView* view = ActiveView();
    if (!view) return;
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) view->Print(printer_.get());
}

void CMainFrame::OnPrintPreview() {
    CKOVAView* view = ActiveView();
    if (!view) return;
    QPrintPreviewDialog preview(printer_.get(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, view, &CKOVAView::Print);
    preview.exec();
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    mdi_->closeAllSubWindows();
    event->accept();
}
