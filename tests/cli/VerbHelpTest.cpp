// The help of every verb against the verb list and the verb's own parser:
// each option it documents is parsed with exactly its documented values, and
// an option it does not document is refused.
#include "VerbHelp.h"

#include "BatchRun.h"
#include "Verb.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

using namespace kova::cli;

namespace {

using Outcome = kova::test::BatchResult;
using kova::test::Batch;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(VerbHelp, EveryVerbHasHelpAndEveryHelpAVerb) {
    std::set<std::string> verbs;
    for (const Verb& verb : Verbs()) {
        verbs.insert(verb.name);
        const VerbHelp* help = FindVerbHelp(verb.name);
        ASSERT_NE(help, nullptr) << "no help entry for the verb " << verb.name;
        EXPECT_FALSE(help->summary.empty()) << verb.name;
        EXPECT_TRUE(Contains(help->example, "kova-batch")) << verb.name;
    }
    for (const VerbHelp& help : VerbHelps())
        EXPECT_EQ(verbs.count(help.verb), 1u)
            << "help for a verb that does not exist: " << help.verb;
}

// Each documented option followed by values that look like options, then an
// undocumented one: the parser must take exactly the documented number of
// values and stop at the undocumented option.
TEST(VerbHelp, EachVerbParsesExactlyTheOptionsItsHelpNames) {
    const std::string undocumented = "--zz-undocumented";
    for (const VerbHelp& help : VerbHelps()) {
        const Outcome refused = Batch({help.verb, undocumented});
        EXPECT_EQ(refused.status, 2) << help.verb;
        EXPECT_TRUE(Contains(refused.err, "unknown option " + undocumented))
            << help.verb << ": " << refused.err;
        for (const auto& [name, count] : OptionArity(help.options)) {
            std::vector<std::string> args = {help.verb, name};
            args.insert(args.end(), static_cast<std::size_t>(count), "--zz-value");
            args.push_back(undocumented);
            const Outcome run = Batch(args);
            EXPECT_EQ(run.status, 2) << help.verb << ' ' << name;
            EXPECT_TRUE(Contains(run.err, "unknown option " + undocumented))
                << help.verb << ' ' << name << ": " << run.err;
            EXPECT_TRUE(run.out.empty()) << help.verb << ' ' << name;
        }
    }
}

TEST(VerbHelp, HelpShowsSynopsisEveryOptionWithDefaultAndExample) {
    for (const VerbHelp& help : VerbHelps()) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"help", help.verb},
                                                     {help.verb, "--help"},
                                                     {help.verb, "-h"}}) {
            const Outcome run = Batch(args);
            ASSERT_EQ(run.status, 0) << args[0] << ' ' << args[1] << ": " << run.err;
            EXPECT_TRUE(Contains(run.out, "kova-batch " + help.verb + ": " + help.summary));
            EXPECT_TRUE(Contains(run.out, help.example)) << help.verb;
            for (const OptionHelp& option : help.options) {
                EXPECT_TRUE(Contains(help.synopsis, option.name))
                    << help.verb << ' ' << option.name;
                EXPECT_TRUE(Contains(run.out, "  " + option.name))
                    << help.verb << ' ' << option.name;
                EXPECT_FALSE(option.meaning.empty() || option.byDefault.empty())
                    << help.verb << ' ' << option.name;
            }
        }
    }
}

TEST(VerbHelp, OverviewVersionAndManPage) {
    const Outcome overview = Batch({"--help"});
    EXPECT_EQ(overview.status, 0);
    const Outcome version = Batch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "kova-batch 1.0.0\n");
    const Outcome man = Batch({"help", "--man"});
    EXPECT_EQ(man.status, 0);
    EXPECT_EQ(man.out.rfind(".TH KOVA\\-BATCH 1", 0), 0u) << man.out.substr(0, 80);
    for (const Verb& verb : Verbs()) {
        EXPECT_TRUE(Contains(overview.out, std::string("  ") + verb.name)) << verb.name;
        EXPECT_TRUE(Contains(man.out, std::string(".SS ") + verb.name)) << verb.name;
    }
    // No line of the page may start a roff request by accident.
    std::istringstream lines(man.out);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '.') {
            EXPECT_TRUE(Contains(".TH.SH.SS.TP.PP.B .br.nf.fi.RS.RE", line.substr(0, 3))) << line;
        }
    }
}

} // namespace
