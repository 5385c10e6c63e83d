#include "TargetsFile.h"

#include "SmallTextFile.h"

#include <cmath>
#include <sstream>

namespace {

constexpr int kMaxWindowSide = 32767;

bool ParseLine(const std::vector<double>& v, TargetsFile::Entry* e, std::string* why) {
    const std::size_t n = v.size();
    if (n != 2 && n != 4 && n != 6 && n != 7 && n != 10) {
        *why = "expected x y [w h [low high [percent] | rl rh gl gh bl bh]]";
        return false;
    }
    if (!(v[0] >= 0.0 && v[1] >= 0.0 && v[0] < 1e6 && v[1] < 1e6)) {
        *why = "position must not be negative";
        return false;
    }
    e->x = static_cast<float>(v[0]);
    e->y = static_cast<float>(v[1]);
    auto isInt = [](double d, double lo, double hi) {
        return d == std::floor(d) && d >= lo && d <= hi;
    };
    if (n >= 4) {
        if (!isInt(v[2], 1, kMaxWindowSide) || !isInt(v[3], 1, kMaxWindowSide)) {
            *why = "window size must be whole numbers 1..32767";
            return false;
        }
        e->width = static_cast<int>(v[2]);
        e->height = static_cast<int>(v[3]);
    }
    for (std::size_t i = 4; i < n; ++i) {
        const bool percent = n == 7 && i == 6;
        if (percent ? !(v[i] >= 0.0 && v[i] <= 100.0) : !isInt(v[i], 0, 255)) {
            *why =
                percent ? "percentage must be 0..100" : "thresholds must be whole numbers 0..255";
            return false;
        }
    }
    if (n == 6 || n == 7) {
        e->hasGrey = true;
        e->grey[0] = static_cast<int>(v[4]);
        e->grey[1] = static_cast<int>(v[5]);
    }
    if (n == 7) {
        e->hasPercent = true;
        e->percent = static_cast<float>(v[6]);
    }
    if (n == 10) {
        e->hasColour = true;
        for (int c = 0; c < 6; ++c)
            e->colour[c] = static_cast<int>(v[static_cast<std::size_t>(4 + c)]);
    }
    return true;
}

} // namespace

bool TargetsFile::Parse(const std::string& text, std::vector<Entry>* entries, std::string* error) {
    entries->clear();
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::istringstream words(raw);
        std::string word;
        std::vector<double> values;
        bool numbers = true;
        bool comment = false;
        while (words >> word) {
            if (values.empty() && word[0] == '#') {
                comment = true;
                break;
            }
            std::size_t used = 0;
            try {
                values.push_back(std::stod(word, &used));
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != word.size() || !std::isfinite(values.empty() ? 0.0 : values.back())) {
                numbers = false;
                break;
            }
        }
        if (comment || (numbers && values.empty())) continue;
        Entry entry;
        entry.line = number;
        std::string why = "not a number";
        if (!numbers || !ParseLine(values, &entry, &why)) {
            if (error) *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        entries->push_back(entry);
    }
    return true;
}

bool TargetsFile::Load(const std::string& path, std::vector<Entry>* entries, std::string* error) {
    std::string text;
    if (!ReadSmallTextFile(path, &text, error)) return false;
    if (!Parse(text, entries, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return true;
}
