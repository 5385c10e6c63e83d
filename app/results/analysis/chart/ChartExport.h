#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <string>

struct ChartSet;
struct ChartViewState;

// The charts as files and as the clipboard's images. Exports leave out the
// selection mark: it belongs to the window, not to the charts.

enum class ChartFormat { Png, Svg, Pdf };

// The largest width and height of a chart image.
constexpr int kMaxChartSide = 16384;

// Whether an image of `size` may be made: 1 to kMaxChartSide pixels each way.
bool ChartSizeAllowed(QSize size);

// The format a file name asks for: ".svg" SVG, ".pdf" PDF, anything else PNG.
ChartFormat ChartFormatOf(const std::string& path);

// Writes every panel at `size` pixels into `path` in `format`. The file is
// replaced only when all of it was written; false (the old file kept) when
// the size is refused or the file cannot be written.
bool ExportCharts(const std::string& path, ChartFormat format, QSize size, const ChartSet& charts,
                  const ChartViewState& state);

// The size of the copy of a client of `client` size: as wide as the client
// and as high as its panels stacked.
QSize CopySize(QSize client, int panelCount);

// Every panel at `size` as a bitmap; a null image when the size is refused
// or the memory cannot be had.
QImage ChartImage(QSize size, const ChartSet& charts, const ChartViewState& state);
// The same as SVG text; empty when the size is refused.
QByteArray ChartSvg(QSize size, const ChartSet& charts, const ChartViewState& state);
