#pragma once

#include <string>

class CImageDisplay;
class CTrackFile2D;
struct ImageSource;

// Stepping through the frames of the view: the pages of the motion images,
// or the frames of the measurement when it has no images, clamped to the
// first and last; and the status texts of the frame shown.
class FrameNavigation {
public:
    FrameNavigation(CImageDisplay& display, const ImageSource& source, const CTrackFile2D& track);

    // How many frames there are to step through (0: none).
    int Count() const;
    int Page() const;
    // Shows frame `page` (clamped); false when there is nothing to show.
    bool Go(int page);
    bool Step(int delta) { return Go(Page() + delta); }

    // "帧 n / N", empty without frames.
    std::string FrameText() const;
    // The number of the frame's source: the series file number or the AVI
    // frame; empty without images.
    std::string SourceText() const;

private:
    bool HasImages() const;

    CImageDisplay& display_;
    const ImageSource& source_;
    const CTrackFile2D& track_;
};
