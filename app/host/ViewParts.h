#pragma once

struct AppContext;
class CImageDisplay;
class MeasureDocument;
class MotionImage;
class QWidget;
class ViewCommands;

// What a tool window may use of the view that holds it: the application's
// shared parts, the measurement, the image display and motion image, the
// command logic, and the view widget as the windows' parent.
struct ViewParts {
    AppContext& app;
    MeasureDocument& measure;
    CImageDisplay& display;
    MotionImage& motion;
    ViewCommands& commands;
    QWidget& view;
};
