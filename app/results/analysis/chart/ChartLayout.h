#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// How the panels of a chart window are stacked: all span the full width;
// with n panels in a client H pixels high each is (H - 1) / n + 1 high and
// panel i starts at i × ((H - 1) / n), so neighbours share their border row.

int PanelHeight(int clientHeight, int count);
std::vector<QRect> PanelRects(QSize client, int count);

// The panel under `point`, or -1. A shared border row belongs to the lower
// panel.
int PanelAt(const std::vector<QRect>& panels, QPoint point);

// The height of `count` panels of `panelHeight` stacked as above.
int StackedHeight(int panelHeight, int count);

// The space around a panel's plot area, for its title, labels and unit.
struct PlotMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The widest of each margin, so that the plot areas of all panels line up.
PlotMargins AlignedMargins(const std::vector<PlotMargins>& margins);

// The plot area of a panel with these margins (may be empty).
QRect PlotArea(const QRect& panel, const PlotMargins& margins);
