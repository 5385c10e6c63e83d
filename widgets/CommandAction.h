#pragma once

class QAction;
class QObject;

namespace kova {

// A menu command's action: its text, and its status text, which may carry
// a tooltip after a line break ("status\n tooltip"). Both are UTF-8.
QAction* MakeCommandAction(const char* text, const char* status, QObject* parent);

} // namespace kova
