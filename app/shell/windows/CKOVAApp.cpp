#include "CKOVAApp.h"

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "FrameStoreSettings.h"
#include "SystemConfig.h"

#include <QSettings>

CKOVAApp::CKOVAApp(kova::Prompter* prompter)
    : prompter_(prompter ? *prompter : static_cast<kova::Prompter&>(qtPrompter_)) {}

CKOVAApp::~CKOVAApp() {
    ExitInstance();
}

bool CKOVAApp::InitInstance(const QStringList& arguments, const std::string& startDirectory) {
    if (!store_.InitImageSys()) return false;
    // The pens and brushes were made with the object; the configuration
    // decides whether the program may start.
    if (!SystemConfig::Load(config_, startDirectory, prompter_)) return false;
    settings_ = std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope,
        QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("KOVA"));
    FrameStoreSettings::Load(*settings_, FrameStoreSettings::From(store_)).Apply(store_);
    context_ =
        std::make_unique<AppContext>(AppContext{store_, config_, prompter_, tools_, *settings_});
    mainFrame_ = std::make_unique<CMainFrame>(*context_);
    qtPrompter_.SetParent(mainFrame_.get());
    store_.Put_display_callback([this] {
        if (mainFrame_) mainFrame_->UpdateViews();
    });
    started_ = true;
    // Shown first, so that a document window is sized within a laid-out
    // main window even when its file cannot be opened.
    mainFrame_->show();
    mainFrame_->activateWindow();
    if (arguments.isEmpty())
        mainFrame_->NewDocument();
    else
        mainFrame_->OpenDocument(arguments.front());
    return true;
}

void CKOVAApp::ExitInstance() {
    if (!started_) return;
    started_ = false;
    store_.Put_display_callback(nullptr);
    mainFrame_.reset();
    store_.FinishImageSys();
    if (SystemConfig::WritesBack(config_) && config_.IsModified())
        config_.Save(config_.GetLastPath());
    config_.SetModified(0);
    if (settings_) settings_->sync();
}
