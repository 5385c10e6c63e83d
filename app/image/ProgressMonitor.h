#pragma once

#include <string>

// What a long loop needs of the progress dialog "处理中...": open it with a
// range, show the position and a text line, and poll the stop button
// (handling the waiting window events) before each item.
class ProgressMonitor {
public:
    ProgressMonitor() = default;
    ProgressMonitor(const ProgressMonitor&) = delete;
    ProgressMonitor& operator=(const ProgressMonitor&) = delete;
    virtual ~ProgressMonitor() = default;

    virtual void Open(int maximum) = 0;
    virtual void Step(int position, const std::string& text) = 0;
    // True once the user pressed the stop button.
    virtual bool Poll() = 0;
    virtual void Close() = 0;
};
