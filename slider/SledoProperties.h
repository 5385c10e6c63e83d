#pragma once

#include <QString>
#include <QtGlobal>

class QSettings;

namespace kova {

// The stored properties of the range slider with their defaults, saved to and
// loaded from a settings group under their persistence names.
struct SledoProperties {
    long minRange = 1;
    long maxRange = 100;
    bool reverse = false;
    bool vertical = true;
    long sliderWidth = 12;
    bool otherLock = false;
    bool autoHv = true;
    quint32 frmFaceColor = 0xC0C0C0;
    quint32 frmHilightColor = 0xFFFFFF;
    quint32 frmShadowColor = 0x000000;
    quint32 btnFaceColor = 0xC0C0C0;
    quint32 btnHilightColor = 0xFFFFFF;
    quint32 btnShadowColor = 0x000000;
    quint32 barFaceColor = 0x808080;
    bool button = false;
    long buttonWidth = 16;
    bool autoBtn = true;

    void Save(QSettings& settings, const QString& group) const;
    // Missing or unusable values (not a number, out of range, a range with
    // MaxRange below MinRange, widths the control would refuse) keep their
    // defaults.
    static SledoProperties Load(QSettings& settings, const QString& group);

    bool operator==(const SledoProperties& other) const;
    bool operator!=(const SledoProperties& other) const { return !(*this == other); }
};

} // namespace kova
