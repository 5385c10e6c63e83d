#pragma once

#include "AppContext.h"
#include "CHelpWindow.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <map>
#include <memory>

class QPrinter;

class CChildFrame;
class CKOVAView;
class QLabel;
class QMdiArea;
class QMenu;

// The main window: the child windows in an MDI area, the menus of the
// command table, the four-pane status bar, the recent file list, help, the
// about box and the frame-store settings.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Command identifiers of the menu entries.
    enum Command {
        kNew = 57600,
        kClose = 57602,
        kExit = 57665,
        kOpenResult = 32807,
        kSaveResult = 32808,
        kSaveImage = 32774,
        kMotionImage = 32771,
        kCalibration = 32788,
        kPixelValue = 32812,
        kZoomHalf = 32778,
        kCapture = 32830,
        kHelp = 57670,
        kAbout = 57664,
        kSysFrame = 32773,
        kPrint = 57607,
        kPrintPreview = 57609,
        kPrintSetup = 57606,
    };
    static constexpr int kRecentFiles = 4;

    explicit CMainFrame(AppContext& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CChildFrame* NewDocument();
    // A new child window on a named measurement.
    CChildFrame* OpenDocument(const QString& path);
    CKOVAView* ActiveView() const;
    QMdiArea* MdiArea() const { return mdi_; }
    QAction* Action(int command) const;
    QMenu* ResultBrowseMenu() const { return resultBrowse_; }
    QMenu* ResultFixMenu() const { return resultFix_; }
    QStringList RecentFiles() const { return recent_; }
    QString MessagePaneText() const;
    CHelpWindow* HelpWindow() const { return help_.data(); }

    // Repaints every view (the frame store's display changed).
    void UpdateViews();

    void OnHelp();
    void OnAbout();
    void OnSysFrame();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* AddAction(int command, const char* text, const char* status);
    void BuildActions();
    void BuildMenus();
    void BuildStatusBar();
    void ConnectView(CChildFrame* child);
    void ActiveChanged();
    void SetResultMenus(bool enabled);
    void AddRecent(const QString& path);
    void RebuildRecent();
    template <typename Call> void OnView(Call call);

    AppContext& app_;
    QMdiArea* mdi_;
    std::map<int, QAction*> actions_;
    QMenu* file_ = nullptr;
    QMenu* image_ = nullptr;
    QMenu* resultBrowse_ = nullptr;
    QMenu* resultFix_ = nullptr;
    QMenu* window_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QStringList recent_;
    bool closing_ = false;
    std::unique_ptr<QPrinter> printer_;
    QPointer<CHelpWindow> help_;
};
