#include "HeldPrompter.h"

kova::MessageAnswer HeldPrompter::Show(const kova::Message& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    held_.push_back(message);
    return kova::DefaultAnswer(message.buttons);
}

bool HeldPrompter::ChooseFiles(const kova::FileDialogRequest& /*request*/,
                               std::vector<std::string>* /*paths*/) {
    return false;
}

void HeldPrompter::Replay(kova::Prompter& to) {
    std::vector<kova::Message> held;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        held.swap(held_);
    }
    for (const kova::Message& message : held)
        to.Show(message);
}
