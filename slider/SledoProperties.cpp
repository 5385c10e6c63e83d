#include "SledoProperties.h"

#include <QSettings>
#include <limits>
#include <optional>

namespace kova {
namespace {

std::optional<qint64> ReadNumber(const QSettings& settings, const QString& key, qint64 low,
                                 qint64 high) {
    const QVariant value = settings.value(key);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const qint64 n = value.toString().trimmed().toLongLong(&ok);
    if (!ok || n < low || n > high) return std::nullopt;
    return n;
}

void ReadLong(const QSettings& settings, const QString& key, qint64 low, long* v) {
    if (auto n = ReadNumber(settings, key, low, std::numeric_limits<qint32>::max()))
        *v = static_cast<long>(*n);
}

void ReadColor(const QSettings& settings, const QString& key, quint32* v) {
    if (auto n = ReadNumber(settings, key, 0, std::numeric_limits<quint32>::max()))
        *v = static_cast<quint32>(*n);
}

void ReadBool(const QSettings& settings, const QString& key, bool* v) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::Bool) {
        *v = value.toBool();
        return;
    }
    const QString text = value.toString().trimmed().toLower();
    if (text == QStringLiteral("true") || text == QStringLiteral("1"))
        *v = true;
    else if (text == QStringLiteral("false") || text == QStringLiteral("0"))
        *v = false;
}

} // namespace

void SledoProperties::Save(QSettings& settings, const QString& group) const {
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("MinRange"), qint64{minRange});
    settings.setValue(QStringLiteral("MaxRange"), qint64{maxRange});
    settings.setValue(QStringLiteral("Reverse"), reverse);
    settings.setValue(QStringLiteral("Vertical"), vertical);
    settings.setValue(QStringLiteral("SliderWidth"), qint64{sliderWidth});
    settings.setValue(QStringLiteral("OtherLock"), otherLock);
    settings.setValue(QStringLiteral("AutoHv"), autoHv);
    settings.setValue(QStringLiteral("FrmFaceColor"), frmFaceColor);
    settings.setValue(QStringLiteral("FrmHilightColor"), frmHilightColor);
    settings.setValue(QStringLiteral("FrmShadowColor"), frmShadowColor);
    settings.setValue(QStringLiteral("BtnFaceColor"), btnFaceColor);
    settings.setValue(QStringLiteral("BtnHilightColor"), btnHilightColor);
    settings.setValue(QStringLiteral("BtnShadowColor"), btnShadowColor);
    settings.setValue(QStringLiteral("BarFaceColor"), barFaceColor);
    settings.setValue(QStringLiteral("Button"), button);
    settings.setValue(QStringLiteral("ButtonWidth"), qint64{buttonWidth});
    settings.setValue(QStringLiteral("AutoBtn"), autoBtn);
    settings.endGroup();
}

SledoProperties SledoProperties::Load(QSettings& settings, const QString& group) {
    constexpr qint64 kLongMin = std::numeric_limits<qint32>::min();
    SledoProperties p;
    settings.beginGroup(group);
    long min = p.minRange;
    long max = p.maxRange;
    ReadLong(settings, QStringLiteral("MinRange"), kLongMin, &min);
    ReadLong(settings, QStringLiteral("MaxRange"), kLongMin, &max);
    if (max >= min) {
        p.minRange = min;
        p.maxRange = max;
    }
    ReadBool(settings, QStringLiteral("Reverse"), &p.reverse);
    ReadBool(settings, QStringLiteral("Vertical"), &p.vertical);
    ReadLong(settings, QStringLiteral("SliderWidth"), 1, &p.sliderWidth);
    ReadBool(settings, QStringLiteral("OtherLock"), &p.otherLock);
    ReadBool(settings, QStringLiteral("AutoHv"), &p.autoHv);
    ReadColor(settings, QStringLiteral("FrmFaceColor"), &p.frmFaceColor);
    ReadColor(settings, QStringLiteral("FrmHilightColor"), &p.frmHilightColor);
    ReadColor(settings, QStringLiteral("FrmShadowColor"), &p.frmShadowColor);
    ReadColor(settings, QStringLiteral("BtnFaceColor"), &p.btnFaceColor);
    ReadColor(settings, QStringLiteral("BtnHilightColor"), &p.btnHilightColor);
    ReadColor(settings, QStringLiteral("BtnShadowColor"), &p.btnShadowColor);
    ReadColor(settings, QStringLiteral("BarFaceColor"), &p.barFaceColor);
    ReadBool(settings, QStringLiteral("Button"), &p.button);
    ReadLong(settings, QStringLiteral("ButtonWidth"), 8, &p.buttonWidth);
    ReadBool(settings, QStringLiteral("AutoBtn"), &p.autoBtn);
    settings.endGroup();
    return p;
}

bool SledoProperties::operator==(const SledoProperties& o) const {
    return minRange == o.minRange && maxRange == o.maxRange && reverse == o.reverse &&
           vertical == o.vertical && sliderWidth == o.sliderWidth && otherLock == o.otherLock &&
           autoHv == o.autoHv && frmFaceColor == o.frmFaceColor &&
           frmHilightColor == o.frmHilightColor && frmShadowColor == o.frmShadowColor &&
           btnFaceColor == o.btnFaceColor && btnHilightColor == o.btnHilightColor &&
           btnShadowColor == o.btnShadowColor && barFaceColor == o.barFaceColor &&
           button == o.button && buttonWidth == o.buttonWidth && autoBtn == o.autoBtn;
}

} // namespace kova
