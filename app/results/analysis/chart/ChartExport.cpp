#include "ChartExport.h"

#include "ChartLayout.h"
#include "ChartPainter.h"
#include "ChartSet.h"
#include "ChartViewState.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

namespace {

// Screen pixels per inch the PDF page is measured in; 72 points per inch.
constexpr int kPdfResolution = 96;

ChartViewState Unselected(ChartViewState state) {
    state.selectedPanel = -1;
    return state;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void PaintSvg(QIODevice& device, QSize size, const ChartSet& charts, const ChartViewState& state) {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(Text(charts.title));
    QPainter painter(&svg);
    PaintCharts(painter, size, charts, Unselected(state));
}

bool PaintPdf(QIODevice& device, QSize size, const ChartSet& charts, const ChartViewState& state) {
    QPdfWriter pdf(&device);
    pdf.setTitle(Text(charts.title));
    pdf.setResolution(kPdfResolution);
    const QSizeF points(size.width() * 72.0 / kPdfResolution,
                        size.height() * 72.0 / kPdfResolution);
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    // Whatever the page rounds to, the charts fill it.
    painter.setViewport(0, 0, pdf.width(), pdf.height());
    painter.setWindow(QRect(QPoint(0, 0), size));
    PaintCharts(painter, size, charts, Unselected(state));
    return painter.end();
}

bool WriteChart(QIODevice& device, ChartFormat format, QSize size, const ChartSet& charts,
                const ChartViewState& state) {
    switch (format) {
    case ChartFormat::Svg:
        PaintSvg(device, size, charts, state);
        return true;
    case ChartFormat::Pdf:
        return PaintPdf(device, size, charts, state);
    case ChartFormat::Png:
        break;
    }
    const QImage image = ChartImage(size, charts, state);
    return !image.isNull() && image.save(&device, "PNG");
}

} // namespace

bool ChartSizeAllowed(QSize size) {
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxChartSide &&
           size.height() <= kMaxChartSide;
}

ChartFormat ChartFormatOf(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    std::string suffix = dot == std::string::npos ? "" : path.substr(dot + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (suffix == "svg") return ChartFormat::Svg;
    if (suffix == "pdf") return ChartFormat::Pdf;
    return ChartFormat::Png;
}

bool ExportCharts(const std::string& path, ChartFormat format, QSize size, const ChartSet& charts,
                  const ChartViewState& state) {
    if (!ChartSizeAllowed(size)) return false;
    QSaveFile file(Text(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!WriteChart(file, format, size, charts, state)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QSize CopySize(QSize client, int panelCount) {
    const int panelHeight = PanelHeight(client.height(), panelCount);
    return {client.width(), StackedHeight(panelHeight, panelCount)};
}

QImage ChartImage(QSize size, const ChartSet& charts, const ChartViewState& state) {
    if (!ChartSizeAllowed(size)) return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return {};
    QPainter painter(&image);
    PaintCharts(painter, size, charts, Unselected(state));
    return image;
}

QByteArray ChartSvg(QSize size, const ChartSet& charts, const ChartViewState& state) {
    if (!ChartSizeAllowed(size)) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PaintSvg(buffer, size, charts, state);
    return bytes;
}
