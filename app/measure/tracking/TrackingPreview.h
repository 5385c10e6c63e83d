#pragma once

#include "FrameWindow.h"
#include "TrackingObserver.h"

#include <QImage>
#include <string>
#include <vector>

// The preview of a run: for every frame written, a PNG of the frame
// (folder/frame0001.png for the run's first frame) with, for each target,
// the pixels of its window's blobs tinted cyan, its search window (green:
// one blob, orange: the largest of several, red: lost), a yellow frame
// around the blob taken and a magenta cross on the point written. So a run
// can be checked by eye. Each image is written whole or not at all.
class TrackingPreview : public TrackingObserver {
public:
    static constexpr QRgb kTint = 0xff00ffff;
    static constexpr QRgb kWindowFound = 0xff00ff00;
    static constexpr QRgb kWindowLargest = 0xffffa000;
    static constexpr QRgb kWindowLost = 0xffff0000;
    static constexpr QRgb kBlobFrame = 0xffffff00;
    static constexpr QRgb kPoint = 0xffff00ff;

    explicit TrackingPreview(std::string folder) : folder_(std::move(folder)) {}

    // Makes the folder when it is missing; false with `error` otherwise.
    bool Open(std::string* error);
    // The image of frame k's preview.
    std::string PathOf(int k) const;
    // The first image that could not be written (later ones are not tried);
    // empty when all were.
    const std::string& Unwritten() const { return unwritten_; }

    void FrameLoaded(int k, const kova::CFrameStore& store, int frame, bool colour) override;
    void TargetTracked(const TrackedTarget& tracked) override;
    void FrameWritten(int k) override;

private:
    struct Mark {
        kova::FrameWindow window;
        QRgb windowColour;
        bool hasBlob;
        kova::FrameWindow blob;
        float x, y;
    };

    void Tint(const TrackedTarget& tracked);
    void DrawMark(const Mark& mark);
    void Outline(const kova::FrameWindow& box, QRgb colour);
    void Put(int x, int y, QRgb colour);

    std::string folder_;
    std::string unwritten_;
    QImage image_;
    std::vector<Mark> marks_;
    std::vector<std::uint8_t> pixels_;
};
