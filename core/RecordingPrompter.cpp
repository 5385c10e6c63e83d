#include "RecordingPrompter.h"

namespace kova {

MessageAnswer RecordingPrompter::Show(const Message& message) {
    messages_.push_back(message);
    if (answers_.empty()) return DefaultAnswer(message.buttons);
    MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool RecordingPrompter::ChooseFiles(const FileDialogRequest& request,
                                    std::vector<std::string>* paths) {
    fileRequests_.push_back(request);
    if (files_.empty()) return false;
    std::optional<std::vector<std::string>> answer = std::move(files_.front());
    files_.pop_front();
    if (!answer || answer->empty()) return false;
    if (paths) *paths = std::move(*answer);
    return true;
}

std::vector<std::string> RecordingPrompter::Texts() const {
    std::vector<std::string> texts;
    texts.reserve(messages_.size());
    for (const Message& m : messages_)
        texts.push_back(m.text);
    return texts;
}

void RecordingPrompter::Clear() {
    messages_.clear();
    fileRequests_.clear();
    answers_.clear();
    files_.clear();
}

} // namespace kova
