#pragma once

#include "AppContext.h"
#include "CCalibration2DDlg.h"
#include "CDataClient.h"
#include "CImageDisplay.h"
#include "CKOVADoc.h"
#include "CPointDlg.h"
#include "CVideoCapDS.h"
#include "Calibration2DLogic.h"
#include "DisplayWindow.h"
#include "MotionImage.h"
#include "ToolWindowState.h"
#include "ViewCommands.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPointer>
#include <map>

class QPrinter;
#include <memory>

// The view of one child window: paints the displayed frame of the store at
// the zoom with the overlays of the display server in image pixels, maps the
// mouse to image pixels, owns the document, the image display, the motion
// image and calibration logic and the tool windows, and runs the commands.
class CKOVAView : public QAbstractScrollArea,
                  public DisplayWindow,
                  public CDataClient,
                  public ToolWindowState {
    Q_OBJECT

public:
    CKOVAView(AppContext& app, QWidget* parent = nullptr);
    ~CKOVAView() override;

    CKOVADoc& Document() { return *document_; }
    CImageDisplay& Display() { return display_; }
    MotionImage& Motion() { return motion_; }
    Calibration2DLogic& Calibration() { return calibration_; }
    ViewCommands& Commands() { return commands_; }
    CCalibration2DDlg* CalibrationWindow() const { return calibrationWindow_.data(); }
    CPointDlg* PointWindow() const { return pointWindow_.data(); }
    const QString& ZoomText() const { return zoomText_; }

    // The commands of the document menu.
    void OnChooseSequence();
    void OnOpenResult();
    void OnSaveResult();
    void OnSaveImage();
    void OnCalibration();
    void OnPixelValue();
    void OnZoom(int zoom);
    void OnCapture();
    // Opens a named measurement (command line, recent files); 1 or -1.
    int OpenFile(const std::string& path);
    // Called by the tracking window with the new measurement.
    int ReloadAfterTracking(const std::string& path);

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

    // Tool windows made by other parts register here, so that the command
    // checks know whether they are open.
    void RegisterToolWindow(ToolWindow window, QWidget* widget);
    bool IsOpen(ToolWindow window) const override;
    void Close(ToolWindow window) override;

    bool IsAlive() const override { return true; }
    bool IsVisible() const override { return isVisible(); }
    void RepaintNow() override;

    void OnDataChanged() override;

signals:
    void zoomTextChanged(const QString& text);
    void resultMenusChanged(bool enabled);
    void titleChanged(const QString& title);
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

private:
    void SetUp();
    void UpdateScrollBars();
    void PaintStartScreen(QPainter& painter);
    void PaintFrame(QPainter& painter);
    QPoint Scroll() const;
    void DocumentChanged(int result);

    AppContext& app_;
    std::unique_ptr<CKOVADoc> document_;
    kova::CVideoCapDS capture_;
    CImageDisplay display_;
    MotionImage motion_;
    Calibration2DLogic calibration_;
    ViewCommands commands_;
    QPointer<CCalibration2DDlg> calibrationWindow_;
    QPointer<CPointDlg> pointWindow_;
    std::map<ToolWindow, QPointer<QWidget>> toolWindows_;
    QImage frame_;
    unsigned long frameSerial_ = 0;
    bool frameValid_ = false;
    QString zoomText_;
};
