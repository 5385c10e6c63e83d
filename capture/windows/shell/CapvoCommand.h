#pragma once

#include <vector>

class CCapvoFrame;

// One entry of capvo's menus: its command identifier, its top-level menu,
// its menu and status texts ("\n" before a tool tip), and what it runs on
// the main frame. A row without a handler is a separator.
struct CapvoCommand {
    using Run = void (*)(CCapvoFrame&);

    int id = 0;
    const char* menu = "";
    const char* text = "";
    const char* status = nullptr;
    Run run = nullptr;

    bool IsSeparator() const { return run == nullptr; }
};

// A command that opens (or raises) the modeless dialog `Dlg`, made with
// the frame store, the prompter, the view port when it takes one, and the
// main frame as parent.
template <class Dlg>
CapvoCommand DialogCommand(int id, const char* menu, const char* text, const char* status);

// The top-level menus in their order.
const std::vector<const char*>& CapvoMenus();
// Every command in menu order.
const std::vector<CapvoCommand>& CapvoCommandTable();

#include "CCapvoFrame.h"

template <class Dlg>
CapvoCommand DialogCommand(int id, const char* menu, const char* text, const char* status) {
    return CapvoCommand{id, menu, text, status,
                        [](CCapvoFrame& frame) { frame.OpenDialog<Dlg>(); }};
}
