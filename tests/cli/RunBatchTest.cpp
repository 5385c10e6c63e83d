#include "TestFiles.h"
#include "Verb.h"

#include <algorithm>
#include <filesystem>
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

// Runs in an empty folder, so there is no KOVA.CFG.
TEST(RunBatch, ANamedConfigurationMustExistAndTheDefaultsAreSaid) {
    kova::test::TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    kova::test::WriteBytes("MINE.CFG", "VersionInformation KOVA_VER1.00\nParamProcessType 2\n"
                                       "Calibration2DLength 0.5\n");
    std::filesystem::create_directory("DIR.CFG");
    const std::string note = "no KOVA.CFG in the current folder; using the default parameters";
    const struct {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> out, err; // parts each must hold
    } cases[] = {
        {{"--cfg", "NONE.CFG", "summary", "X.TRK"}, 2, {}, {"--cfg NONE.CFG: no such file"}},
        {{"--cfg", "DIR.CFG", "--show-params"}, 2, {}, {"DIR.CFG: not a regular file"}},
        {{"--show-params"},
         0,
         {"configuration: none (default parameters)", "ParamProcessType 1\n",
          "Calibration2DLengthUnit 4\n"},
         {note}},
        {{"--cfg", "MINE.CFG", "--show-params"},
         0,
         {"configuration: MINE.CFG\n", "ParamProcessType 2\n", "ParamNoiseArea1 100\n",
          "Calibration2DLength 0.500000\n"},
         {}},
        {{"--show-params", "summary", "X.TRK"}, 2, {}, {"--show-params runs without a verb"}},
        {{"track", "--pickup"}, 2, {}, {note}}};
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(c.args, out, err), c.status) << c.args[0] << ' ' << c.args[1];
        for (const std::string& part : c.out)
            EXPECT_NE(out.str().find(part), std::string::npos) << part << '\n' << out.str();
        for (const std::string& part : c.err)
            EXPECT_NE(err.str().find(part), std::string::npos) << part << '\n' << err.str();
        EXPECT_EQ(err.str().find(note) != std::string::npos,
                  std::find(c.err.begin(), c.err.end(), note) != c.err.end())
            << err.str();
    }
    std::filesystem::current_path(previous);
}
