#pragma once

// The image window as the display server sees it: the view implements it.
class DisplayWindow {
public:
    DisplayWindow() = default;
    DisplayWindow(const DisplayWindow&) = delete;
    DisplayWindow& operator=(const DisplayWindow&) = delete;
    virtual ~DisplayWindow() = default;

    virtual bool IsAlive() const = 0;
    virtual bool IsVisible() const = 0;
    // Repaints the whole window now, without erasing the background.
    virtual void RepaintNow() = 0;
};
