#include "SeriesFileName.h"

#include "CFrameStore.h"

namespace {

constexpr std::size_t kMaxNumberDigits = 9; // fits an int

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool SeriesFileName::Split(const std::string& name, std::string* head, int* number,
                           std::string* ext) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || !IsDigit(name[dot - 1])) return false;
    std::size_t first = dot;
    while (first > 0 && IsDigit(name[first - 1]))
        --first;
    const std::string digits = name.substr(first, dot - first);
    if (digits.size() > kMaxNumberDigits) return false;
    const std::string splitHead = name.substr(0, first);
    const std::string splitExt = name.substr(dot + 1);
    const int value = std::stoi(digits);
    if (Build(splitHead, value, splitExt) != name) return false;
    *head = splitHead;
    *number = value;
    *ext = splitExt;
    return true;
}

std::string SeriesFileName::Build(const std::string& head, int number, const std::string& ext) {
    return kova::CFrameStore::Get_filename_series_new(head, ext, number, kDigits);
}
