#include "DistancePairList.h"

#include "AnalysisMeasurement.h"
#include "NumberText.h"
#include "Prompter.h"

namespace {

const char* const kColourNames[] = {"红", "绿", "蓝", "紫", "黄", "水", "灰"};
const char* const kStyleNames[] = {"实线", "断线", "点线", "一点断线", "两点断线"};

} // namespace

const char* DistancePairList::ColourName(int colour) {
    return colour >= 0 && colour < kColourCount ? kColourNames[colour] : "";
}

const char* DistancePairList::StyleName(int style) {
    return style >= 0 && style < kStyleCount ? kStyleNames[style] : "";
}

int DistancePairList::Add(int first, int second, kova::Prompter& prompter) {
    if (first < 0 || second < 0) {
        AnalysisMeasurement::Refuse(prompter, "请选定2个目标");
        return -1;
    }
    if (first == second) {
        AnalysisMeasurement::Refuse(prompter, "不能指定相同的目标");
        return -1;
    }
    for (const DistancePair& pair : pairs_) {
        if ((pair.first == first && pair.second == second) ||
            (pair.first == second && pair.second == first)) {
            AnalysisMeasurement::Refuse(prompter, "不能指定相同的组。");
            return -1;
        }
    }
    pairs_.push_back({first, second, colour_, style_});
    // Automatic colours cycle through the first six; grey only by hand.
    colour_ = colour_ + 1 > 5 ? 0 : colour_ + 1;
    return static_cast<int>(pairs_.size()) - 1;
}

int DistancePairList::Delete(int index) {
    if (index < 0 || index >= static_cast<int>(pairs_.size())) return -1;
    pairs_.erase(pairs_.begin() + index);
    const int size = static_cast<int>(pairs_.size());
    return index < size ? index : size - 1;
}

bool DistancePairList::DeleteAll(kova::Prompter& prompter) {
    if (prompter.Show("消除全部直线", "确认", kova::MessageIcon::Question,
                      kova::MessageButtons::OkCancel) != kova::MessageAnswer::Ok)
        return false;
    pairs_.clear();
    return true;
}

void DistancePairList::SetColour(int colour) {
    // A selector without a valid choice counts as the first colour.
    colour_ = colour >= 0 && colour < kColourCount ? colour : 0;
}

void DistancePairList::SetStyle(int style) {
    if (style >= 0 && style < kStyleCount) style_ = style;
}

std::string DistancePairList::EntryText(const DistancePair& pair) {
    return "目标" + kova::FormatInt(pair.first + 1) + " - 目标" + kova::FormatInt(pair.second + 1) +
           " " + ColourName(pair.colour) + " " + StyleName(pair.style);
}
