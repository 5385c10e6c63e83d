#include "Prompter.h"

namespace kova {

MessageAnswer DefaultAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    case MessageButtons::RetryCancel:
        return MessageAnswer::Retry;
    case MessageButtons::AbortRetryIgnore:
        return MessageAnswer::Abort;
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        break;
    }
    return MessageAnswer::Ok;
}

MessageAnswer Prompter::Show(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) {
    return Show(Message{text, caption, icon, buttons});
}

bool Prompter::ChooseFile(const FileDialogRequest& request, std::string* path) {
    std::vector<std::string> paths;
    if (!ChooseFiles(request, &paths) || paths.empty()) return false;
    if (path) *path = paths.front();
    return true;
}

} // namespace kova
