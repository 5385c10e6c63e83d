#include "PositionHost.h"

PositionHost::PositionHost(ViewParts& view)
    : AnalysisWindowHost(view, ToolWindow::PositionAnalysis) {}
