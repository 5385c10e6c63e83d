#pragma once

#include "Prompter.h"

#include <mutex>
#include <vector>

// The prompter of a run on a worker thread: messages are kept (answered
// with their default button) and shown by the window's thread after the run,
// in order. A run asks no questions, so the default answer is never used.
class HeldPrompter : public kova::Prompter {
public:
    kova::MessageAnswer Show(const kova::Message& message) override;
    bool ChooseFiles(const kova::FileDialogRequest& request,
                     std::vector<std::string>* paths) override;
    using kova::Prompter::Show;

    // Shows the kept messages through `to` and forgets them.
    void Replay(kova::Prompter& to);

private:
    std::mutex mutex_;
    std::vector<kova::Message> held_;
};
