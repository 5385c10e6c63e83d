#pragma once

#include <map>
#include <string>
#include <vector>

namespace kova::cli {

// The arguments of one verb: positional words and "--name value..." options.
// An option named in `flags` takes no value; others take as many values as
// `arity` says (1 unless listed). A repeated option keeps every occurrence.
class CommandLine {
public:
    // Parses; false with `error` set on an unknown option or a missing value.
    bool Parse(const std::vector<std::string>& args, const std::map<std::string, int>& arity,
               std::string* error);

    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& name) const { return options_.count(name) > 0; }
    // Values of the last occurrence, or empty.
    std::vector<std::string> Values(const std::string& name) const;
    // Every occurrence of a repeatable option.
    std::vector<std::vector<std::string>> All(const std::string& name) const;
    std::string Value(const std::string& name, const std::string& fallback = "") const;

private:
    std::vector<std::string> positional_;
    std::multimap<std::string, std::vector<std::string>> options_;
};

// "1,3,5" -> {1,3,5}; false on anything that is not a list of integers.
bool ParseIntList(const std::string& text, std::vector<int>* values);
bool ParseInt(const std::string& text, int* value);
bool ParseDouble(const std::string& text, double* value);

} // namespace kova::cli
