#pragma once

class QPrinter;
class StickFigure;
struct StickDrawing;

// Prints the stick figures on one page of `printer` as the job
// "连线图像显示": that title as a text line, then the content with its
// border, scaled to fill the printable width (reduced so that the height
// fits), centred, on the background of `screen`. The screen drawing is not
// touched. False when the printer could not start or a step failed; the job
// is then ended.
bool PrintStickFigures(QPrinter& printer, const StickFigure& figure, const StickDrawing& screen);
