#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

struct AppContext;
struct CommandRow;
class CChildFrame;
class CHelpWindow;
class CKOVAView;
class QLabel;
class QMdiArea;
class QMenu;
class QSlider;
class QSpinBox;
class QPrinter;

// The main window: the child windows in an MDI area, the menus built from
// the command table, the four-pane status bar, the recent file list, help,
// the about box and the frame-store settings.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kRecentFiles = 4;

    explicit CMainFrame(AppContext& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CChildFrame* NewDocument();
    // A new child window on a named measurement.
    CChildFrame* OpenDocument(const QString& path);
    CKOVAView* ActiveView() const;
    QMdiArea* MdiArea() const { return mdi_; }
    // The entry of a command identifier (the shown one where two share it).
    QAction* Action(int command) const;
    // Runs a command as its menu entry does.
    void Run(const CommandRow& row);
    QMenu* ResultBrowseMenu() const { return resultBrowse_; }
    QMenu* ResultFixMenu() const { return resultFix_; }
    QStringList RecentFiles() const { return recent_; }
    QString MessagePaneText() const;
    // The frame pane ("帧 n / N") and the source number pane.
    QString FrameText() const;
    QString SourceText() const;
    QSlider* FrameSlider() const { return frameSlider_; }
    QSpinBox* FrameSpin() const { return frameSpin_; }
    CHelpWindow* HelpWindow() const;

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
    QAction* AddAction(const CommandRow& row);
    QMenu* MenuAt(const char* path);
    void BuildMenus();
    void BuildStatusBar();
    void BuildFrameBar();
    // Shows a view's frame in the frame controls and panes.
    void ShowFrame(int page, int count, const QString& frameText, const QString& sourceText);
    // The check marks, texts and enabled states that follow the active view.
    void UpdateChecks();
    void ConnectView(CChildFrame* child);
    void ActiveChanged();
    void SetResultMenus(bool enabled);
    void AddRecent(const QString& path);
    void RebuildRecent();

    AppContext& app_;
    QMdiArea* mdi_;
    // Every entry with its row, in menu order.
    std::vector<std::pair<const CommandRow*, QAction*>> actions_;
    std::map<std::string, QMenu*> menus_;
    QMenu* resultBrowse_ = nullptr;
    QMenu* resultFix_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QSlider* frameSlider_ = nullptr;
    QSpinBox* frameSpin_ = nullptr;
    QLabel* framePane_ = nullptr;
    QLabel* sourcePane_ = nullptr;
    QStringList recent_;
    bool closing_ = false;
    std::unique_ptr<QPrinter> printer_;
    QPointer<CHelpWindow> help_;
};
