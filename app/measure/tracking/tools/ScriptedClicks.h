#pragma once

#include "ManualPointSource.h"

#include <string>
#include <vector>

// Clicks read from a text file, one answer a line: "x y" (a click at that
// image pixel), "skip" (a right click) or "stop" (the stop button). Blank
// lines and lines starting with '#' are ignored. When the list runs out, or
// a click lies outside the frame, the run is stopped and Problem() says why.
class ScriptedClicks : public ManualPointSource {
public:
    // Parses the text of a clicks file; false with `error` naming the line.
    bool Parse(const std::string& text, std::string* error);
    bool Load(const std::string& path, std::string* error);

    int WaitManualPoint(const Request& request, int& x, int& y) override;

    int Used() const { return static_cast<int>(next_); }
    const std::string& Problem() const { return problem_; }
    // True once a "stop" line was answered.
    bool StoppedByScript() const { return stopped_; }

private:
    struct Answer {
        int kind = kClicked;
        int x = 0;
        int y = 0;
    };

    std::vector<Answer> answers_;
    std::size_t next_ = 0;
    std::string problem_;
    bool stopped_ = false;
};
