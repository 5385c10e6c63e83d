#pragma once

#include <string>
#include <vector>

namespace kova {
class Prompter;
}

// One line of the two-point distance window: two targets (point-table
// indices), its colour (0..6) and line style (0..4).
struct DistancePair {
    int first = 0;
    int second = 0;
    int colour = 0;
    int style = 0;
};

// The pair list of the two-point distance window with its colour and style
// selectors for the next pair: adding checks the two targets, appends with
// the current colour and style and advances the colour through the first
// six colours.
class DistancePairList {
public:
    static constexpr int kColourCount = 7;
    static constexpr int kStyleCount = 5;
    static const char* ColourName(int colour);
    static const char* StyleName(int style);

    // -1 for a selector without a choice. Refusals show their message and add
    // nothing. Returns the index of the new pair, or -1.
    int Add(int first, int second, kova::Prompter& prompter);
    // Removes a pair; returns the entry selected afterwards (the one now at
    // that place, else the previous one, -1 when the list is empty).
    int Delete(int index);
    // Asks first; true when the list was emptied.
    bool DeleteAll(kova::Prompter& prompter);

    // The selectors for the next pair: a colour outside the list counts as
    // the first, a style outside the list is ignored.
    void SetColour(int colour);
    void SetStyle(int style);
    int Colour() const { return colour_; }
    int Style() const { return style_; }

    const std::vector<DistancePair>& Pairs() const { return pairs_; }
    // The list text of a pair: "目标%d - 目标%d %s %s".
    static std::string EntryText(const DistancePair& pair);

private:
    std::vector<DistancePair> pairs_;
    int colour_ = 0;
    int style_ = 0;
};
