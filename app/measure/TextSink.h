#pragma once

#include <string>

// Receives report text one string at a time; the result text window
// implements it, the command line prints, tests collect.
class TextSink {
public:
    TextSink() = default;
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;
    virtual ~TextSink() = default;

    virtual void AddString(const std::string& text) = 0;
};
