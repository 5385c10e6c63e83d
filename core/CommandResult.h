#pragma once

// The outcome of a command whose caller needs more than yes or no.
enum class CommandResult {
    Failed = -1,   // a file was chosen but could not be used (reported)
    Cancelled = 0, // the user cancelled or the command was refused
    Done = 1,
};

// The integer form the document-level commands report.
constexpr int ToStatus(CommandResult result) {
    return static_cast<int>(result);
}
