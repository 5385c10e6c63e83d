#pragma once

class CCfgFile;
class DrawingTools;
class QSettings;
namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova

// What the application object shares with its windows: the frame store,
// the system configuration, the prompter, the drawing tools and the
// settings of the program.
struct AppContext {
    kova::CFrameStore& store;
    CCfgFile& config;
    kova::Prompter& prompter;
    const DrawingTools& tools;
    QSettings& settings;
};
