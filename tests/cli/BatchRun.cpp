#include "BatchRun.h"

#include "Verb.h"

#include <sstream>

namespace kova::test {

bool BatchResult::Says(const std::string& part) const {
    return out.find(part) != std::string::npos || err.find(part) != std::string::npos;
}

BatchResult Batch(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = kova::cli::RunBatch(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace kova::test
