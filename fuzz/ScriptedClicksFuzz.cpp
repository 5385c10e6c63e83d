// Feeds arbitrary bytes to the clicks file reader and answers the engine's
// waits from it: every click handed out lies inside the frame, and the
// list runs out after at most one answer per line.
#include "ScriptedClicks.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ScriptedClicks clicks;
    std::string error;
    if (!clicks.Parse(text, &error)) {
        if (error.compare(0, 5, "line ") != 0) __builtin_trap();
        return 0;
    }
    const std::size_t lines =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    ManualPointSource::Request request;
    request.width = 64;
    request.height = 48;
    for (std::size_t wait = 0;; ++wait) {
        if (wait > lines) __builtin_trap();
        request.frame = static_cast<int>(wait) + 1;
        int x = -1, y = -1;
        const int answer = clicks.WaitManualPoint(request, x, y);
        if (answer == ManualPointSource::kStopped) break;
        if (answer == ManualPointSource::kClicked &&
            (x < 0 || y < 0 || x >= request.width || y >= request.height))
            __builtin_trap();
        if (answer != ManualPointSource::kClicked && answer != ManualPointSource::kSkipped)
            __builtin_trap();
    }
    if (static_cast<std::size_t>(clicks.Used()) > lines ||
        (!clicks.StoppedByScript() && clicks.Problem().empty()))
        __builtin_trap();
    return 0;
}
