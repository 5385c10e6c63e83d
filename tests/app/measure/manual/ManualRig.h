#pragma once

#include "BmpFixtures.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "ImageSource.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kova::test {

using Texts = std::vector<std::string>;

// An image window of `frames` small grey BMPs, with the document whose
// points it shows.
struct ManualRig {
    explicit ManualRig(int frames) {
        for (int i = 1; i <= frames; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "A%04d.BMP", i);
            names.push_back(WriteBmp(dir.File(name), 160, 160, 20 * i));
        }
        source.directory = dir.Path();
        source.head = "A";
        source.firstNumber = 1;
        source.lastNumber = frames;
        source.frames = frames;
        source.firstFile = "A0001.BMP";
        source.lastFile = names.empty() ? "" : names.back().substr(dir.Path().size() + 1);
        display.SetSeries(names, 0);
        display.SetTrackFile(&document.Track());
    }

    void Click(int x, int y) { display.DoDisplayLButtonDown(0x1, QPoint(x, y)); }
    void RightClick() { display.DoDisplayRButtonDown(0x2, QPoint(1, 1)); }

    TempDir dir;
    std::vector<std::string> names;
    RecordingPrompter prompter;
    CFrameStore store;
    CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MeasureDocument document{prompter};
    ImageSource source;
};

} // namespace kova::test
