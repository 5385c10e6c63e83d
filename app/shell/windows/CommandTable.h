#pragma once

#include "CommandRow.h"

#include <vector>

// The menus of the main program in order, and every entry in menu order.
// Adding a window is: its files, one row here, one link line in CMake.
const std::vector<MenuRow>& MenuTable();
const std::vector<CommandRow>& CommandTable();
