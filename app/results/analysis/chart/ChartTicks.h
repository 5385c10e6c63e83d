#pragma once

#include <string>
#include <vector>

// Tick steps and tick values shared by the value axis and the time axis.

// The most ticks an axis ever gets, whatever its range and step.
constexpr int kMaxTicks = 1000;

// The first of 1, 2 and 5 times a power of ten that is at least `raw`
// (a positive finite number); 0 when there is none.
double NiceStep(double raw);

// The multiples of `step` from the first at or above `lower` up to `upper`,
// at most kMaxTicks of them; none when the step is not positive and finite.
std::vector<double> TickValues(double lower, double upper, double step);

// `value` written with `decimals` digits after the point ("%.3f").
std::string FormatValue(double value, int decimals);

// Whether the label of a tick reads back close enough to its value (within a
// tenth of the step) to be shown; far from zero a short label may not.
bool LabelReadsBack(double value, int decimals, double step);
