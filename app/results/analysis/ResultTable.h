#pragma once

#include "CsvTable.h"

#include <string>
#include <vector>

// What an analysis hands to its text window: the window title, the name of
// the .tr1 entry of the save dialog ("2D Tr File" for position/velocity,
// "2D跟踪文件" for the others), the table one line per string, and the same
// results as a CSV table.
struct ResultTable {
    std::string title;
    std::string filterName;
    std::vector<std::string> lines;
    kova::CsvTable csv;
};
