#pragma once

#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <string>

namespace kova::test {

// A saved measurement of `targets` x 12 sample frames open in the document,
// on the image display, with its .TRI written from `info` keys.
struct EventsRig {
    explicit EventsRig(int targets = 3, const std::string& infoText = std::string()) {
        store.InitImageSys();
        FillSample(&document.Track(), targets, 12);
        WriteBytes(dir.File("M.TRI"), infoText);
        document.Track().Save(dir.File("M.TRK"));
        document.LoadDocument(dir.File("M.TRK"));
        document.SaveResultTo(dir.File("M.TRK"));
        savedInfo = ReadBytes(dir.File("M.TRI"));
        display.SetTrackFile(&document.Track());
    }
    std::string Stored(const std::string& key) {
        std::vector<std::string> values;
        document.Info().GetArray(key, &values);
        std::string joined;
        for (const std::string& value : values)
            joined += (joined.empty() ? "" : " ") + value;
        return joined;
    }

    TempDir dir;
    RecordingPrompter prompter;
    CFrameStore store;
    CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MeasureDocument document{prompter};
    std::string savedInfo;
};

} // namespace kova::test
