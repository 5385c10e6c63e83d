#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

namespace kova {

// The slider's colour values are Windows-style colour references: 0x00BBGGRR
// for a plain colour, or 0x800000nn for the system colour number nn, which is
// translated to the matching role of a palette.
QColor SledoColorToQColor(quint32 value, const QPalette& palette);
quint32 SledoColorFromQColor(const QColor& color);

} // namespace kova
