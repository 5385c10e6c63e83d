#pragma once

#include "CaptureViewPort.h"
#include "StatusWindowLogic.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

class CCapvoView;
class CPixelValueWnd;
class CStatusWnd;
class CZoomDlg;
class QLabel;
class QMdiSubWindow;
class QSettings;
struct CapvoCommand;
namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova

// capvo's main window: the view of the frame store as the one document
// window of an MDI area, the menus built from the command table, the status
// bar with the display scale and frame size, and the tool windows (pixel
// values, zoom, status window). It refuses to close while a dialog reports
// a running capture or conversion.
class CCapvoFrame : public QMainWindow {
    Q_OBJECT

public:
    CCapvoFrame(kova::CFrameStore& store, kova::Prompter& prompter, QSettings& settings,
                QWidget* parent = nullptr);
    ~CCapvoFrame() override;

    CCapvoView& View() const { return *view_; }
    QMdiSubWindow* ViewWindow() const { return viewWindow_; }
    StatusWindowLogic& Status() { return status_; }
    CStatusWnd* StatusWindow() const { return statusWnd_; }
    CZoomDlg* ZoomDialog() const { return zoomDlg_; }
    CPixelValueWnd* PixelWindow() const { return pixelWnd_; }
    QAction* Action(int command) const;
    // The permanent status bar text: scale and frame size.
    QString StatusBarText() const;

    // A check asked before the program may quit: true while its owner runs.
    void AddRunningCheck(std::function<bool()> running);
    bool AnyRunning() const;

    // Opens the modeless dialog of a command, or raises it when open.
    template <class Dlg> void OpenDialog();

    void OnPixelValue();
    void OnZoom();
    void OnStatusWindow();
    void OnFrameSettings();
    void OnAbout();

    // The frame store's display changed.
    void UpdateView();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Keeps the document window from closing.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct OpenDialogEntry {
        QPointer<QWidget> dialog;
        std::function<bool()> running;
    };

    void BuildMenus();
    void AddCommand(const CapvoCommand& row);
    void UpdateStatusBar();
    void SetZoom(int percent);
    void ShowDialog(QWidget* dialog);

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    QSettings& settings_;
    StatusWindowLogic status_;
    CCapvoView* view_ = nullptr;
    CaptureViewPort* viewPort_ = nullptr; // the view, for the dialogs
    QMdiSubWindow* viewWindow_ = nullptr;
    QLabel* ratePane_ = nullptr;
    CStatusWnd* statusWnd_ = nullptr;
    CZoomDlg* zoomDlg_ = nullptr;
    CPixelValueWnd* pixelWnd_ = nullptr;
    std::vector<std::pair<int, QAction*>> actions_;
    std::vector<std::function<bool()>> runningChecks_;
    std::map<std::type_index, OpenDialogEntry> dialogs_;
};

template <class Dlg> void CCapvoFrame::OpenDialog() {
    OpenDialogEntry& entry = dialogs_[std::type_index(typeid(Dlg))];
    if (entry.dialog) {
        ShowDialog(entry.dialog);
        return;
    }
    Dlg* dialog = nullptr;
    if constexpr (std::is_constructible_v<Dlg, kova::CFrameStore&, kova::Prompter&,
                                          CaptureViewPort&, QWidget*>)
        dialog = new Dlg(store_, prompter_, *viewPort_, this);
    else
        dialog = new Dlg(store_, prompter_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<Dlg> guarded(dialog);
    entry.dialog = dialog;
    entry.running = [guarded] { return guarded && guarded->IsRunning(); };
    ShowDialog(dialog);
}
