#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class CProgressDlg;
}

// The modeless progress dialog "处理中..." of long loops: a bar, a text line
// and the stop button "停止". Its settings take effect at once while it is
// open and are kept for when it opens. The loop polls it before each item:
// polling handles the waiting events of this dialog (and paints and timers
// of every window) and discards the user's input to other windows.
class CProgressDlg : public QDialog {
    Q_OBJECT

public:
    explicit CProgressDlg(QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Opens the dialog (or raises it) and clears the stop flag.
    void Create();
    // Accepted when at least 1 / at least 0; false leaves the old value.
    bool SetMax(int maximum);
    bool SetPos(int position);
    void SetText(const QString& text);
    void EnableCancel(bool enable);
    // Handles the waiting events; true once "停止" was pressed.
    bool Poll();
    // Closes the window.
    void Close();

    int Maximum() const { return maximum_; }
    int Position() const { return position_; }
    QString Text() const { return text_; }
    bool IsCancelled() const { return cancelled_; }

private:
    class InputGate;
    void Apply();

    std::unique_ptr<Ui::CProgressDlg> ui_;
    int maximum_ = 100;
    int position_ = 0;
    QString text_;
    bool cancelEnabled_ = true;
    bool cancelled_ = false;
};
