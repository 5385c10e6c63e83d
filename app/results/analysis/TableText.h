#pragma once

#include <string>

// Cells of the result tables. Fixed-width cells are right-aligned in a field
// counted in GB18030 bytes and become asterisks when too long; the printf
// fields of the row lead ("%4d", "%9.3f") are minimum widths and grow with
// their value instead. Every number is formatted without the locale.
class TableText {
public:
    // A text right-aligned in `width` bytes, or `width` asterisks.
    static std::string Cell(std::string text, int width);
    // "%.3f" of a value, then set in a cell.
    static std::string Fixed3(double value, int width);
    // "%d" of a value, then set in a cell.
    static std::string Whole(long value, int width);
    // printf "%<width>d" and "%<width>.3f".
    static std::string PrintfWhole(long value, int width);
    static std::string PrintfFixed3(double value, int width);
    // A rule of `count` "-" characters as one line.
    static std::string Rule(int count);
    // The event mark of a row: "+" for an event frame, else a blank.
    static std::string Mark(bool event) { return event ? "+" : " "; }
    // The text of an undefined cell.
    static const char* Undefined() { return "-----"; }
};
