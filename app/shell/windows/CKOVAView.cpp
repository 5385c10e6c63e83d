#include "CKOVAView.h"

#include "AppContext.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CKOVADoc.h"
#include "CVideoCapDS.h"
#include "CommandRow.h"
#include "CommandTable.h"
#include "FrameNavigation.h"
#include "MotionImage.h"
#include "Prompter.h"
#include "SeriesName.h"
#include "TargetOverlay.h"
#include "ToolWindowHost.h"
#include "ToolWindowRegistry.h"
#include "ViewCommands.h"
#include "ViewParts.h"

#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Button and key state of a mouse message, as the display clients get it.
constexpr unsigned kLeft = 0x1;
constexpr unsigned kRight = 0x2;
constexpr unsigned kShift = 0x4;
constexpr unsigned kControl = 0x8;
constexpr unsigned kMiddle = 0x10;

unsigned FlagsOf(const QMouseEvent* event) {
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton) flags |= kLeft;
    if (event->buttons() & Qt::RightButton) flags |= kRight;
    if (event->buttons() & Qt::MiddleButton) flags |= kMiddle;
    if (event->modifiers() & Qt::ShiftModifier) flags |= kShift;
    if (event->modifiers() & Qt::ControlModifier) flags |= kControl;
    return flags;
}

const char* const kStartLines[3] = {"KOVA 二维运动图像测量分析系统", "KOVA 开发组",
                                    "版本 1.00  (Linux)"};

} // namespace

CKOVAView::CKOVAView(AppContext& app, QWidget* parent)
    : QAbstractScrollArea(parent), app_(app),
      document_(std::make_unique<CKOVADoc>(app.prompter, app.store.Get_directory(2), app.config)),
      capture_(std::make_unique<kova::CVideoCapDS>(app.store)),
      display_(std::make_unique<CImageDisplay>(app.store, *capture_, app.prompter)),
      motion_(std::make_unique<MotionImage>(*display_, app.store, app.prompter)),
      commands_(std::make_unique<ViewCommands>(document_->Measure(), app.config, *motion_,
                                               *display_, app.prompter)),
      parts_(std::make_unique<ViewParts>(
          ViewParts{app, document_->Measure(), *display_, *motion_, *commands_, *this})),
      windows_(std::make_unique<ToolWindowRegistry>()),
      navigation_(std::make_unique<FrameNavigation>(*display_, motion_->Source(),
                                                    document_->Measure().Track())),
      overlay_(std::make_unique<TargetOverlay>(*display_, document_->Measure(), app.tools)) {
    SetName("CKOVAView");
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetUp();
}

CKOVAView::~CKOVAView() {
    // The windows use the logic objects below: they go first.
    windows_.reset();
    overlay_.reset();
    display_->FreeWindow(this);
    document_->Measure().DataServer().ReleaseWatch(this);
}

void CKOVAView::SetUp() {
    MeasureDocument& measure = document_->Measure();
    for (const CommandRow& row : CommandTable())
        if (row.makeHost) windows_->Add(row.makeHost(*parts_));
    commands_->SetToolWindows(windows_.get());
    commands_->SetRepaint([this] { RepaintNow(); });
    commands_->SetResultMenusHandler([this](bool on) { emit resultMenusChanged(on); });
    commands_->DisableResultMenus();
    display_->SetWindow(this);
    measure.DataServer().CatchWatch(this);
    display_->SetConfig(&app_.config);
    display_->SetTrackFile(&measure.Track());
    overlay_->SetShown(true);
    measure.SetImageSourceRebuild([this] { motion_->RestoreSource(document_->Measure().Info()); });
    motion_->SetRepaintHandler([this] { RepaintNow(); });
    app_.store.Disp_window(1);
    UpdateScrollBars();
}

// ---- commands ----

void CKOVAView::RunCommand(const CommandRow& row) {
    if (row.precondition && !((*commands_).*row.precondition)()) return;
    if (row.window != ToolWindow::None) windows_->Open(row.window);
    if (row.onView) row.onView(*this);
}

void CKOVAView::OnChooseSequence() {
    if (commands_->ChooseSequence() == CommandResult::Done) AnnounceState();
    UpdateScrollBars();
    FitFrame();
}

QString CKOVAView::Title() const {
    if (!document_->Measure().Track().GetLastPath().empty()) return document_->Title();
    if (!motion_->Chosen()) return document_->Title();
    const ImageSource& source = motion_->Source();
    if (source.IsAvi())
        return QStringLiteral("%1 [%2 - %3]")
            .arg(QString::fromStdString(source.aviFile))
            .arg(source.aviFirst)
            .arg(source.aviLast);
    return QStringLiteral("%1 - %2").arg(QString::fromStdString(source.firstFile),
                                         QString::fromStdString(source.lastFile));
}

void CKOVAView::AnnounceState() {
    emit titleChanged(Title());
    FramesChanged();
}

void CKOVAView::FramesChanged() {
    emit frameChanged(navigation_->Page(), navigation_->Count(),
                      QString::fromStdString(navigation_->FrameText()),
                      QString::fromStdString(navigation_->SourceText()));
}

void CKOVAView::OnGoToFrame(int page) {
    if (!navigation_->Go(page)) return;
    RepaintNow();
    FramesChanged();
}

void CKOVAView::OnStepFrames(int delta) {
    OnGoToFrame(navigation_->Page() + delta);
}

void CKOVAView::OnLastFrame() {
    OnGoToFrame(navigation_->Count());
}

void CKOVAView::OnShowTargets() {
    overlay_->SetShown(!overlay_->Shown());
    RepaintNow();
}

void CKOVAView::OnZoomStep(int direction) {
    static const int kSteps[] = {50, 100, 200, 300, 400, 500};
    const int zoom = motion_->Zoom();
    int at = 0;
    while (at < 5 && kSteps[at] < zoom)
        ++at;
    at = std::clamp(at + direction, 0, 5);
    if (kSteps[at] != zoom) OnZoom(kSteps[at]);
}

void CKOVAView::DocumentChanged(int result) {
    AnnounceState();
    UpdateScrollBars();
    if (result == 1)
        emit fileUsed(QString::fromStdString(document_->Measure().Track().GetLastPath()));
}

void CKOVAView::OnOpenResult() {
    DocumentChanged(commands_->OpenResult());
}

int CKOVAView::OpenFile(const std::string& path) {
    const int result = commands_->OpenFile(path);
    DocumentChanged(result);
    return result;
}

void CKOVAView::OnSaveResult() {
    DocumentChanged(commands_->SaveResult());
}

void CKOVAView::OnSaveImage() {
    motion_->SaveDisplayedImage();
}

void CKOVAView::OnZoom(int zoom) {
    if (!motion_->SetZoom(zoom)) return;
    RepaintNow();
    UpdateScrollBars();
    FitFrame();
    app_.store.Put_DispWindow_sx(horizontalScrollBar()->value());
    app_.store.Put_DispWindow_sy(verticalScrollBar()->value());
    zoomText_ = QString::fromStdString(
        MotionImage::ZoomText(zoom, app_.store.Width(), app_.store.Height()));
    emit zoomTextChanged(zoomText_);
}

void CKOVAView::OnCapture() {
    ViewCommands::StartCapture(app_.store.Get_directory(3), app_.prompter);
}

void CKOVAView::OnUndo() {
    TakeHistoryStep(true);
}

void CKOVAView::OnRedo() {
    TakeHistoryStep(false);
}

bool CKOVAView::EditInProgress() const {
    MeasureDocument& measure = document_->Measure();
    return measure.DataServer().LockHolder() != nullptr || display_->IsImageLockedNow() ||
           display_->IsMouseLocked();
}

void CKOVAView::TakeHistoryStep(bool undo) {
    MeasureHistory& history = document_->Measure().History();
    if (!(undo ? history.CanUndo() : history.CanRedo())) return;
    if (EditInProgress()) {
        app_.prompter.Show(kEditInProgress, "KOVA", kova::MessageIcon::Exclamation);
        return;
    }
    if (undo ? history.Undo() : history.Redo()) AnnounceState();
}

int CKOVAView::ReloadAfterTracking(const std::string& path) {
    const int result = commands_->ReloadAfterTracking(path);
    DocumentChanged(result);
    return result;
}

void CKOVAView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0) OnZoomStep(delta > 0 ? 1 : -1);
    event->accept();
}

// ---- geometry ----

QSize CKOVAView::ZoomedSize() const {
    const int zoom = motion_->Zoom();
    return QSize(app_.store.Width() * zoom / 100, app_.store.Height() * zoom / 100);
}

QPoint CKOVAView::Scroll() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CKOVAView::ToImage(QPoint window) const {
    return MotionImage::ToImage(window, Scroll(), motion_->Zoom());
}

void CKOVAView::UpdateScrollBars() {
    const QSize zoomed = ZoomedSize();
    // Without scroll bars the whole view is free; when the image fits that,
    // no bars are needed at all.
    const int border = 2 * frameWidth();
    const QSize free = size() - QSize(border, border);
    const bool fits = zoomed.width() <= free.width() && zoomed.height() <= free.height();
    const QSize page = fits ? free : viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, zoomed.width() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, zoomed.height() - page.height()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
}

void CKOVAView::FitFrame() {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame || frame->isMaximized()) return;
    // The view's own frame and the child's borders; no scroll bars, which
    // go once the image fits.
    const int border = 2 * frameWidth();
    const QSize margins = frame->size() - size() + QSize(border, border);
    QSize wanted = ZoomedSize() + margins;
    if (QWidget* area = frame->parentWidget()) wanted = wanted.boundedTo(area->size());
    frame->resize(wanted);
}

void CKOVAView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CKOVAView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    app_.store.Put_DispWindow_sx(horizontalScrollBar()->value());
    app_.store.Put_DispWindow_sy(verticalScrollBar()->value());
    viewport()->update();
}

// ---- painting ----

void CKOVAView::RepaintNow() {
    viewport()->update();
}

void CKOVAView::OnDataChanged() {
    RepaintNow();
}

void CKOVAView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    if (commands_->StartScreen())
        PaintStartScreen(painter);
    else
        PaintFrame(painter);
}

void CKOVAView::PaintStartScreen(QPainter& painter) {
    painter.fillRect(viewport()->rect(), QColor(0, 255, 255));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(25.6);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QPoint places[3] = {QPoint(110, 150), QPoint(110, 250), QPoint(150, 300)};
    for (int i = 0; i < 3; ++i)
        painter.drawText(places[i], QString::fromUtf8(kStartLines[i]));
}

void CKOVAView::PaintFrame(QPainter& painter) {
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Dark));
    if (!frameValid_ || frameSerial_ != app_.store.Get_display_serial()) {
        frame_ = app_.store.GetNopa32Dib();
        frameSerial_ = app_.store.Get_display_serial();
        frameValid_ = true;
    }
    const double scale = motion_->Zoom() / 100.0;
    const QPoint scroll = Scroll();
    painter.translate(-scroll.x(), -scroll.y());
    painter.scale(scale, scale);
    painter.drawImage(QPoint(0, 0), frame_);
    if (commands_->MeasureOverlay()) {
        // The processing window of the store, inverted over the image.
        const kova::FrameWindow& window = app_.store.Window();
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QPen pen(Qt::white);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(window.x0, window.y0, window.Width() - 1, window.Height() - 1);
        painter.restore();
    }
    display_->PaintOverlays(&painter);
}

QImage CKOVAView::RenderImage() {
    QImage image = app_.store.GetNopa32Dib();
    QPainter painter(&image);
    display_->PaintOverlays(&painter);
    return image;
}

void CKOVAView::Print(QPrinter* printer) {
    const QImage image = RenderImage();
    QPainter painter(printer);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawImage(0, 0, image);
}

// ---- mouse ----

void CKOVAView::mousePressEvent(QMouseEvent* event) {
    const QPoint point = ToImage(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        display_->DoDisplayLButtonDown(FlagsOf(event), point);
    else if (event->button() == Qt::RightButton)
        display_->DoDisplayRButtonDown(FlagsOf(event), point);
}

void CKOVAView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = ToImage(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        display_->DoDisplayLButtonUp(FlagsOf(event), point);
    else if (event->button() == Qt::RightButton)
        display_->DoDisplayRButtonUp(FlagsOf(event), point);
}

void CKOVAView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = ToImage(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        display_->DoDisplayLButtonDblClk(FlagsOf(event), point);
    else if (event->button() == Qt::RightButton)
        display_->DoDisplayRButtonDblClk(FlagsOf(event), point);
}

void CKOVAView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = ToImage(event->position().toPoint());
    // Some tool windows follow the pointer even when another tool holds the
    // mouse.
    if (!windows_->PointerMoved(FlagsOf(event), point))
        display_->DoDisplayMouseMove(FlagsOf(event), point);
    if (commands_->MeasureOverlay()) RepaintNow();
}
