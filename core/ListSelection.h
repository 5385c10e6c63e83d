#pragma once

#include <vector>

// A list whose selected rows can be asked for; the widget layer adapts a
// list widget to it.
class ListSelection {
public:
    ListSelection() = default;
    ListSelection(const ListSelection&) = delete;
    ListSelection& operator=(const ListSelection&) = delete;
    virtual ~ListSelection() = default;

    // Indices of the selected rows in ascending order.
    virtual std::vector<int> SelectedRows() const = 0;
};
