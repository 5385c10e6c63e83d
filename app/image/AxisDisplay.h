#pragma once

#include <QLine>

class CCfgFile;
class QPainter;

// The calibration axes drawn over the image window: a counter of the
// windows that want them (the calibration window, the result video) and the
// axis lines computed from the system configuration's calibration.
class AxisDisplay {
public:
    // The configuration whose calibration the axes show (may be null: angle
    // 0, direction 1, origin (0, 0)).
    void SetConfig(CCfgFile* config) { config_ = config; }

    // Adds one user and computes the axes for a frame of this size.
    void TurnOn(int frameWidth, int frameHeight);
    // Removes one user; the axes go when none is left.
    void TurnOff();
    bool IsShown() const { return shown_; }
    int Users() const { return users_; }

    // Ends of the positive and negative X and Y half-axes (from the origin).
    QLine PositiveX() const { return QLine(origin_, xPlus_); }
    QLine NegativeX() const { return QLine(origin_, xMinus_); }
    QLine PositiveY() const { return QLine(origin_, yPlus_); }
    QLine NegativeY() const { return QLine(origin_, yMinus_); }

    // Draws the axes in image pixels while they are shown: X grey, Y light
    // grey, the positive halves solid and the negative halves dashed.
    void Paint(QPainter* painter) const;

    // Computes the axes for an origin, angle, Y direction and half length.
    void Compute(int originX, int originY, double angle, int directY, int length);

private:
    CCfgFile* config_ = nullptr;
    int users_ = 0;
    bool shown_ = false;
    QPoint origin_;
    QPoint xPlus_;
    QPoint xMinus_;
    QPoint yPlus_;
    QPoint yMinus_;
};
