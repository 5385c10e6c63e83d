#pragma once

class QWidget;
struct ViewParts;

// Runs the dialog "连接线设定" over the measurement of a view until it
// closes: true when it was closed by "确认" (the lines are then stored with
// the track information), false otherwise.
bool EditConnectionLines(ViewParts& view, QWidget* parent);
