#pragma once

#include "Prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kova {

// Records every message and file dialog and answers from a script. With no
// scripted answer left, a message gets the default (positive) answer of its
// buttons and a file dialog counts as cancelled.
class RecordingPrompter : public Prompter {
public:
    MessageAnswer Show(const Message& message) override;
    bool ChooseFiles(const FileDialogRequest& request, std::vector<std::string>* paths) override;
    using Prompter::Show;

    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void QueueFiles(std::vector<std::string> paths) { files_.emplace_back(std::move(paths)); }
    void QueueFileCancel() { files_.emplace_back(std::nullopt); }

    const std::vector<Message>& Messages() const { return messages_; }
    const std::vector<FileDialogRequest>& FileRequests() const { return fileRequests_; }
    // The texts of the messages shown so far, in order.
    std::vector<std::string> Texts() const;
    void Clear();

private:
    std::vector<Message> messages_;
    std::vector<FileDialogRequest> fileRequests_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::vector<std::string>>> files_;
};

} // namespace kova
