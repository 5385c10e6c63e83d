#pragma once

#include <QMainWindow>
#include <functional>

class QPrinter;
class StickCanvas;
class StickFigure;
struct StickDrawing;
namespace kova {
class Prompter;
}

// The display window "连接线一览": the stick figures in a scrolled view,
// copied to the clipboard as a bitmap ("复制") and printed ("打印").
class StickFigureWindow : public QMainWindow {
    Q_OBJECT

public:
    StickFigureWindow(kova::Prompter& prompter, QWidget* parent);
    ~StickFigureWindow() override;

    // Shows `figure` drawn as `drawing` says; shows and raises the window.
    void ShowFigures(const StickFigure& figure, const StickDrawing& drawing);
    // The drawing on screen, with the scroll position.
    StickDrawing Drawing() const;

    // "复制": the whole content as a bitmap on the clipboard; false when
    // refused.
    bool Copy();
    // "打印": asks, sets up the printer and prints; false when cancelled or
    // failed. The screen drawing is left as it was.
    bool Print();

    // How "打印" configures its printer; false cancels. The default shows
    // the print dialog.
    using PrinterSetup = std::function<bool(QPrinter&)>;
    void SetPrinterSetup(PrinterSetup setup) { printerSetup_ = std::move(setup); }

private:
    void BuildMenus();

    kova::Prompter& prompter_;
    StickCanvas* canvas_ = nullptr;
    PrinterSetup printerSetup_;
    bool shown_ = false;
};
