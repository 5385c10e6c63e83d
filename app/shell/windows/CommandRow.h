#pragma once

#include "ToolWindow.h"

#include <memory>
#include <string>

class CKOVAView;
class CMainFrame;
class ToolWindowHost;
class ViewCommands;
struct ViewParts;

// When a menu entry or a top-level menu shows.
enum class Shown { Always, WithDocument, WithoutDocument };

enum class RowKind { Command, Separator, RecentFiles };

// One entry of the menus: its command identifier, where it sits, its texts,
// and what runs it. A command of the main frame runs with or without a
// document; a command of the view runs on the active view after its
// precondition (which shows the refusal), then opens its tool window (made
// by `makeHost` with the view) and calls `onView`.
struct CommandRow {
    using FrameHandler = void (*)(CMainFrame&);
    using ViewHandler = void (*)(CKOVAView&);
    using Precondition = bool (ViewCommands::*)();
    using MakeHost = std::unique_ptr<ToolWindowHost> (*)(ViewParts&);
    using CheckState = bool (*)(CKOVAView&);
    using TextState = std::string (*)(CKOVAView&);

    RowKind kind = RowKind::Command;
    int id = 0;
    const char* menu = "";        // top-level menu title, "/" before a submenu
    const char* text = "";        // menu text
    const char* status = nullptr; // status bar text, "\n" before the tool tip
    const char* keys = nullptr;   // shortcut in QKeySequence's portable text
    Shown shown = Shown::Always;
    FrameHandler onFrame = nullptr;
    ViewHandler onView = nullptr;
    Precondition precondition = nullptr;
    ToolWindow window = ToolWindow::None;
    MakeHost makeHost = nullptr;
    CheckState checked = nullptr; // a check mark that follows the view
    TextState liveText = nullptr; // a menu text that follows the view
    CheckState enabled = nullptr; // greyed when false

    CommandRow& Keys(const char* sequence) {
        keys = sequence;
        return *this;
    }
    CommandRow& Show(Shown when) {
        shown = when;
        return *this;
    }
    CommandRow& Checked(CheckState state) {
        checked = state;
        return *this;
    }
    // The text and the enabled state are asked of the active view whenever
    // the menus may have changed (undo names the step it takes back).
    CommandRow& Live(TextState text, CheckState enabledNow) {
        liveText = text;
        enabled = enabledNow;
        return *this;
    }
};

CommandRow FrameCommand(int id, const char* menu, const char* text, const char* status,
                        CommandRow::FrameHandler run);
CommandRow ViewCommand(int id, const char* menu, const char* text, const char* status,
                       CommandRow::ViewHandler run,
                       CommandRow::Precondition precondition = nullptr);
// A command that opens (or raises) a tool window of the view.
CommandRow WindowCommand(int id, const char* menu, const char* text, const char* status,
                         CommandRow::Precondition precondition, ToolWindow window,
                         CommandRow::MakeHost makeHost);
CommandRow Separator(const char* menu);
// The place of the recent file list.
CommandRow RecentFiles(const char* menu);

// A top-level menu; the result menus are greyed until a result is open.
struct MenuRow {
    const char* title;
    Shown shown;
    bool result;
};
