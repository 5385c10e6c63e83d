#pragma once

#include <string>
#include <vector>

namespace kova::test {

// What `kova-batch args...` did, run in the test's own process.
struct BatchResult {
    int status = -1;
    std::string out, err;
    // Whether either stream holds `part`.
    bool Says(const std::string& part) const;
};

BatchResult Batch(const std::vector<std::string>& args);

} // namespace kova::test
