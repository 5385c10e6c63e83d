#include "ScriptedClicks.h"

#include "SmallTextFile.h"

#include <sstream>

namespace {

std::string Trimmed(const std::string& line) {
    const char* blanks = " \t\r\n";
    const std::size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

} // namespace

bool ScriptedClicks::Parse(const std::string& text, std::string* error) {
    answers_.clear();
    next_ = 0;
    problem_.clear();
    stopped_ = false;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#') continue;
        Answer answer;
        if (line == "skip") {
            answer.kind = kSkipped;
        } else if (line == "stop") {
            answer.kind = kStopped;
        } else {
            std::istringstream words(line);
            std::string rest;
            if (!(words >> answer.x >> answer.y) || (words >> rest)) {
                if (error)
                    *error = "line " + std::to_string(number) +
                             ": expected \"x y\", "
                             "\"skip\" or \"stop\"";
                return false;
            }
        }
        answers_.push_back(answer);
    }
    return true;
}

bool ScriptedClicks::Load(const std::string& path, std::string* error) {
    std::string text;
    if (!ReadSmallTextFile(path, &text, error)) return false;
    if (!Parse(text, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return true;
}

int ScriptedClicks::WaitManualPoint(const Request& request, int& x, int& y) {
    const std::string where =
        "frame " + std::to_string(request.frame) + ", ID " + std::to_string(request.id);
    if (next_ >= answers_.size()) {
        problem_ = "no click left for " + where;
        return kStopped;
    }
    const Answer& answer = answers_[next_++];
    if (answer.kind == kStopped) stopped_ = true;
    if (answer.kind != kClicked) return answer.kind;
    if (answer.x < 0 || answer.y < 0 || answer.x >= request.width || answer.y >= request.height) {
        problem_ = "click outside the frame for " + where;
        return kStopped;
    }
    x = answer.x;
    y = answer.y;
    return kClicked;
}
