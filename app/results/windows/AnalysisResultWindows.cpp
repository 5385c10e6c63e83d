#include "AnalysisResultWindows.h"

#include "CTextViewer.h"
#include "ResultChartWindow.h"

AnalysisResultWindows::AnalysisResultWindows(kova::Prompter& prompter) : prompter_(prompter) {}

AnalysisResultWindows::~AnalysisResultWindows() {
    Close();
}

void AnalysisResultWindows::ShowTable(const ResultTable& table) {
    if (!text_) {
        text_ = new CTextViewer(prompter_, parent_);
        text_->setAttribute(Qt::WA_DeleteOnClose);
    }
    text_->SetSaveSettings(table.filterName);
    text_->SetTitle(table.title);
    text_->Clear();
    for (const std::string& line : table.lines)
        text_->AddString(line);
    text_->SetCsv(table.csv);
    text_->show();
    text_->raise();
    text_->activateWindow();
}

void AnalysisResultWindows::ShowCharts(const ChartSet& charts) {
    if (!chart_) {
        chart_ = new ResultChartWindow(prompter_, parent_);
        chart_->setAttribute(Qt::WA_DeleteOnClose);
    }
    chart_->SetCurrentFrame(currentFrame_);
    chart_->ShowCharts(charts);
}

void AnalysisResultWindows::SetCurrentFrame(int frame) {
    currentFrame_ = frame;
    if (chart_) chart_->SetCurrentFrame(frame);
}

void AnalysisResultWindows::Close() {
    // Both are children of the analysis window when it exists; deleting them
    // here also covers a window made while it had none.
    delete text_.data();
    delete chart_.data();
}

CTextViewer* AnalysisResultWindows::TextWindow() const {
    return text_.data();
}

ResultChartWindow* AnalysisResultWindows::ChartWindow() const {
    return chart_.data();
}
