#include "TableText.h"

#include "CEasyUtils.h"
#include "NumberText.h"

std::string TableText::Cell(std::string text, int width) {
    CEasyUtils::StrSpace(&text, width, 0);
    return text;
}

std::string TableText::Fixed3(double value, int width) {
    return Cell(kova::FormatFixed(value, 3), width);
}

std::string TableText::Whole(long value, int width) {
    return Cell(kova::FormatInt(value), width);
}

namespace {

std::string PadFront(std::string text, int width) {
    const int missing = width - static_cast<int>(text.size());
    if (missing > 0) text.insert(0, static_cast<std::size_t>(missing), ' ');
    return text;
}

} // namespace

std::string TableText::PrintfWhole(long value, int width) {
    return PadFront(kova::FormatInt(value), width);
}

std::string TableText::PrintfFixed3(double value, int width) {
    return PadFront(kova::FormatFixed(value, 3), width);
}

std::string TableText::Rule(int count) {
    return std::string(static_cast<std::size_t>(count > 0 ? count : 0), '-') + "\n";
}
