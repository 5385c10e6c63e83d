#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class CPointDlg;
}
namespace kova {
class CFrameStore;
}

// The modeless pixel value window "像素值": the values of the displayed
// frame in the 5 x 5 pixels around the mouse position (grey values, or
// R,G,B in colour display).
class CPointDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kRadius = 2;

    explicit CPointDlg(kova::CFrameStore& store, QWidget* parent = nullptr);
    ~CPointDlg() override;

    // The mouse is at image pixel (x, y): renews the values while shown.
    void Pointing(int x, int y);

    // The texts of the cells around (x, y), row by row ("" outside the
    // frame).
    static std::vector<std::string> CellTexts(const kova::CFrameStore& store, int x, int y,
                                              int radius);
    // "X: x  Y: y".
    static std::string PositionText(int x, int y);

private:
    std::unique_ptr<Ui::CPointDlg> ui_;
    kova::CFrameStore& store_;
};
