#pragma once

#include "ResultWindows.h"

#include <QPointer>

class CTextViewer;
class QWidget;
class ResultChartWindow;
namespace kova {
class Prompter;
}

// The text window and the chart window of one analysis window: made on
// first use as children of the analysis window, reused while it is open,
// closed with it.
class AnalysisResultWindows : public ResultWindows {
public:
    explicit AnalysisResultWindows(kova::Prompter& prompter);
    ~AnalysisResultWindows() override;

    // The analysis window that owns the result windows (null when it goes).
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowTable(const ResultTable& table) override;
    void ShowCharts(const ChartSet& charts) override;
    void SetCurrentFrame(int frame) override;
    void Close() override;

    CTextViewer* TextWindow() const;
    ResultChartWindow* ChartWindow() const;

private:
    kova::Prompter& prompter_;
    QPointer<QWidget> parent_;
    QPointer<CTextViewer> text_;
    QPointer<ResultChartWindow> chart_;
    int currentFrame_ = -1;
};
