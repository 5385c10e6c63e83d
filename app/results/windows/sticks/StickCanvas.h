#pragma once

#include "StickFigure.h"
#include "StickFigurePainter.h"

#include <QAbstractScrollArea>

// The scrolled view of the stick figures: scroll steps of 1 pixel, pages of
// the client size, a range of the magnified content size minus the client
// size (0 when it fits).
class StickCanvas : public QAbstractScrollArea {
public:
    explicit StickCanvas(QWidget* parent = nullptr);

    void SetFigures(const StickFigure& figure, const StickDrawing& drawing);
    const StickFigure& Figure() const { return figure_; }
    // The drawing on screen with the current scroll position.
    StickDrawing Drawing() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();

    StickFigure figure_;
    StickDrawing drawing_;
};
