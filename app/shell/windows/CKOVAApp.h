#pragma once

#include "AppContext.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "DrawingTools.h"
#include "QtPrompter.h"

#include <QStringList>
#include <memory>
#include <string>

class CMainFrame;
class QSettings;

// The application object: the frame store, the system configuration, the
// shared drawing tools and the settings; starts the program in its order
// and writes a changed configuration back at exit.
class CKOVAApp {
public:
    // `prompter` replaces the program's message boxes (tests); null uses them.
    explicit CKOVAApp(kova::Prompter* prompter = nullptr);
    CKOVAApp(const CKOVAApp&) = delete;
    CKOVAApp& operator=(const CKOVAApp&) = delete;
    ~CKOVAApp();

    // Starts the program with the command line arguments (without the
    // program name) from the start-up directory; false ends the start before
    // any window is shown.
    bool InitInstance(const QStringList& arguments, const std::string& startDirectory);
    // Closes the windows, releases the frame store and saves a changed
    // configuration.
    void ExitInstance();

    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    CCfgFile& Config() { return config_; }
    kova::CFrameStore& Store() { return store_; }
    const DrawingTools& Tools() const { return tools_; }
    QSettings* Settings() const { return settings_.get(); }

private:
    QtPrompter qtPrompter_;
    kova::Prompter& prompter_;
    kova::CFrameStore store_;
    DrawingTools tools_;
    CCfgFile config_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<CMainFrame> mainFrame_;
    bool started_ = false;
};
