#include "CommandLine.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace kova::cli {

bool CommandLine::Parse(const std::vector<std::string>& args,
                        const std::map<std::string, int>& arity, std::string* error) {
    positional_.clear();
    options_.clear();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        bool isOption = word.size() > 1 && word[0] == '-' &&
                        !(word.size() > 1 &&
                          (std::isdigit(static_cast<unsigned char>(word[1])) || word[1] == '.'));
        if (!isOption) {
            positional_.push_back(word);
            continue;
        }
        auto it = arity.find(word);
        if (it == arity.end()) {
            if (error) *error = "unknown option " + word;
            return false;
        }
        std::vector<std::string> values;
        for (int k = 0; k < it->second; ++k) {
            if (i + 1 >= args.size()) {
                if (error)
                    *error =
                        "option " + word + " needs " + std::to_string(it->second) + " value(s)";
                return false;
            }
            values.push_back(args[++i]);
        }
        options_.emplace(word, std::move(values));
    }
    return true;
}

std::vector<std::string> CommandLine::Values(const std::string& name) const {
    auto range = options_.equal_range(name);
    if (range.first == range.second) return {};
    auto last = range.second;
    --last;
    return last->second;
}

std::vector<std::vector<std::string>> CommandLine::All(const std::string& name) const {
    std::vector<std::vector<std::string>> all;
    auto range = options_.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        all.push_back(it->second);
    return all;
}

std::string CommandLine::Value(const std::string& name, const std::string& fallback) const {
    std::vector<std::string> values = Values(name);
    return values.empty() ? fallback : values.front();
}

bool ParseInt(const std::string& text, int* value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < -2147483647L - 1 || v > 2147483647L) return false;
    *value = static_cast<int>(v);
    return true;
}

bool ParseDouble(const std::string& text, double* value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0') return false;
    *value = v;
    return true;
}

bool ParseIntList(const std::string& text, std::vector<int>* values) {
    values->clear();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int v = 0;
        if (!ParseInt(item, &v)) return false;
        values->push_back(v);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return !values->empty();
}

} // namespace kova::cli
