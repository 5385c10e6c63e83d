#include "ColumnSmoothing.h"

#include "SmoothingLogic.h"

void ColumnSmoothing::SmoothFrom(std::vector<double>* column, int first, int passes) {
    const int count = static_cast<int>(column->size()) - first;
    if (passes < 1 || first < 0 || count < 1) return;
    double* values = column->data() + first;
    SmoothingLogic::SmoothSeries(values, values, count, passes);
}
