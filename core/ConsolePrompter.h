#pragma once

#include "Prompter.h"

#include <ostream>

namespace kova {

// Prompter of the command line: every message goes to a stream (standard
// error) as "caption: text"; questions get the answer the caller chose for
// the run (by default the positive one); file dialogs are cancelled, since a
// headless job names its files on the command line.
class ConsolePrompter : public Prompter {
public:
    explicit ConsolePrompter(std::ostream& out) : out_(out) {}

    MessageAnswer Show(const Message& message) override;
    bool ChooseFiles(const FileDialogRequest& request, std::vector<std::string>* paths) override;
    using Prompter::Show;

    // Answer for Yes/No questions; Yes unless set.
    void SetQuestionAnswer(MessageAnswer answer) { questionAnswer_ = answer; }
    int MessageCount() const { return count_; }

private:
    std::ostream& out_;
    MessageAnswer questionAnswer_ = MessageAnswer::Yes;
    int count_ = 0;
};

} // namespace kova
