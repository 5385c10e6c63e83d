#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;

TEST(RunBatch, UnknownVerbAndMissingVerbFailWithUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch({"frobnicate"}, out, err), 2);
    EXPECT_NE(err.str().find("unknown verb frobnicate"), std::string::npos);
    EXPECT_NE(err.str().find("usage: kova-batch"), std::string::npos);

    std::ostringstream out2, err2;
    EXPECT_EQ(RunBatch({}, out2, err2), 2);
    EXPECT_TRUE(out2.str().empty());
}

TEST(RunBatch, CfgOptionNeedsAFile) {
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch({"--cfg"}, out, err), 2);
    EXPECT_NE(err.str().find("--cfg needs a file"), std::string::npos);
}

TEST(RunBatch, HelpListsEveryVerb) {
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch({"--help"}, out, err), 0);
    for (const auto& verb : kova::cli::Verbs())
        EXPECT_NE(out.str().find(std::string("  ") + verb.name), std::string::npos) << verb.name;
}
