#include "CommandRow.h"

namespace {

CommandRow Command(int id, const char* menu, const char* text, const char* status) {
    CommandRow row;
    row.id = id;
    row.menu = menu;
    row.text = text;
    row.status = status;
    return row;
}

} // namespace

CommandRow FrameCommand(int id, const char* menu, const char* text, const char* status,
                        CommandRow::FrameHandler run) {
    CommandRow row = Command(id, menu, text, status);
    row.onFrame = run;
    return row;
}

CommandRow ViewCommand(int id, const char* menu, const char* text, const char* status,
                       CommandRow::ViewHandler run, CommandRow::Precondition precondition) {
    CommandRow row = Command(id, menu, text, status);
    row.onView = run;
    row.precondition = precondition;
    row.shown = Shown::WithDocument;
    return row;
}

CommandRow WindowCommand(int id, const char* menu, const char* text, const char* status,
                         CommandRow::Precondition precondition, ToolWindow window,
                         CommandRow::MakeHost makeHost) {
    CommandRow row = ViewCommand(id, menu, text, status, nullptr, precondition);
    row.window = window;
    row.makeHost = makeHost;
    return row;
}

CommandRow Separator(const char* menu) {
    CommandRow row;
    row.kind = RowKind::Separator;
    row.menu = menu;
    return row;
}

CommandRow RecentFiles(const char* menu) {
    CommandRow row;
    row.kind = RowKind::RecentFiles;
    row.menu = menu;
    row.text = "最近的文件";
    return row;
}
