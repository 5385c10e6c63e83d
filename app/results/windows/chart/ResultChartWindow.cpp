#include "ResultChartWindow.h"

#include "ChartCanvas.h"
#include "ChartExport.h"
#include "ChartPrinting.h"
#include "ChartRangeDlg.h"
#include "ChartSizeDlg.h"
#include "CsvFile.h"
#include "Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <memory>

namespace {

constexpr int kWidth = 334;
constexpr int kOnePanelHeight = 249;
constexpr int kPanelsHeight = 456;

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// Makes a dialog of the window delete itself when closed and open it
// window-modal, calling `onAccepted` on OK.
template <typename Dialog, typename Handler>
void OpenDialog(Dialog* dialog, QObject* context, Handler onAccepted) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::accepted, context, onAccepted);
    dialog->open();
}

} // namespace

ResultChartWindow::ResultChartWindow(kova::Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), prompter_(prompter) {
    canvas_ = new ChartCanvas(charts_, state_, this);
    setCentralWidget(canvas_);
    connect(canvas_, &ChartCanvas::PanelClicked, this, &ResultChartWindow::PanelClicked);
    printerSetup_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    BuildMenus();
    setWindowTitle(Text("分布图表示"));
}

ResultChartWindow::~ResultChartWindow() = default;

void ResultChartWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(Text("文件"));
    connect(file->addAction(Text("打印")), &QAction::triggered, this, &ResultChartWindow::Print);
    connect(file->addAction(Text("保存图表...")), &QAction::triggered, this,
            &ResultChartWindow::SaveChart);
    connect(file->addAction(Text("保存数据...")), &QAction::triggered, this,
            &ResultChartWindow::SaveData);
    file->addSeparator();
    connect(file->addAction(Text("关闭")), &QAction::triggered, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(Text("编辑"));
    connect(edit->addAction(Text("复制")), &QAction::triggered, this, &ResultChartWindow::Copy);
    settingsAction_ = edit->addAction(Text("设置"));
    connect(settingsAction_, &QAction::triggered, this, &ResultChartWindow::OpenRangeSettings);
    settingsAction_->setEnabled(false);
}

void ResultChartWindow::ShowCharts(const ChartSet& charts) {
    charts_ = charts;
    ++generation_;
    state_.Reset(static_cast<int>(charts_.panels.size()));
    setWindowTitle(charts_.title.empty() ? Text("分布图表示")
                                         : QString::fromStdString(charts_.title));
    if (!shown_) {
        resize(kWidth, charts_.panels.size() > 1 ? kPanelsHeight : kOnePanelHeight);
        shown_ = true;
    }
    Repaint();
    show();
    raise();
    activateWindow();
}

void ResultChartWindow::SetCurrentFrame(int frame) {
    if (state_.currentFrame == frame) return;
    state_.currentFrame = frame;
    canvas_->update();
}

void ResultChartWindow::PanelClicked(int panel) {
    state_.selectedPanel = state_.selectedPanel == panel ? -1 : panel;
    Repaint();
}

void ResultChartWindow::Repaint() {
    settingsAction_->setEnabled(state_.selectedPanel >= 0);
    canvas_->update();
}

void ResultChartWindow::Print() {
    if (prompter_.Show("印刷准备好了吗?", "Confirm", kova::MessageIcon::Question,
                       kova::MessageButtons::OkCancel) != kova::MessageAnswer::Ok)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!printerSetup_(printer)) return;
    if (!PrintCharts(printer, canvas_->size(), charts_, state_))
        prompter_.Show("打印失败", "错误", kova::MessageIcon::Exclamation);
}

void ResultChartWindow::SaveChart() {
    auto* dialog = new ChartSizeDlg(canvas_->size(), this);
    OpenDialog(dialog, this, [this, dialog] { SaveChartAt(dialog->Chosen()); });
}

void ResultChartWindow::SaveChartAt(QSize size) {
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.filter = "PNG Image(*.png)|*.png|SVG Image(*.svg)|*.svg|PDF File(*.pdf)|*.pdf||";
    request.defaultExtension = "png";
    request.defaultName = "chart.png";
    request.overwritePrompt = true;
    std::string path;
    if (!prompter_.ChooseFile(request, &path)) return;
    if (!ExportCharts(path, ChartFormatOf(path), size, charts_, state_))
        CPtFile::SaveError(prompter_);
}

void ResultChartWindow::SaveData() {
    kova::CsvFile file(charts_.csv);
    file.Save(prompter_);
}

void ResultChartWindow::Copy() {
    const int count = static_cast<int>(charts_.panels.size());
    if (count == 0) return;
    const QSize size = CopySize(canvas_->size(), count);
    const QImage image = ChartImage(size, charts_, state_);
    if (image.isNull()) {
        prompter_.Show("内存不足。", "错误", kova::MessageIcon::Exclamation);
        return;
    }
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    data->setData(QStringLiteral("image/svg+xml"), ChartSvg(size, charts_, state_));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

void ResultChartWindow::OpenRangeSettings() {
    const int panel = state_.selectedPanel;
    if (panel < 0) return;
    auto* dialog = new ChartRangeDlg(prompter_, PanelRange(charts_, state_, panel),
                                     state_.FixedRangeOf(panel).has_value(), this);
    const int generation = generation_;
    OpenDialog(dialog, this, [this, dialog, panel, generation] {
        if (generation != generation_) return;
        state_.fixedRanges[static_cast<std::size_t>(panel)] = dialog->Chosen();
        Repaint();
    });
}
