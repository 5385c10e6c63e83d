#pragma once

#include "SledoLayout.h"
#include "SledoProperties.h"
#include "SledoRange.h"

#include <QTimer>
#include <QWidget>
#include <array>

class QPainter;
class QSettings;

namespace kova {
class Prompter;
}

// The two-thumb range slider: a rail for Min..Max with a low and a high thumb,
// the bar between them and optional arrow buttons at both ends. Reports every
// move with Change and the end of a move (mouse release, property or method
// change) with Fix, both with the external Low and High.
//
// Property setters are named set<Property> so that forms made in Qt Designer
// compile; the values are 32-bit like the properties, and setters ignore
// values outside that range.
class CSledoCtrl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Low READ Low WRITE setLow STORED false)
    Q_PROPERTY(int High READ High WRITE setHigh STORED false)
    Q_PROPERTY(int Slider READ Slider WRITE setSlider)
    Q_PROPERTY(bool Lock READ Lock WRITE setLock)
    Q_PROPERTY(bool Vertical READ Vertical WRITE setVertical)
    Q_PROPERTY(uint BtnFcolor READ BtnFcolor WRITE setBtnFcolor)
    Q_PROPERTY(uint BtnHcolor READ BtnHcolor WRITE setBtnHcolor)
    Q_PROPERTY(uint BtnScolor READ BtnScolor WRITE setBtnScolor)
    Q_PROPERTY(uint FrmFcolor READ FrmFcolor WRITE setFrmFcolor)
    Q_PROPERTY(uint FrmHcolor READ FrmHcolor WRITE setFrmHcolor)
    Q_PROPERTY(uint FrmScolor READ FrmScolor WRITE setFrmScolor)
    Q_PROPERTY(bool Reverse READ Reverse WRITE setReverse)
    Q_PROPERTY(bool Auto READ Auto WRITE setAuto)
    Q_PROPERTY(uint BarFcolor READ BarFcolor WRITE setBarFcolor)
    Q_PROPERTY(bool ButtonOn READ ButtonOn WRITE setButtonOn)
    Q_PROPERTY(int Button READ Button WRITE setButton)
    Q_PROPERTY(bool ButtonAuto READ ButtonAuto WRITE setButtonAuto)

public:
    explicit CSledoCtrl(QWidget* parent = nullptr);
    ~CSledoCtrl() override;

    // The program identifier hosts create the control by.
    static const char* ProgId() { return "SLEDO.SledoCtrl.1"; }

    long Min() const { return range_.Min(); }
    void setMin(long min);
    long Max() const { return range_.Max(); }
    void setMax(long max);
    long Low() const { return range_.Low(); }
    void setLow(long low);
    long High() const { return range_.High(); }
    void setHigh(long high);
    long Slider() const { return sliderWidth_; }
    void setSlider(long width);
    bool Lock() const { return range_.Lock(); }
    void setLock(bool lock);
    bool Vertical() const { return vertical_; }
    void setVertical(bool vertical);
    quint32 BtnFcolor() const { return colors_[BtnFace]; }
    void setBtnFcolor(quint32 color) { SetColor(BtnFace, color); }
    quint32 BtnHcolor() const { return colors_[BtnHilight]; }
    void setBtnHcolor(quint32 color) { SetColor(BtnHilight, color); }
    quint32 BtnScolor() const { return colors_[BtnShadow]; }
    void setBtnScolor(quint32 color) { SetColor(BtnShadow, color); }
    quint32 FrmFcolor() const { return colors_[FrmFace]; }
    void setFrmFcolor(quint32 color) { SetColor(FrmFace, color); }
    quint32 FrmHcolor() const { return colors_[FrmHilight]; }
    void setFrmHcolor(quint32 color) { SetColor(FrmHilight, color); }
    quint32 FrmScolor() const { return colors_[FrmShadow]; }
    void setFrmScolor(quint32 color) { SetColor(FrmShadow, color); }
    quint32 BarFcolor() const { return colors_[BarFace]; }
    void setBarFcolor(quint32 color) { SetColor(BarFace, color); }
    bool Reverse() const { return range_.Reverse(); }
    void setReverse(bool reverse);
    bool Auto() const { return autoHv_; }
    void setAuto(bool on);
    bool ButtonOn() const { return buttonOn_; }
    void setButtonOn(bool on);
    long Button() const { return buttonWidth_; }
    void setButton(long width);
    bool ButtonAuto() const { return autoBtn_; }
    void setButtonAuto(bool on);

    // Sets both external values; false when refused or nothing moved.
    bool SetBar(long low, long high);
    // Sets the range; false when max < min or neither bound changed.
    bool SetRange(long min, long max);
    // Shows the About box, through the prompter when one is set.
    void AboutBox();
    // Routes the About box through a prompter (not owned); null for a
    // message box of its own.
    void SetPrompter(kova::Prompter* prompter) { prompter_ = prompter; }

    // Stored properties and their persistence in a settings group. Applying
    // (and loading) sets every property, so low becomes Min and high
    // (Min + Max) / 2; values the setters would refuse take their defaults.
    kova::SledoProperties StoredProperties() const;
    void ApplyProperties(const kova::SledoProperties& properties);
    void SaveProperties(QSettings& settings, const QString& group);
    void LoadProperties(QSettings& settings, const QString& group);
    // Set by every property change, cleared by saving and loading.
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified) { modified_ = modified; }

    // The layout of the control as it is drawn now.
    kova::SledoLayout Layout() const;
    QSize sizeHint() const override;

signals:
    void Change(long low, long high);
    void Fix(long low, long high);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    enum ColorIndex { BtnFace, BtnHilight, BtnShadow, FrmFace, FrmHilight, FrmShadow, BarFace };

    void SetColor(ColorIndex index, quint32 color);
    void Changed();
    // Redraws and reports when the external values differ from the given.
    void ReportIfMoved(long oldLow, long oldHigh);
    void UpdateAutoShape();
    bool StepButton();
    void OnRepeat();
    void Draw(QPainter& painter) const;
    void DrawArrowButton(QPainter& painter, const kova::SledoLayout& layout,
                         kova::SledoPart part) const;
    QColor Color(ColorIndex index) const;

    kova::SledoRange range_;
    long sliderWidth_ = 12;
    bool vertical_ = true;
    bool autoHv_ = true;
    bool buttonOn_ = false;
    long buttonWidth_ = 16;
    bool autoBtn_ = true;
    std::array<quint32, 7> colors_{};
    bool modified_ = false;

    kova::SledoPart drag_ = kova::SledoPart::None;
    int pressAlong_ = 0;
    long startLow_ = 0;
    long startHigh_ = 0;
    kova::SledoRange::Thumb keyThumb_ = kova::SledoRange::Thumb::Low;
    QTimer repeat_;
    kova::Prompter* prompter_ = nullptr;
};
