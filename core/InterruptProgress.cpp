#include "InterruptProgress.h"

#include <atomic>
#include <csignal>

namespace kova {
namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int /*signal*/) {
    interrupted = true;
}

} // namespace

InterruptProgress::InterruptProgress() {
    interrupted = false;
    previous_ = std::signal(SIGINT, OnInterrupt);
}

InterruptProgress::~InterruptProgress() {
    std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_);
}

bool InterruptProgress::Interrupted() const {
    return interrupted;
}

} // namespace kova
