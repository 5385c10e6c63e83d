#pragma once

#include "Progress.h"

namespace kova {

// The stop button of the command line: Ctrl-C (SIGINT) while one exists asks
// the loop to stop instead of ending the process. Shows nothing. One at a
// time; the previous handler comes back when it goes.
class InterruptProgress : public NullProgress {
public:
    InterruptProgress();
    ~InterruptProgress() override;

    bool Poll() override { return Interrupted(); }
    // True once Ctrl-C was pressed during its life.
    bool Interrupted() const;

private:
    void (*previous_)(int) = nullptr;
};

} // namespace kova
