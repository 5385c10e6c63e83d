#pragma once

#include "ChartSet.h"
#include "ChartViewState.h"

#include <QMainWindow>
#include <functional>

class ChartCanvas;
class QAction;
class QPrinter;
namespace kova {
class Prompter;
}

// The chart window "分布图表示": the charts of one analysis stacked as
// panels. A click selects a panel (another click on it deselects it);
// "设置" fixes its value range; the charts are printed, saved as an image
// or as data, and copied.
class ResultChartWindow : public QMainWindow {
    Q_OBJECT

public:
    ResultChartWindow(kova::Prompter& prompter, QWidget* parent);
    ~ResultChartWindow() override;

    // Replaces the charts; sized 334×249 (one panel) or 334×456 on first show,
    // laid out again and raised afterwards; shows the window.
    void ShowCharts(const ChartSet& charts);
    // The 0-based frame the image window shows (-1 none); repaints when it changes.
    void SetCurrentFrame(int frame);

    const ChartSet& Charts() const { return charts_; }
    const ChartViewState& ViewState() const { return state_; }

    // How "打印" configures its printer; false cancels. The default shows
    // the print dialog.
    using PrinterSetup = std::function<bool(QPrinter&)>;
    void SetPrinterSetup(PrinterSetup setup) { printerSetup_ = std::move(setup); }

private:
    void BuildMenus();
    void PanelClicked(int panel);
    void Repaint();
    void Print();
    void SaveChart();
    void SaveChartAt(QSize size);
    void SaveData();
    void Copy();
    void OpenRangeSettings();

    kova::Prompter& prompter_;
    ChartSet charts_;
    ChartViewState state_;
    ChartCanvas* canvas_ = nullptr;
    QAction* settingsAction_ = nullptr;
    PrinterSetup printerSetup_;
    bool shown_ = false;
    // Counts the chart sets shown, so that a dialog opened for one set does
    // not change the next.
    int generation_ = 0;
};
