#include "ConsolePrompter.h"

namespace kova {

MessageAnswer ConsolePrompter::Show(const Message& message) {
    ++count_;
    if (!message.caption.empty()) out_ << message.caption << ": ";
    out_ << message.text << '\n';
    out_.flush();
    if (message.buttons == MessageButtons::YesNo || message.buttons == MessageButtons::YesNoCancel)
        return questionAnswer_;
    return DefaultAnswer(message.buttons);
}

bool ConsolePrompter::ChooseFiles(const FileDialogRequest& /*request*/,
                                  std::vector<std::string>* /*paths*/) {
    return false;
}

} // namespace kova
