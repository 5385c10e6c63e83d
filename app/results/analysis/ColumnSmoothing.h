#pragma once

#include <vector>

// Runs the analyses' series smoother over a result column.
class ColumnSmoothing {
public:
    // Smooths values first..end of `column` with `passes` passes; values
    // before `first` stay as they are. Nothing happens for passes < 1 or
    // when no value is left. A smoother failure leaves the column unsmoothed.
    static void SmoothFrom(std::vector<double>* column, int first, int passes);
};
