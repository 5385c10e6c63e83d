#include "ConnectionLines.h"

#include "CTrackInfo2D.h"

std::vector<ConnectionLine> ConnectionLines::Read(CTrackInfo2D& info, int targets) {
    std::vector<int> triples;
    info.GetTargetPairStick(&triples, targets);
    std::vector<ConnectionLine> lines;
    for (std::size_t i = 0; i + 2 < triples.size(); i += 3)
        lines.push_back({triples[i], triples[i + 1], triples[i + 2]});
    return lines;
}

bool ConnectionLines::Write(CTrackInfo2D& info, const std::vector<ConnectionLine>& lines) {
    if (lines.empty()) {
        info.EraseValue("TargetPairStick");
        return true;
    }
    std::vector<int> triples;
    for (const ConnectionLine& line : lines) {
        triples.push_back(line.first);
        triples.push_back(line.second);
        triples.push_back(line.colour);
    }
    return info.SetTargetPairStick(triples) != 0;
}
