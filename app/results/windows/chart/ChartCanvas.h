#pragma once

#include <QWidget>

struct ChartSet;
struct ChartViewState;

// The client area of the chart window: draws the panels and reports which
// panel a click hit.
class ChartCanvas : public QWidget {
    Q_OBJECT

public:
    ChartCanvas(const ChartSet& charts, const ChartViewState& state, QWidget* parent);

signals:
    // A left click in panel `panel`.
    void PanelClicked(int panel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const ChartSet& charts_;
    const ChartViewState& state_;
};
