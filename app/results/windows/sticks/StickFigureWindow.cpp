#include "StickFigureWindow.h"

#include "Prompter.h"
#include "StickCanvas.h"
#include "StickFigurePrinting.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

constexpr int kInitialWidth = 480;
constexpr int kInitialHeight = 320;

} // namespace

StickFigureWindow::StickFigureWindow(kova::Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), prompter_(prompter) {
    setWindowFlag(Qt::Window);
    canvas_ = new StickCanvas(this);
    setCentralWidget(canvas_);
    printerSetup_ = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
    BuildMenus();
    setWindowTitle(Text("连接线一览"));
}

StickFigureWindow::~StickFigureWindow() = default;

void StickFigureWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(Text("文件"));
    connect(file->addAction(Text("打印")), &QAction::triggered, this, [this] { Print(); });
    file->addSeparator();
    connect(file->addAction(Text("关闭")), &QAction::triggered, this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(Text("编辑"));
    connect(edit->addAction(Text("复制")), &QAction::triggered, this, [this] { Copy(); });
}

void StickFigureWindow::ShowFigures(const StickFigure& figure, const StickDrawing& drawing) {
    if (!shown_) {
        resize(kInitialWidth, kInitialHeight);
        shown_ = true;
    }
    canvas_->SetFigures(figure, drawing);
    show();
    raise();
    activateWindow();
}

StickDrawing StickFigureWindow::Drawing() const {
    return canvas_->Drawing();
}

bool StickFigureWindow::Copy() {
    QImage image;
    if (!StickFigurePainter::Render(canvas_->Figure(), canvas_->Drawing(), &image, prompter_))
        return false;
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

bool StickFigureWindow::Print() {
    if (prompter_.Show("打印机准备好了吗?", "确认", kova::MessageIcon::Question,
                       kova::MessageButtons::OkCancel) != kova::MessageAnswer::Ok)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    if (!printerSetup_(printer)) return false;
    if (PrintStickFigures(printer, canvas_->Figure(), canvas_->Drawing())) return true;
    prompter_.Show("打印失败", "错误", kova::MessageIcon::Exclamation);
    return false;
}
