#pragma once

#include <memory>

class QGuiApplication;

// The Qt application a headless program needs to draw text (the target
// numbers and scale bar labels): made on the offscreen platform when the
// program has none, and ended with this object. The C locale of the
// program's number formatting stays as it was.
class OffscreenGui {
public:
    OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;
    ~OffscreenGui();

private:
    std::unique_ptr<QGuiApplication> app_;
};
