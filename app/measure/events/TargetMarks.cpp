#include "TargetMarks.h"

#include "CTrackInfo2D.h"
#include "NumberText.h"
#include "TextCodec.h"

#include <algorithm>

namespace {

const char* const kColourNames[TargetMarks::kColours] = {"红", "绿", "蓝", "紫", "黄", "水", "灰"};
const char* const kStyleNames[TargetMarks::kStyles] = {"实线", "断线", "点线", "一点断线",
                                                       "两点断线"};

// The colours the default chain gives (grey is never one of them).
constexpr int kChainColours = TargetMarks::kColours - 1;

std::vector<int> PairsOf(const std::vector<TargetMark>& marks) {
    std::vector<int> pairs;
    for (const TargetMark& mark : marks) {
        pairs.push_back(mark.colour);
        pairs.push_back(mark.style);
    }
    return pairs;
}

std::vector<std::string> NamesOf(const std::vector<TargetMark>& marks) {
    std::vector<std::string> names;
    for (const TargetMark& mark : marks)
        names.push_back(mark.name);
    return names;
}

bool Within(int value, int count) {
    return value >= 0 && value < count;
}

} // namespace

namespace TargetMarks {

const char* ColourName(int colour) {
    return kColourNames[std::clamp(colour, 0, kColours - 1)];
}

const char* StyleName(int style) {
    return kStyleNames[std::clamp(style, 0, kStyles - 1)];
}

std::vector<TargetMark> Read(CTrackInfo2D& info, int targets) {
    std::vector<TargetMark> marks;
    if (targets < 1) return marks;
    std::vector<int> storedPairs;
    info.GetArray("ColorTarget", &storedPairs);
    std::vector<std::string> storedNames;
    info.GetArray("NameTarget", &storedNames);
    const std::vector<int> pairs = CTrackInfo2D::RepairColors(storedPairs, targets);
    const std::vector<std::string> names = CTrackInfo2D::RepairNames(storedNames, targets);
    for (int t = 0; t < targets; ++t) {
        const auto at = static_cast<std::size_t>(t);
        TargetMark mark;
        mark.colour = pairs[2 * at];
        mark.style = pairs[2 * at + 1];
        if (!Within(mark.colour, kColours)) mark.colour = t % kChainColours;
        if (!Within(mark.style, kStyles)) mark.style = 0;
        mark.name = names[at];
        marks.push_back(mark);
    }
    return marks;
}

void Write(CTrackInfo2D& info, const std::vector<TargetMark>& marks) {
    std::vector<int> pairs = PairsOf(marks);
    std::vector<std::string> names = NamesOf(marks);
    const int targets = static_cast<int>(marks.size());
    info.SetTargetColor(&pairs, targets);
    info.SetTargetName(&names, targets);
}

bool IsStored(CTrackInfo2D& info, const std::vector<TargetMark>& marks) {
    std::vector<int> pairs;
    std::vector<std::string> names;
    info.GetArray("ColorTarget", &pairs);
    info.GetArray("NameTarget", &names);
    return pairs == PairsOf(marks) && names == NamesOf(marks);
}

std::string NameFromText(const std::string& text, int number) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    std::string name;
    if (first != std::string::npos) {
        for (char c : text.substr(first, last - first + 1)) {
            if (c == '#' || c == '\r' || c == '\n') continue;
            name.push_back(c == ' ' || c == '\t' ? '_' : c);
        }
    }
    name = kova::TruncateToDiskBytes(name, kNameBytes);
    return name.empty() ? kova::FormatInt(number) : name;
}

} // namespace TargetMarks
