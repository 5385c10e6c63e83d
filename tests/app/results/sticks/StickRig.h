#pragma once

#include "AnalysisFixtures.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "DisplayWindow.h"
#include "MeasureDocument.h"
#include "RecordingPrompter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace kova::test {

// A measurement (rows: one per target) in a document on the image display.
struct StickRig {
    struct Window : DisplayWindow {
        bool IsAlive() const override { return true; }
        bool IsVisible() const override { return true; }
        void RepaintNow() override {}
    };

    explicit StickRig(const std::vector<std::vector<XY_TRACK>>& rows) {
        store.InitImageSys();
        Fill("D:/S.TRK", Calib{1, 3, 1, 30, 4, 0, 0, 0, 1}, std::vector<std::string>(rows.size()),
             rows, &document.Track(), &document.Info());
        display.SetTrackFile(&document.Track());
        display.SetWindow(&image);
        display.SetPage(1);
    }
    ~StickRig() { display.FreeWindow(&image); }

    std::vector<int> Stored() {
        std::vector<int> values;
        document.Info().GetArray("TargetPairStick", &values);
        return values;
    }
    // The image overlays painted over a blue picture.
    QImage Painted() {
        QImage picture(24, 24, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QPainter painter(&picture);
        display.DoDisplayPaint(&painter);
        return picture;
    }

    RecordingPrompter prompter;
    CFrameStore store;
    CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    Window image;
    MeasureDocument document{prompter};
};

constexpr QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlue = qRgb(0, 0, 255),
               kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0);

struct Pixel {
    int x, y;
    QRgb colour;
};
// `at(x, y)` gives the colour each pixel names.
template <typename At> void ExpectPixels(At at, std::initializer_list<Pixel> pixels) {
    for (const Pixel& p : pixels)
        EXPECT_EQ(at(p.x, p.y), p.colour) << p.x << "," << p.y;
}

// The messages expected: `text`, or none for null.
inline std::vector<std::string> Said(const char* text) {
    return text ? std::vector<std::string>{text} : std::vector<std::string>{};
}

} // namespace kova::test
