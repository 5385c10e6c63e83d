#include "ChartLayout.h"

#include <algorithm>

int PanelHeight(int clientHeight, int count) {
    if (count < 1) return 0;
    return (std::max(clientHeight, 1) - 1) / count + 1;
}

std::vector<QRect> PanelRects(QSize client, int count) {
    std::vector<QRect> rects;
    const int height = PanelHeight(client.height(), count);
    const int pitch = height - 1;
    for (int i = 0; i < count; ++i)
        rects.emplace_back(0, i * pitch, client.width(), height);
    return rects;
}

int PanelAt(const std::vector<QRect>& panels, QPoint point) {
    for (int i = static_cast<int>(panels.size()) - 1; i >= 0; --i) {
        if (panels[static_cast<std::size_t>(i)].contains(point)) return i;
    }
    return -1;
}

int StackedHeight(int panelHeight, int count) {
    if (count < 1 || panelHeight < 1) return 0;
    return (panelHeight - 1) * count + 1;
}

PlotMargins AlignedMargins(const std::vector<PlotMargins>& margins) {
    PlotMargins widest;
    for (const PlotMargins& m : margins) {
        widest.left = std::max(widest.left, m.left);
        widest.top = std::max(widest.top, m.top);
        widest.right = std::max(widest.right, m.right);
        widest.bottom = std::max(widest.bottom, m.bottom);
    }
    return widest;
}

QRect PlotArea(const QRect& panel, const PlotMargins& margins) {
    return panel.adjusted(margins.left, margins.top, -margins.right, -margins.bottom);
}
