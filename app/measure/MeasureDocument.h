#pragma once

#include "CDataClient.h"
#include "CDataServer.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "MeasureHistory.h"

#include <functional>
#include <string>

class CCfgFile;
namespace kova {
class Prompter;
}

// The measurement side of the main program's document: the .TRK point file,
// the .TRI track information, the data server that guards both and the
// document's own data client. Open, save and reload of the pair, with every
// message through the prompter. The Qt document wraps it.
class MeasureDocument {
public:
    explicit MeasureDocument(kova::Prompter& prompter,
                             const std::string& dataDirectory = std::string());
    MeasureDocument(const MeasureDocument&) = delete;
    MeasureDocument& operator=(const MeasureDocument&) = delete;
    ~MeasureDocument();

    CTrackFile2D& Track() { return track_; }
    const CTrackFile2D& Track() const { return track_; }
    CTrackInfo2D& Info() { return info_; }
    CDataServer& DataServer() { return server_; }
    CDataClient& Client() { return client_; }
    kova::Prompter& Prompter() { return prompter_; }
    // The undo history of the table and information; cleared when another
    // measurement is loaded, its saved state set at every save.
    MeasureHistory& History() { return history_; }

    // Where the file dialogs start (the frame store's data directory).
    void SetDataDirectory(const std::string& directory) { track_.SetDataDirectory(directory); }
    // Called after a measurement was loaded: the first view rebuilds its
    // image source from the .TRI keys.
    void SetImageSourceRebuild(std::function<void()> rebuild) { rebuild_ = std::move(rebuild); }

    // A new document starts with the calibration of the system configuration.
    int OnNewDocument(CCfgFile* systemConfig);

    // 1 when the track file was loaded (the .TRI load does not count), else 0.
    int LoadMeasurement(const std::string& path, CTrackFile2D* track, CTrackInfo2D* info);
    // 1 when the track file was saved; a failed .TRI save only shows a message.
    int SaveMeasurement(const std::string& path, CTrackFile2D* track, CTrackInfo2D* info);
    // Reload under the data lock (after a tracking run): 1/0.
    int LoadDocument(const std::string& path);
    // "打开2D结果文件": 1 opened, 0 cancelled, -1 failed.
    int OpenResult(const std::string& path);
    // "保存2D结果修正文件": 1 saved, 0 no data, -1 cancelled or failed.
    int SaveResult(const std::string& path);
    // The save command with its file already chosen (the command line).
    int SaveResultTo(const std::string& path);
    // The file of the pair that the last save could not write (the .TRK, or
    // the .TRI after a saved .TRK); empty when both were written.
    const std::string& UnsavedPath() const { return unsavedPath_; }

    // The track file's modified flag: 1 after any change not yet saved; a
    // failed open or reload leaves an empty, unmodified document.
    int IsModified() const { return track_.IsModified(); }

private:
    bool HasData() const;
    // After a failed load: an empty table has nothing to save.
    void ForgetEmptyTable();
    void StartDialog(const std::string& path, CPtFile* dialog) const;
    void NotifyLoaded();

    kova::Prompter& prompter_;
    CDataClient client_;
    CTrackFile2D track_;
    CTrackInfo2D info_;
    CDataServer server_;
    MeasureHistory history_{*this};
    std::function<void()> rebuild_;
    std::string unsavedPath_;
};
