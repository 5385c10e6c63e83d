#pragma once

#include "CDataClient.h"
#include "DisplayWindow.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <memory>

struct AppContext;
struct CommandRow;
struct ViewParts;
class CImageDisplay;
class CKOVADoc;
class FrameNavigation;
class MotionImage;
class QPrinter;
class TargetOverlay;
class ToolWindowRegistry;
class ViewCommands;
namespace kova {
class CVideoCapDS;
}

// The view of one child window: paints the displayed frame of the store at
// the zoom with the overlays of the display server in image pixels, maps the
// mouse to image pixels, owns the document, the image display, the motion
// image, the command logic and the hosts of its tool windows, and runs the
// commands of the command table.
class CKOVAView : public QAbstractScrollArea, public DisplayWindow, public CDataClient {
    Q_OBJECT

public:
    CKOVAView(AppContext& app, QWidget* parent = nullptr);
    ~CKOVAView() override;

    CKOVADoc& Document() { return *document_; }
    CImageDisplay& Display() { return *display_; }
    MotionImage& Motion() { return *motion_; }
    ViewCommands& Commands() { return *commands_; }
    ToolWindowRegistry& Windows() { return *windows_; }
    FrameNavigation& Navigation() { return *navigation_; }
    TargetOverlay& Overlay() { return *overlay_; }
    const QString& ZoomText() const { return zoomText_; }

    // Runs a command of the command table: its precondition, its tool
    // window, its handler.
    void RunCommand(const CommandRow& row);

    // The commands of the document menu.
    void OnChooseSequence();
    void OnOpenResult();
    void OnSaveResult();
    void OnSaveImage();
    void OnZoom(int zoom);
    // The next zoom step up (+1) or down (-1).
    void OnZoomStep(int direction);
    void OnCapture();
    // Shows a frame (clamped) and tells the frame controls.
    void OnGoToFrame(int page);
    void OnStepFrames(int delta);
    void OnLastFrame();
    // "显示目标": the measurement's points on the image.
    void OnShowTargets();
    // "撤销" and "重做": refused while an editor holds the points or is in
    // the middle of input.
    void OnUndo();
    void OnRedo();
    static constexpr const char* kEditInProgress =
        "测量数据正在编辑中，不能撤销或重做。\n请先结束编辑。";
    // Opens a named measurement (command line, recent files); 1 or -1.
    int OpenFile(const std::string& path);
    // Called by the tracking window with the new measurement.
    int ReloadAfterTracking(const std::string& path);
    // Tells the title and the frame controls what is shown now.
    void AnnounceState();

    // The displayed frame with its overlays, in image pixels.
    QImage RenderImage();
    // Prints the displayed frame with its overlays, fitted to the page.
    void Print(QPrinter* printer);

    // A window point as an image pixel at the current zoom and scroll.
    QPoint ToImage(QPoint window) const;
    // The size of the zoomed frame in window pixels.
    QSize ZoomedSize() const;
    // Sizes the child window to the zoomed frame (within the main window).
    void FitFrame();

    bool IsAlive() const override { return true; }
    bool IsVisible() const override { return isVisible(); }
    void RepaintNow() override;

    void OnDataChanged() override;

signals:
    void zoomTextChanged(const QString& text);
    void resultMenusChanged(bool enabled);
    void titleChanged(const QString& title);
    // The frame shown or the frame count changed: the page (from 1), the
    // count (0 without frames) and the status texts.
    void frameChanged(int page, int count, const QString& frameText, const QString& sourceText);
    // A measurement file was opened or saved (for the recent file list).
    void fileUsed(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void SetUp();
    void UpdateScrollBars();
    void PaintStartScreen(QPainter& painter);
    void PaintFrame(QPainter& painter);
    QPoint Scroll() const;
    void DocumentChanged(int result);
    void FramesChanged();
    void TakeHistoryStep(bool undo);
    bool EditInProgress() const;
    // The child window's title: the measurement, or the sequence.
    QString Title() const;

    AppContext& app_;
    std::unique_ptr<CKOVADoc> document_;
    std::unique_ptr<kova::CVideoCapDS> capture_;
    std::unique_ptr<CImageDisplay> display_;
    std::unique_ptr<MotionImage> motion_;
    std::unique_ptr<ViewCommands> commands_;
    std::unique_ptr<ViewParts> parts_;
    std::unique_ptr<ToolWindowRegistry> windows_;
    std::unique_ptr<FrameNavigation> navigation_;
    std::unique_ptr<TargetOverlay> overlay_;
    QImage frame_;
    unsigned long frameSerial_ = 0;
    bool frameValid_ = false;
    QString zoomText_;
};
