#pragma once

#include "ReplaySettings.h"

#include <QColor>
#include <QImage>
#include <QRect>

class DrawingTools;
class QPainter;
struct ReplayScene;

// Paints the overlays of the result video in image pixels, on the view or
// on any image: trajectories, vectors and connection lines in their spans,
// target numbers, marks and the scale bars. What does not change from one
// frame to the next (the spans "全部", and the afterimage up to the frame
// shown) is kept in a layer, which moving on by a frame extends by that
// frame's items only.
class OverlayPainter {
public:
    explicit OverlayPainter(const DrawingTools& tools) : tools_(tools) {}

    // Fills the frame area with the background colour (the image is off).
    static void PaintBackground(QPainter& painter, const ReplayScene& scene);
    // The overlays over frame `frame` (from 0) of the measurement. Items of
    // the "current" frame belong to the last selected frame at or before it.
    void Paint(QPainter& painter, const ReplayScene& scene, int frame);
    // The scene changed: the layer is drawn anew at the next paint.
    void Invalidate() { layerValid_ = false; }

    static QColor BackgroundColour(ReplayBackground background);
    // The current frame's vector and figure among all frames: white on
    // black, black on white.
    static QColor HighlightColour(ReplayBackground background);

    // Arrowheads: 7 pixels long, 30 degrees to either side.
    static constexpr double kHeadLength = 7.0;
    static constexpr double kHeadAngle = 0.5235987755982988;

private:
    void UpdateLayer(const ReplayScene& scene, int current);
    void ClearLayer(const ReplayScene& scene);

    const DrawingTools& tools_;
    QImage layer_;
    QRect layerUsed_;
    int layerIndex_ = -1; // afterimage items drawn up to this entry
    bool layerValid_ = false;
};
