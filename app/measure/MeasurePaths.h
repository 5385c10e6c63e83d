#pragma once

#include <string>

// Path rules of the measurement pair on a case-sensitive file system.
class MeasurePaths {
public:
    // The .TRI companion of a .TRK path: same directory and base, the suffix
    // "TRI" in the case of the track file's suffix (run.trk -> run.tri). An
    // existing file whose name differs only in case is preferred.
    static std::string InfoPathFor(const std::string& trackPath);
    // A chosen result name as it is written: unchanged when its suffix is
    // "TRK" in any case, else with ".TRK" appended (run -> run.TRK,
    // run.TRI -> run.TRI.TRK), so its companion never takes its name.
    static std::string TrackNameFor(const std::string& chosenPath);
    // The .TRI name as it is written (case rule only, no lookup).
    static std::string InfoNameFor(const std::string& trackPath);
    // `path` itself when it exists, else an existing entry of its directory
    // whose name equals it without regard to ASCII case, else `path`.
    static std::string FindExisting(const std::string& path);
    // An existing `path` (as FindExisting finds it), else the entry of the
    // same name in the directory of `besidePath` (the .TRK of a measurement
    // whose images moved); empty when neither exists.
    static std::string FindHereOrBeside(const std::string& path, const std::string& besidePath);
    // Text equality without regard to ASCII case.
    static bool SameIgnoringCase(const std::string& a, const std::string& b);
    // A directory as entered, with a separator appended unless it is empty or
    // already ends with one (or with a drive colon).
    static std::string WithSeparator(const std::string& directory);
};
