#pragma once

#include "CDisplayClient.h"

#include <QDialog>
#include <array>

class CImageDisplay;
class CSledoCtrl;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;
class SegmentationLogic;
struct SegmentationResult;
struct ViewParts;
namespace kova {
class CHistGram;
}

// Opens the image segmentation window "图像分割" on `sourceFrame` of the
// view's frame store (colour or grey store as the view shows), binarising
// into `outputFrame` (0 = the work frame), and waits until it is closed.
// `result` carries the values in (its method code chooses the mode: 11 RGB,
// 21 HSI, otherwise grey with that method) and out. Returns true when the
// window was closed with 确定, and only then are the values of `result`
// changed; otherwise only its accepted mark is cleared. A refused frame
// number or a window already open returns false and changes nothing.
bool RunSegmentation(ViewParts& parts, QWidget* parent, int sourceFrame, int outputFrame,
                     SegmentationResult* result);

// The window itself: shows the fields of its logic and passes each control
// on; while open, a left click on the image takes a colour sample.
class SegmentationWindow : public QDialog, public CDisplayClient {
    Q_OBJECT

public:
    SegmentationWindow(SegmentationLogic& logic, CImageDisplay& display, QWidget* parent);
    ~SegmentationWindow() override;

    // Shows the window and waits; true when closed with 确定 (then `result`
    // holds the record).
    bool Exec(QWidget* imageView, SegmentationResult& result);

    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;

private:
    struct BandRow {
        QCheckBox* check;
        QSpinBox* low;
        CSledoCtrl* slider;
        QSpinBox* high;
        kova::CHistGram* histogram;
    };

    void Build();
    QGroupBox* BuildModes();
    QGroupBox* BuildMethod();
    QGroupBox* BuildBands();
    QGroupBox* BuildSampling();
    QWidget* BuildButtons();
    void Connect();
    // Controls -> logic fields, and back (with the enabling of the mode).
    void Pull();
    void Show();
    void ShowHistograms();
    void Enable();

    SegmentationLogic& logic_;
    CImageDisplay& display_;
    SegmentationResult* accepted_ = nullptr;
    bool filling_ = false;
    bool easyMouse_ = false;
    QButtonGroup* modes_ = nullptr;
    QButtonGroup* methods_ = nullptr;
    QGroupBox* methodBox_ = nullptr;
    QGroupBox* samplingBox_ = nullptr;
    QDoubleSpinBox* percent_ = nullptr;
    QComboBox* colour_ = nullptr;
    QLabel* scale_ = nullptr;
    std::array<BandRow, 3> rows_{};
    QSpinBox* size_ = nullptr;
    QSpinBox* count_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* view_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
