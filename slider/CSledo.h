#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class CSledoCtrl;
class QWidget;

// The handle the program's dialogs drive a range slider through: it creates
// a control or takes one placed on a form, forwards the properties and
// methods, gives the colours as QColor, and hands the control's Change and
// Fix on as its own signals. Without a control (or after it was destroyed)
// the getters give 0 or false and the setters do nothing.
class CSledo : public QObject {
    Q_OBJECT

public:
    explicit CSledo(QObject* parent = nullptr);

    // Creates a control as a child of parent in rect and wraps it. name is
    // the label the owner shows beside it, given as its accessible name.
    CSledoCtrl* Create(QWidget* parent, const QRect& rect, const QString& name = QString());
    // Wraps an existing control (null lets go).
    void Attach(CSledoCtrl* control);
    CSledoCtrl* Control() const { return control_; }

    long GetMin() const;
    void SetMin(long min);
    long GetMax() const;
    void SetMax(long max);
    long GetLow() const;
    void SetLow(long low);
    long GetHigh() const;
    void SetHigh(long high);
    long GetSlider() const;
    void SetSlider(long width);
    bool GetLock() const;
    void SetLock(bool lock);
    bool GetVertical() const;
    void SetVertical(bool vertical);
    bool GetReverse() const;
    void SetReverse(bool reverse);
    bool GetAuto() const;
    void SetAuto(bool on);
    bool GetButtonOn() const;
    void SetButtonOn(bool on);
    long GetButton() const;
    void SetButton(long width);
    bool GetButtonAuto() const;
    void SetButtonAuto(bool on);

    QColor GetBtnFcolor() const;
    void SetBtnFcolor(const QColor& color);
    QColor GetBtnHcolor() const;
    void SetBtnHcolor(const QColor& color);
    QColor GetBtnScolor() const;
    void SetBtnScolor(const QColor& color);
    QColor GetFrmFcolor() const;
    void SetFrmFcolor(const QColor& color);
    QColor GetFrmHcolor() const;
    void SetFrmHcolor(const QColor& color);
    QColor GetFrmScolor() const;
    void SetFrmScolor(const QColor& color);
    QColor GetBarFcolor() const;
    void SetBarFcolor(const QColor& color);

    bool SetBar(long low, long high);
    bool SetRange(long min, long max);
    void AboutBox();

signals:
    void Change(long low, long high);
    // The user let go of the slider (or a program change settled): the
    // range to take over.
    void Fix(long low, long high);

private:
    QColor ColorOf(const char* property) const;
    void SetColorOf(const char* property, const QColor& color);

    QPointer<CSledoCtrl> control_;
};
