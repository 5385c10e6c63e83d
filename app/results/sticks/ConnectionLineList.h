#pragma once

#include "ConnectionLines.h"

#include <string>
#include <vector>

namespace kova {
class Prompter;
}

// The connection lines of the dialog "连接线设定" in the order they were
// added. Adding checks the two targets and refuses with the dialog's
// messages; deleting keeps a selection where the list still has one.
class ConnectionLineList {
public:
    static constexpr int kColourCount = 7;
    // "红", "绿", ... "灰"; empty outside 0..6.
    static const char* ColourName(int colour);
    // The colour the selector shows after an add by the user: the next one,
    // from 5 (and 6) back to the first.
    static int NextColour(int colour);

    // -1 for a selector without a choice; a colour outside 0..6 counts as
    // the first. Refusals show their message and add nothing. Returns the
    // index of the new line, or -1.
    int Add(int first, int second, int colour, kova::Prompter& prompter);
    // Removes a line; returns the entry selected afterwards (the one now at
    // that place, else the previous one, -1 when the list is empty).
    int Delete(int index);
    // Asks "删除全部连接线." first; true when the list was emptied.
    bool DeleteAll(kova::Prompter& prompter);

    const std::vector<ConnectionLine>& Lines() const { return lines_; }
    // "%s:目标%d - 目标%d": colour name, target numbers from 1.
    static std::string EntryText(const ConnectionLine& line);
    std::vector<std::string> Entries() const;

private:
    std::vector<ConnectionLine> lines_;
};
