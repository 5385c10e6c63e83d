#pragma once

#include "TextSink.h"

#include <string>
#include <vector>

// A sink that keeps every string it receives (tests, the command line).
class TextLines : public TextSink {
public:
    void AddString(const std::string& text) override { lines_.push_back(text); }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};
