#include "CSledo.h"

#include "CSledoCtrl.h"
#include "SledoColor.h"

#include <QVariant>

CSledo::CSledo(QObject* parent) : QObject(parent) {}

CSledoCtrl* CSledo::Create(QWidget* parent, const QRect& rect, const QString& name) {
    auto* control = new CSledoCtrl(parent); // owned by parent
    control->setGeometry(rect);
    control->setAccessibleName(name);
    Attach(control);
    return control;
}

void CSledo::Attach(CSledoCtrl* control) {
    if (control_) disconnect(control_, nullptr, this, nullptr);
    control_ = control;
    if (!control_) return;
    connect(control_, &CSledoCtrl::Change, this, &CSledo::Change);
    connect(control_, &CSledoCtrl::Fix, this, &CSledo::Fix);
}

long CSledo::GetMin() const {
    return control_ ? control_->Min() : 0;
}
void CSledo::SetMin(long min) {
    if (control_) control_->setMin(min);
}
long CSledo::GetMax() const {
    return control_ ? control_->Max() : 0;
}
void CSledo::SetMax(long max) {
    if (control_) control_->setMax(max);
}
long CSledo::GetLow() const {
    return control_ ? control_->Low() : 0;
}
void CSledo::SetLow(long low) {
    if (control_) control_->setLow(low);
}
long CSledo::GetHigh() const {
    return control_ ? control_->High() : 0;
}
void CSledo::SetHigh(long high) {
    if (control_) control_->setHigh(high);
}
long CSledo::GetSlider() const {
    return control_ ? control_->Slider() : 0;
}
void CSledo::SetSlider(long width) {
    if (control_) control_->setSlider(width);
}
bool CSledo::GetLock() const {
    return control_ && control_->Lock();
}
void CSledo::SetLock(bool lock) {
    if (control_) control_->setLock(lock);
}
bool CSledo::GetVertical() const {
    return control_ && control_->Vertical();
}
void CSledo::SetVertical(bool vertical) {
    if (control_) control_->setVertical(vertical);
}
bool CSledo::GetReverse() const {
    return control_ && control_->Reverse();
}
void CSledo::SetReverse(bool reverse) {
    if (control_) control_->setReverse(reverse);
}
bool CSledo::GetAuto() const {
    return control_ && control_->Auto();
}
void CSledo::SetAuto(bool on) {
    if (control_) control_->setAuto(on);
}
bool CSledo::GetButtonOn() const {
    return control_ && control_->ButtonOn();
}
void CSledo::SetButtonOn(bool on) {
    if (control_) control_->setButtonOn(on);
}
long CSledo::GetButton() const {
    return control_ ? control_->Button() : 0;
}
void CSledo::SetButton(long width) {
    if (control_) control_->setButton(width);
}
bool CSledo::GetButtonAuto() const {
    return control_ && control_->ButtonAuto();
}
void CSledo::SetButtonAuto(bool on) {
    if (control_) control_->setButtonAuto(on);
}

QColor CSledo::ColorOf(const char* property) const {
    if (!control_) return {};
    const auto value = control_->property(property).value<quint32>();
    return kova::SledoColorToQColor(value, control_->palette());
}

void CSledo::SetColorOf(const char* property, const QColor& color) {
    if (control_ && color.isValid())
        control_->setProperty(property, QVariant::fromValue(kova::SledoColorFromQColor(color)));
}

QColor CSledo::GetBtnFcolor() const {
    return ColorOf("BtnFcolor");
}
void CSledo::SetBtnFcolor(const QColor& color) {
    SetColorOf("BtnFcolor", color);
}
QColor CSledo::GetBtnHcolor() const {
    return ColorOf("BtnHcolor");
}
void CSledo::SetBtnHcolor(const QColor& color) {
    SetColorOf("BtnHcolor", color);
}
QColor CSledo::GetBtnScolor() const {
    return ColorOf("BtnScolor");
}
void CSledo::SetBtnScolor(const QColor& color) {
    SetColorOf("BtnScolor", color);
}
QColor CSledo::GetFrmFcolor() const {
    return ColorOf("FrmFcolor");
}
void CSledo::SetFrmFcolor(const QColor& color) {
    SetColorOf("FrmFcolor", color);
}
QColor CSledo::GetFrmHcolor() const {
    return ColorOf("FrmHcolor");
}
void CSledo::SetFrmHcolor(const QColor& color) {
    SetColorOf("FrmHcolor", color);
}
QColor CSledo::GetFrmScolor() const {
    return ColorOf("FrmScolor");
}
void CSledo::SetFrmScolor(const QColor& color) {
    SetColorOf("FrmScolor", color);
}
QColor CSledo::GetBarFcolor() const {
    return ColorOf("BarFcolor");
}
void CSledo::SetBarFcolor(const QColor& color) {
    SetColorOf("BarFcolor", color);
}

bool CSledo::SetBar(long low, long high) {
    return control_ && control_->SetBar(low, high);
}

bool CSledo::SetRange(long min, long max) {
    return control_ && control_->SetRange(min, max);
}

void CSledo::AboutBox() {
    if (control_) control_->AboutBox();
}
