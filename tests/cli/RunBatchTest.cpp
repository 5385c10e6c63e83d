#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;

TEST(RunBatch, UsageErrorsAndHelp) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* err;
    } cases[] = {{{"frobnicate"}, 2, "unknown verb frobnicate"},
                 {{"frobnicate"}, 2, "usage: kova-batch"},
                 {{}, 2, ""},
                 {{"--cfg"}, 2, "--cfg needs a file"}};
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(c.args, out, err), c.status) << c.err;
        EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
        EXPECT_TRUE(out.str().empty()) << c.err;
    }
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch({"--help"}, out, err), 0);
    for (const auto& verb : kova::cli::Verbs())
        EXPECT_NE(out.str().find(std::string("  ") + verb.name), std::string::npos) << verb.name;
}
