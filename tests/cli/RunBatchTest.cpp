#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;

TEST(RunBatch, UsageErrors) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"frobnicate"}, "unknown verb frobnicate\nusage: kova-batch"},
        {{}, "usage: kova-batch"},
        {{"--cfg"}, "--cfg needs a file"}};
    for (const auto& [args, said] : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(args, out, err), 2) << said;
        EXPECT_NE(err.str().find(said), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty()) << said;
    }
}
