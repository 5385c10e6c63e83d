#include "WindowClickSource.h"

int WindowClickSource::WaitManualPoint(const Request& request, int& x, int& y) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopped_) return kStopped;
        waiting_ = true;
        hasAnswer_ = false;
    }
    if (asked_) asked_(request);
    std::unique_lock<std::mutex> lock(mutex_);
    answered_.wait(lock, [this] { return hasAnswer_ || stopped_; });
    waiting_ = false;
    if (stopped_) return kStopped;
    if (answer_ == kClicked) {
        x = x_;
        y = y_;
    }
    return answer_;
}

void WindowClickSource::Answer(int answer, int x, int y) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!waiting_) return;
        answer_ = answer;
        x_ = x;
        y_ = y;
        hasAnswer_ = true;
    }
    answered_.notify_all();
}

void WindowClickSource::Click(int x, int y) {
    Answer(kClicked, x, y);
}

void WindowClickSource::Skip() {
    Answer(kSkipped, 0, 0);
}

void WindowClickSource::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    answered_.notify_all();
}

bool WindowClickSource::Waiting() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return waiting_;
}
