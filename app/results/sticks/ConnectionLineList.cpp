#include "ConnectionLineList.h"

#include "NumberText.h"
#include "Prompter.h"

namespace {

const char* const kColourNames[] = {"红", "绿", "蓝", "紫", "黄", "水", "灰"};

// Shows a refusal of "添加"; the index of no line.
int Refuse(kova::Prompter& prompter, const char* text, const char* caption) {
    prompter.Show(text, caption, kova::MessageIcon::Exclamation);
    return -1;
}

bool SameLine(const ConnectionLine& line, int first, int second) {
    return (line.first == first && line.second == second) ||
           (line.first == second && line.second == first);
}

} // namespace

const char* ConnectionLineList::ColourName(int colour) {
    return colour >= 0 && colour < kColourCount ? kColourNames[colour] : "";
}

int ConnectionLineList::NextColour(int colour) {
    return colour >= 0 && colour < 5 ? colour + 1 : 0;
}

int ConnectionLineList::Add(int first, int second, int colour, kova::Prompter& prompter) {
    if (first < 0 || second < 0) return Refuse(prompter, "请选择定2个目标.", "确认");
    if (first == second) return Refuse(prompter, "不能指定相同目标", "Confirm");
    for (const ConnectionLine& line : lines_)
        if (SameLine(line, first, second)) return Refuse(prompter, "不能指定相同组合。", "确认");
    lines_.push_back({first, second, colour >= 0 && colour < kColourCount ? colour : 0});
    return static_cast<int>(lines_.size()) - 1;
}

int ConnectionLineList::Delete(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return -1;
    lines_.erase(lines_.begin() + index);
    const int size = static_cast<int>(lines_.size());
    return index < size ? index : size - 1;
}

bool ConnectionLineList::DeleteAll(kova::Prompter& prompter) {
    if (prompter.Show("删除全部连接线.", "确认", kova::MessageIcon::Question,
                      kova::MessageButtons::OkCancel) != kova::MessageAnswer::Ok)
        return false;
    lines_.clear();
    return true;
}

std::string ConnectionLineList::EntryText(const ConnectionLine& line) {
    return std::string(ColourName(line.colour)) + ":目标" + kova::FormatInt(line.first + 1) +
           " - 目标" + kova::FormatInt(line.second + 1);
}

std::vector<std::string> ConnectionLineList::Entries() const {
    std::vector<std::string> entries;
    for (const ConnectionLine& line : lines_)
        entries.push_back(EntryText(line));
    return entries;
}
