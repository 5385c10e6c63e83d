#pragma once

#include <QSize>

class QPrinter;
struct ChartSet;
struct ChartViewState;

// Prints the charts on one page of `printer`: the title as a text line, then
// the panels as the window shows them in a client of `client` size, scaled to
// fill the printable width (reduced to fit the height), centred. False when
// the printer could not start or a step failed; the job is then ended.
bool PrintCharts(QPrinter& printer, QSize client, const ChartSet& charts,
                 const ChartViewState& state);
