#pragma once

#include "ManualPointSource.h"

#include <condition_variable>
#include <functional>
#include <mutex>

// The clicks of the tracking window for an engine on a worker thread: the
// engine's wait tells the window what it waits for (through `asked`, on the
// worker) and blocks until the window passes a click, a skip or the stop.
// A stop also answers every later wait at once.
class WindowClickSource : public ManualPointSource {
public:
    explicit WindowClickSource(std::function<void(const Request&)> asked)
        : asked_(std::move(asked)) {}

    int WaitManualPoint(const Request& request, int& x, int& y) override;

    // From the window's thread; ignored when nothing waits.
    void Click(int x, int y);
    void Skip();
    void Stop();
    bool Waiting() const;

private:
    void Answer(int answer, int x, int y);

    std::function<void(const Request&)> asked_;
    mutable std::mutex mutex_;
    std::condition_variable answered_;
    bool waiting_ = false;
    bool stopped_ = false;
    bool hasAnswer_ = false;
    int answer_ = kClicked;
    int x_ = 0;
    int y_ = 0;
};
