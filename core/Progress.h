#pragma once

#include <string>

// The one way a long loop shows how far it is and learns that the user wants
// it to stop: the main program shows the dialog "处理中...", the command line
// stops on Ctrl-C, tests script the stop. The loop opens it with its range,
// steps it and polls it before or after each item.
namespace kova {

class Progress {
public:
    Progress() = default;
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    virtual ~Progress() = default;

    virtual void Open(int maximum) = 0;
    virtual void Step(int position, const std::string& text) = 0;
    // Handles the waiting events; true once the user asked to stop.
    virtual bool Poll() = 0;
    virtual void Close() = 0;
};

// Shows nothing and never stops.
class NullProgress : public Progress {
public:
    void Open(int /*maximum*/) override {}
    void Step(int /*position*/, const std::string& /*text*/) override {}
    bool Poll() override { return false; }
    void Close() override {}
};

} // namespace kova
