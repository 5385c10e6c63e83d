#include "DistanceHost.h"

DistanceHost::DistanceHost(ViewParts& view)
    : AnalysisWindowHost(view, ToolWindow::DistanceAnalysis) {}
