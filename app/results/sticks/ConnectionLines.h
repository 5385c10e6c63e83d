#pragma once

#include <vector>

class CTrackInfo2D;

// One connection line of a stick figure: two targets (point-table indices)
// and its colour (0..6), always drawn solid and 1 pixel wide.
struct ConnectionLine {
    int first = 0;
    int second = 1;
    int colour = 0;
};

// The connection lines kept with a measurement's track information under
// "TargetPairStick" (three numbers per line).
class ConnectionLines {
public:
    // The stored lines when the list is whole (triples, both targets below
    // `targets`, colours 0..6), else the default chain 0-1, 1-2, ... (none
    // with fewer than two targets).
    static std::vector<ConnectionLine> Read(CTrackInfo2D& info, int targets);
    // Stores the lines; an empty list removes the key. False on failure.
    static bool Write(CTrackInfo2D& info, const std::vector<ConnectionLine>& lines);
};
