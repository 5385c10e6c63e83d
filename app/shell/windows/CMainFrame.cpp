#include "CMainFrame.h"

#include "AppContext.h"
#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CFrameStore.h"
#include "CHelpWindow.h"
#include "CKOVADoc.h"
#include "CKOVAView.h"
#include "CSysFrameDlg.h"
#include "CommandAction.h"
#include "CommandTable.h"
#include "ViewCommands.h"

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
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <string>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

const char* const kRecentGroup = "Recent File List";

} // namespace

CMainFrame::CMainFrame(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app), mdi_(new QMdiArea(this)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QStringLiteral("KOVA"));
    setCentralWidget(mdi_);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    BuildMenus();
    BuildStatusBar();
    BuildFrameBar();
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

QAction* CMainFrame::AddAction(const CommandRow& row) {
    QAction* action = kova::MakeCommandAction(row.text, row.status, this);
    if (row.keys) action->setShortcut(QKeySequence(Utf8(row.keys)));
    connect(action, &QAction::triggered, this, [this, &row] { Run(row); });
    actions_.emplace_back(&row, action);
    return action;
}

QAction* CMainFrame::Action(int command) const {
    QAction* first = nullptr;
    for (const auto& [row, action] : actions_) {
        if (row->id != command) continue;
        if (action->isVisible()) return action;
        if (!first) first = action;
    }
    return first;
}

void CMainFrame::Run(const CommandRow& row) {
    if (row.onFrame) {
        row.onFrame(*this);
        return;
    }
    if (CKOVAView* view = ActiveView()) view->RunCommand(row);
    UpdateChecks();
}

QMenu* CMainFrame::MenuAt(const char* path) {
    const std::string key(path);
    const auto found = menus_.find(key);
    if (found != menus_.end()) return found->second;
    const std::size_t slash = key.rfind('/');
    QMenu* menu = slash == std::string::npos
                      ? menuBar()->addMenu(Utf8(path))
                      : MenuAt(key.substr(0, slash).c_str())
                            ->addMenu(QString::fromStdString(key.substr(slash + 1)));
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateChecks);
    menus_[key] = menu;
    return menu;
}

void CMainFrame::BuildMenus() {
    // The top-level menus in their order, whether or not they hold entries
    // yet: the result menus show once windows have joined them.
    for (const MenuRow& menu : MenuTable())
        MenuAt(menu.title);
    for (const CommandRow& row : CommandTable()) {
        QMenu* menu = MenuAt(row.menu);
        switch (row.kind) {
        case RowKind::Separator:
            menu->addSeparator();
            break;
        case RowKind::RecentFiles:
            recentMenu_ = menu->addMenu(Utf8(row.text));
            break;
        case RowKind::Command:
            menu->addAction(AddAction(row));
            break;
        }
    }
    for (const MenuRow& menu : MenuTable()) {
        if (!menu.result) continue;
        (resultBrowse_ ? resultFix_ : resultBrowse_) = MenuAt(menu.title);
    }
}

void CMainFrame::BuildStatusBar() {
    framePane_ = new QLabel(this);
    sourcePane_ = new QLabel(this);
    // Read by their texts ("帧 n / N"), as a user reads them.
    statusBar()->addPermanentWidget(framePane_);
    statusBar()->addPermanentWidget(sourcePane_);
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

QString CMainFrame::FrameText() const {
    return framePane_->text();
}

QString CMainFrame::SourceText() const {
    return sourcePane_->text();
}

void CMainFrame::BuildFrameBar() {
    QToolBar* bar = addToolBar(QStringLiteral("帧"));
    bar->setObjectName(QStringLiteral("frameBar"));
    bar->setAccessibleName(QStringLiteral("帧工具栏"));
    auto* label = new QLabel(QStringLiteral(" 帧 "), bar);
    frameSlider_ = new QSlider(Qt::Horizontal, bar);
    frameSlider_->setMinimumWidth(240);
    frameSlider_->setAccessibleName(QStringLiteral("帧滑块"));
    frameSpin_ = new QSpinBox(bar);
    frameSpin_->setAccessibleName(QStringLiteral("帧号"));
    frameSpin_->setKeyboardTracking(false);
    bar->addWidget(label);
    bar->addWidget(frameSlider_);
    bar->addWidget(frameSpin_);
    auto go = [this](int page) {
        if (CKOVAView* view = ActiveView()) view->OnGoToFrame(page);
    };
    connect(frameSlider_, &QSlider::valueChanged, this, go);
    connect(frameSpin_, qOverload<int>(&QSpinBox::valueChanged), this, go);
    ShowFrame(0, 0, QString(), QString());
}

void CMainFrame::ShowFrame(int page, int count, const QString& frameText,
                           const QString& sourceText) {
    const QSignalBlocker sliderBlock(frameSlider_);
    const QSignalBlocker spinBlock(frameSpin_);
    const bool frames = count > 0;
    frameSlider_->setRange(frames ? 1 : 0, count);
    frameSpin_->setRange(frames ? 1 : 0, count);
    frameSlider_->setValue(frames ? page : 0);
    frameSpin_->setValue(frames ? page : 0);
    frameSlider_->setPageStep(10);
    frameSlider_->setEnabled(count > 1);
    frameSpin_->setEnabled(count > 1);
    framePane_->setText(frameText);
    sourcePane_->setText(sourceText);
}

void CMainFrame::UpdateChecks() {
    CKOVAView* view = ActiveView();
    for (const auto& [row, action] : actions_) {
        if (row->checked) {
            action->setCheckable(true);
            action->setChecked(view && row->checked(*view));
        }
        if (row->liveText)
            action->setText(QString::fromStdString(view ? row->liveText(*view) : row->text));
        if (row->enabled) action->setEnabled(view && row->enabled(*view));
    }
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
    // An edit, undo or reload changes what undo and redo would take.
    connect(&view->Document(), &CKOVADoc::changed, this, [this, view] {
        if (view == ActiveView()) UpdateChecks();
    });
    connect(view, &CKOVAView::frameChanged, this,
            [this, view](int page, int count, const QString& frame, const QString& source) {
                if (view == ActiveView()) ShowFrame(page, count, frame, source);
            });
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
    // Always there with a document; greyed until a result is open.
    for (QMenu* menu : {resultBrowse_, resultFix_}) {
        menu->setEnabled(enabled);
        menu->menuAction()->setEnabled(enabled);
    }
}

namespace {

bool ShownNow(Shown shown, bool document) {
    return shown == Shown::Always || (shown == Shown::WithDocument) == document;
}

} // namespace

void CMainFrame::ActiveChanged() {
    if (closing_) return;
    // A closed child stays listed until it is deleted: count the shown ones.
    int open = 0;
    for (QMdiSubWindow* child : mdi_->subWindowList())
        if (!child->isHidden()) ++open;
    CKOVAView* view = open > 0 ? ActiveView() : nullptr;
    const bool document = view != nullptr;
    for (const auto& [row, action] : actions_)
        action->setVisible(ShownNow(row->shown, document));
    for (const MenuRow& menu : MenuTable())
        if (!menu.result)
            MenuAt(menu.title)->menuAction()->setVisible(ShownNow(menu.shown, document));
    for (QMenu* menu : {resultBrowse_, resultFix_})
        menu->menuAction()->setVisible(document);
    SetResultMenus(document && view->Commands().ResultMenusEnabled());
    UpdateChecks();
    if (view)
        view->AnnounceState();
    else
        ShowFrame(0, 0, QString(), QString());
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

namespace {

// A recent file's entry: its name, and its folder when another entry has
// the same name.
QString RecentLabel(const QStringList& paths, int i) {
    const QFileInfo file(paths[i]);
    int same = 0;
    for (const QString& other : paths)
        if (QFileInfo(other).fileName() == file.fileName()) ++same;
    if (same < 2) return file.fileName();
    return QStringLiteral("%1 (%2)").arg(file.fileName(), file.absolutePath());
}

} // namespace

void CMainFrame::RebuildRecent() {
    recentMenu_->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(RecentLabel(recent_, i)));
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

CHelpWindow* CMainFrame::HelpWindow() const {
    return help_.data();
}
