#pragma once

#include <string>
#include <vector>

class CTrackInfo2D;

// How one target is drawn and called: a colour and a line style (indices
// into the tables below) and a short name.
struct TargetMark {
    int colour = 0;
    int style = 0;
    std::string name;

    bool operator==(const TargetMark& other) const {
        return colour == other.colour && style == other.style && name == other.name;
    }
};

// The marks of every target as the track information keeps them
// (`ColorTarget`, `NameTarget`), read without changing the stored keys and
// written back whole.
namespace TargetMarks {

constexpr int kColours = 7;
constexpr int kStyles = 5;
// Names of a name (GB18030 bytes) at most.
constexpr std::size_t kNameBytes = 8;

// The entries of the colour and line style selectors ("红" ... "灰",
// "实线" ... "两点断线").
const char* ColourName(int colour);
const char* StyleName(int style);

// One mark per target: lists too short or too long are repaired as the
// track information repairs them; a colour outside the table becomes the
// default chain's (0, 1, ... 5, 0, ...), a style outside the table 0.
std::vector<TargetMark> Read(CTrackInfo2D& info, int targets);
void Write(CTrackInfo2D& info, const std::vector<TargetMark>& marks);
// Whether the stored keys hold exactly these marks (so writing changes nothing).
bool IsStored(CTrackInfo2D& info, const std::vector<TargetMark>& marks);

// The name a typed text gives target `number` (from 1): trimmed of spaces;
// inner spaces and tabs become "_", "#" and line ends are dropped (so the
// name reads back as one value); cut at a character boundary to at most
// kNameBytes bytes; empty gives the number.
std::string NameFromText(const std::string& text, int number);

} // namespace TargetMarks
