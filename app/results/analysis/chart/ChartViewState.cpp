#include "ChartViewState.h"

#include "ChartSet.h"

void ChartViewState::Reset(int panelCount) {
    fixedRanges.assign(static_cast<std::size_t>(panelCount > 0 ? panelCount : 0), std::nullopt);
    selectedPanel = -1;
}

std::optional<ValueRange> ChartViewState::FixedRangeOf(int panel) const {
    if (panel < 0 || panel >= static_cast<int>(fixedRanges.size())) return std::nullopt;
    return fixedRanges[static_cast<std::size_t>(panel)];
}

ValueRange PanelRange(const ChartSet& charts, const ChartViewState& state, int panel) {
    if (const std::optional<ValueRange> fixed = state.FixedRangeOf(panel)) return *fixed;
    if (panel < 0 || panel >= static_cast<int>(charts.panels.size())) return {};
    return AutomaticRange(charts.panels[static_cast<std::size_t>(panel)]);
}
