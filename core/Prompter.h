#pragma once

#include <string>
#include <vector>

// The one way logic talks to the user: message boxes and file dialogs. The
// main program implements it with Qt dialogs, the command line prints, and
// tests record the requests and answer from a script.
namespace kova {

enum class MessageIcon { None, Information, Question, Exclamation, Stop };

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

enum class MessageAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Exclamation;
    MessageButtons buttons = MessageButtons::Ok;

    bool operator==(const Message& other) const {
        return text == other.text && caption == other.caption && icon == other.icon &&
               buttons == other.buttons;
    }
};

enum class FileDialogKind { Open, OpenMultiple, Save };

// A file dialog as the logic describes it. `filter` has the form
// "description|pattern|description|pattern||"; `filterIndex` counts from 1
// (0 = the first entry).
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string defaultName;
    std::string initialDirectory;
    int filterIndex = 0;
    bool mustExist = false;
    bool overwritePrompt = false;
};

// The positive answer of a button set: what pressing Enter gives.
MessageAnswer DefaultAnswer(MessageButtons buttons);

class Prompter {
public:
    Prompter() = default;
    Prompter(const Prompter&) = delete;
    Prompter& operator=(const Prompter&) = delete;
    virtual ~Prompter() = default;

    // Shows a message and returns the button the user pressed.
    virtual MessageAnswer Show(const Message& message) = 0;

    // Lets the user choose files; false when the dialog was cancelled.
    // Open and Save give one path, OpenMultiple one or more.
    virtual bool ChooseFiles(const FileDialogRequest& request, std::vector<std::string>* paths) = 0;

    MessageAnswer Show(const std::string& text, const std::string& caption,
                       MessageIcon icon = MessageIcon::Exclamation,
                       MessageButtons buttons = MessageButtons::Ok);

    // One path; false when cancelled or nothing was chosen.
    bool ChooseFile(const FileDialogRequest& request, std::string* path);
};

} // namespace kova
