#include "SeriesName.h"

#include <cctype>
#include <climits>

bool SeriesName::Split(const std::string& name, std::string* head, int* number, std::string* ext) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < 1) return false;
    std::size_t start = dot;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1])))
        --start;
    if (start == dot) return false;
    long long value = 0;
    for (std::size_t i = start; i < dot; ++i) {
        value = value * 10 + (name[i] - '0');
        if (value > INT_MAX) return false;
    }
    if (head) *head = name.substr(0, start);
    if (number) *number = static_cast<int>(value);
    if (ext) *ext = name.substr(dot + 1);
    return true;
}

std::string SeriesName::Format(const std::string& head, int number, const std::string& ext,
                               int digits) {
    std::string text = std::to_string(number < 0 ? -static_cast<long long>(number) : number);
    if (digits > 0 && static_cast<int>(text.size()) < digits)
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    if (number < 0) text.insert(0, 1, '-');
    return head + text + "." + ext;
}

int SeriesName::DigitsOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return kDigits;
    std::size_t start = dot;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(name[start - 1])))
        --start;
    return start == dot ? kDigits : static_cast<int>(dot - start);
}

std::vector<std::string> SeriesName::List(const std::string& directory, const std::string& head,
                                          const std::string& ext, int first, int count, int step,
                                          int digits) {
    std::vector<std::string> names;
    if (count <= 0) return names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(Join(directory, Format(head, first + i * step, ext, digits)));
    return names;
}

std::string SeriesName::DirectoryOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return std::string();
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut); // keep the root
}

std::string SeriesName::NameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string SeriesName::Join(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const char last = directory.back();
    if (last == '/' || last == '\\') return directory + name;
    return directory + "/" + name;
}

std::string SeriesName::Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}
