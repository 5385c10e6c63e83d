#pragma once

#include "CImageProc.h"
#include "ColourSampler.h"
#include "SegmentationFields.h"
#include "SegmentationResult.h"

#include <array>
#include <vector>

namespace kova {
class CFrameStore;
}

// The logic of the image segmentation window "图像分割": the bands of a grey,
// automatic, RGB or HSI binarisation found on one source frame, colour
// samples, the run into an output frame, the preview, and the result record.
// A source of the other kind than the mode needs (a grey frame in a colour
// mode or the reverse) is derived afresh each time: grey copied to the three
// planes of colour work frame 0, or the luminance into grey work frame 0.
class SegmentationLogic {
public:
    explicit SegmentationLogic(kova::CFrameStore& store);

    // Takes the frames and the values to start from (the record's method
    // code chooses the mode). False, with nothing changed, when the source is
    // not an image of the store shown (colour or grey) or the output frame
    // is outside 0 .. the number of grey frames.
    bool Open(int sourceFrame, int outputFrame, const SegmentationResult& given);
    SegmentationFields& Fields() { return fields_; }
    const SegmentationFields& Fields() const { return fields_; }
    bool PreviewShown() const { return preview_; }

    // Applies a mode: the bands start at 0..63 unless the last use ended
    // with 确定, the display follows the mode, the sampling starts again.
    void ApplyMode(SegmentationMode mode);
    // A click on the image (colour modes only); false when no sample was taken.
    bool SampleAt(int x, int y);
    // 重设定.
    void ResetSampling();
    // 运行: binarises the source into the output frame; the automatic
    // methods set the band to the threshold found.
    void Run();
    // 改变视图: preview or source frame; true when the preview is shown now.
    bool ChangeView();
    // 确定: the record of the current values (marked accepted); the source
    // frame is shown again.
    SegmentationResult Accept();
    // 取消 or the window closed: the source frame is shown again.
    void Close();

    // The histogram of a row's channel over the whole source frame: 256
    // bins, or 360 for the HSI rows.
    std::vector<long> Histogram(int row);

private:
    int GreySource();
    int ColourSource();
    int Target() const { return fields_.colour == ResultColour::White ? 255 : 0; }
    // The bands a run or preview passes: unchecked colour channels pass all.
    std::array<int, 6> PassBands() const;
    void Binarise(int destination);
    void ShowSource();
    void ComputeHistograms();

    kova::CFrameStore& store_;
    kova::CImageProc proc_;
    SegmentationResult given_;
    SegmentationFields fields_;
    ColourSampler sampler_;
    int source_ = 1;
    int output_ = 0;
    bool sourceColour_ = false;
    bool preview_ = false;
    std::array<std::vector<long>, 3> histograms_;
    SegmentationMode histogramMode_ = SegmentationMode::Grey;
    bool histogramsValid_ = false;
};
