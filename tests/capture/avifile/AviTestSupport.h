#pragma once

#include "AviFileControls.h"
#include "CAviVideo.h"
#include "CFrameStore.h"

#include <QImage>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

namespace kova::test {

constexpr int kAviWidth = 32;
constexpr int kAviHeight = 24;

// A grey or colour image whose every pixel depends on frame, row and column.
cv::Mat PatternImage(int frame, int width, int height, bool colour);
// A store of `frames` grey and colour frames of width x height, each holding
// PatternImage of its number.
void FillStore(CFrameStore& store, int frames, int width, int height);
// Store frames 1 .. frames as an AVI at 25 frames per second; true on success.
bool WriteStoreAvi(const CFrameStore& store, const std::string& path, int frames, bool colour,
                   CAviVideo::Codec codec = CAviVideo::Codec::Raw);
// Every frame of an AVI as the reader decodes it (8-bit BGR).
std::vector<cv::Mat> DecodeAll(const std::string& path);
bool HaveFfmpeg();
bool RunTool(const std::string& command);

// The window as a test sees it: fields to hand out and what was shown.
class FakeAviControls : public AviFileControls {
public:
    void ReadControls(AviFileFields* out) override { *out = fields; }
    void WriteControls(const AviFileFields& in) override { fields = in; }
    void SetPropertyText(const std::string& text) override { propertyText = text; }
    void ShowPreview(const QImage& image, const std::string& text) override {
        previewImage = image;
        previewText = text;
    }
    void SetSliderRange(int min, int max) override {
        sliderMin = min;
        sliderMax = max;
    }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void SetRunning(bool running) override { runningStates.push_back(running); }
    void FocusField(AviFileField field) override { focused = field; }

    AviFileFields fields;
    std::string propertyText;
    QImage previewImage;
    std::string previewText;
    int sliderMin = 0;
    int sliderMax = 0;
    std::vector<int> progress;
    std::vector<bool> runningStates;
    AviFileField focused = AviFileField::None;
};

} // namespace kova::test
