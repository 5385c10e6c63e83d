#include "DisplacementHost.h"

DisplacementHost::DisplacementHost(ViewParts& view)
    : AnalysisWindowHost(view, ToolWindow::DisplacementAnalysis) {}
