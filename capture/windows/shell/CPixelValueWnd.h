#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CPixelValueWnd;
}
namespace kova {
class CFrameStore;
}

// The modeless pixel value window "图像数据": the values of the displayed
// frame around the mouse position, grey ("% 3d") or R G B
// ("%-3d %-3d %-3d"), the centre cell at the mouse.
class CPixelValueWnd : public QDialog {
    Q_OBJECT

public:
    explicit CPixelValueWnd(kova::CFrameStore& store, QWidget* parent = nullptr);
    ~CPixelValueWnd() override;

    // The mouse is at image pixel (x, y): renews the values while shown.
    void Pointing(int x, int y);
    // The text of a cell, row and column from the top left.
    QString CellText(int row, int column) const;

private:
    std::unique_ptr<Ui::CPixelValueWnd> ui_;
    kova::CFrameStore& store_;
};
