#include "MeasureDocument.h"

#include "CFileUtil.h"
#include "MeasurePaths.h"
#include "Prompter.h"

namespace {

using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

} // namespace

MeasureDocument::MeasureDocument(kova::Prompter& prompter, const std::string& dataDirectory)
    : prompter_(prompter), track_(dataDirectory), info_(&prompter) {
    client_.SetName("KOVA");
}

MeasureDocument::~MeasureDocument() {
    if (server_.LockHolder() == &client_) server_.UnLockData(&client_, 0);
}

int MeasureDocument::OnNewDocument(CCfgFile* systemConfig) {
    track_.SetCalibration(systemConfig);
    history_.Clear();
    return 1;
}

int MeasureDocument::LoadMeasurement(const std::string& path, CTrackFile2D* track,
                                     CTrackInfo2D* info) {
    if (!track || !track->Load(path)) return 0;
    if (!info) return 1;
    const std::string infoPath = MeasurePaths::InfoPathFor(track->GetLastPath());
    // Reloading the same pair: its unsaved track information must not be
    // written over the file that is about to be read.
    if (MeasurePaths::SameIgnoringCase(info->GetFilePath(), infoPath)) info->SetModified(0);
    info->Load(infoPath);
    return 1;
}

int MeasureDocument::SaveMeasurement(const std::string& path, CTrackFile2D* track,
                                     CTrackInfo2D* info) {
    unsavedPath_ = path;
    if (!track || !track->Save(path)) return 0;
    unsavedPath_.clear();
    if (!info) return 1;
    const std::string infoPath = MeasurePaths::InfoPathFor(track->GetLastPath());
    info->SetPrompter(nullptr); // the message below is the only one
    const int saved = info->Save(infoPath);
    info->SetPrompter(&prompter_);
    if (!saved) {
        prompter_.Show("It can't save track information", "KOVA", MessageIcon::Exclamation);
        unsavedPath_ = infoPath;
    }
    // An unsaved .TRI stays modified, so the history keeps it a change.
    if (track == &track_) history_.MarkSaved();
    return 1;
}

void MeasureDocument::NotifyLoaded() {
    if (rebuild_) rebuild_();
}

int MeasureDocument::LoadDocument(const std::string& path) {
    const int locked = server_.LockData(&client_);
    const int loaded = LoadMeasurement(path, &track_, &info_);
    if (loaded)
        NotifyLoaded();
    else
        ForgetEmptyTable();
    history_.Clear();
    if (locked) server_.UnLockData(&client_, 1);
    return loaded;
}

void MeasureDocument::StartDialog(const std::string& path, CPtFile* dialog) const {
    dialog->SetFilter(track_.GetFilter());
    dialog->SetDefaultExt(track_.GetDefaultExt());
    dialog->SetOpenTitle(track_.GetOpenTitle());
    dialog->SetSaveTitle(track_.GetSaveTitle());
    const std::string start = path.empty() ? track_.GetLastPath() : path;
    if (start.empty()) {
        // Nothing opened yet: the data directory and the default name.
        dialog->SetInitialDir(track_.GetInitialDir());
        dialog->SetDefaultName(track_.GetDefaultName());
        return;
    }
    std::string directory;
    std::string name;
    CPtFile::SplitPath(start, &directory, &name);
    dialog->SetInitialDir(directory);
    dialog->SetDefaultName(name);
}

int MeasureDocument::OpenResult(const std::string& path) {
    if (track_.IsModified() &&
        prompter_.Show("Save and renew the processing data.\nCan do it?", "Confirm",
                       MessageIcon::Question, MessageButtons::OkCancel) != MessageAnswer::Ok)
        return 0;
    CFileUtil dialog;
    StartDialog(path, &dialog);
    if (!server_.LockData(&client_)) return 0; // another tool is editing the points
    std::string chosen;
    if (!dialog.ChooseOpenPath(prompter_, &chosen)) {
        server_.UnLockData(&client_, 0);
        return 0;
    }
    if (LoadMeasurement(chosen, &track_, &info_)) {
        NotifyLoaded();
        history_.Clear();
        server_.UnLockData(&client_, 1);
        return 1;
    }
    ForgetEmptyTable();
    history_.Clear();
    server_.UnLockData(&client_, 1);
    CPtFile::LoadError(prompter_);
    return -1;
}

void MeasureDocument::ForgetEmptyTable() {
    if (!HasData()) track_.SetModified(0);
}

bool MeasureDocument::HasData() const {
    return track_.GetFrameCount() > 0 && track_.GetTargetCount() > 0;
}

int MeasureDocument::SaveResult(const std::string& path) {
    if (!HasData()) {
        prompter_.Show("No data.", "Confirm", MessageIcon::Exclamation);
        return 0;
    }
    CFileUtil dialog;
    StartDialog(path, &dialog);
    std::string chosen;
    if (!dialog.ChooseSavePath(prompter_, &chosen)) return -1;
    return SaveResultTo(chosen);
}

int MeasureDocument::SaveResultTo(const std::string& path) {
    if (!HasData()) {
        prompter_.Show("No data.", "Confirm", MessageIcon::Exclamation);
        return 0;
    }
    const int locked = server_.LockData(&client_);
    int result = 1;
    if (!SaveMeasurement(path, &track_, &info_)) {
        CPtFile::SaveError(prompter_);
        result = -1;
    }
    if (locked) server_.UnLockData(&client_, 0);
    return result;
}
