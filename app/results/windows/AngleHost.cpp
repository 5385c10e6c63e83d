#include "AngleHost.h"

AngleHost::AngleHost(ViewParts& view) : AnalysisWindowHost(view, ToolWindow::AngleAnalysis) {}
