#pragma once

// Answers the engine's wait for a click: the tracking window with the
// user's clicks, the command line with a scripted list.
class ManualPointSource {
public:
    static constexpr int kClicked = 0;
    static constexpr int kStopped = -1;
    static constexpr int kSkipped = -2;

    // What the engine is waiting for: the frame (1-based), the ID shown
    // (target index + 1), the working point and the frame size.
    struct Request {
        int frame = 0;
        int id = 0;
        int cx = 0;
        int cy = 0;
        int width = 0;
        int height = 0;
    };

    ManualPointSource() = default;
    ManualPointSource(const ManualPointSource&) = delete;
    ManualPointSource& operator=(const ManualPointSource&) = delete;
    virtual ~ManualPointSource() = default;

    // kClicked with the point in image pixels, kSkipped or kStopped.
    virtual int WaitManualPoint(const Request& request, int& x, int& y) = 0;
};
