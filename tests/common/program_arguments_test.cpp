#include "common/program_arguments.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using toolkit::answerProgramArguments;

namespace {

const toolkit::ProgramAbout kAbout{"demo", "1.2", "Does one thing.\n"};

struct Answer {
    std::optional<int> status;
    std::string out, err;
};

Answer answer(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/demo");
    std::ostringstream out, err;
    Answer a;
    a.status = answerProgramArguments(static_cast<int>(arguments.size()), arguments.data(), kAbout, out, err);
    a.out = out.str();
    a.err = err.str();
    return a;
}

}  // namespace

TEST(ProgramArguments, NoArgumentsLetTheProgramRunAndPrintNothing) {
    const Answer a = answer({});
    EXPECT_FALSE(a.status.has_value());
    EXPECT_EQ(a.out + a.err, "");
}

TEST(ProgramArguments, HelpAndVersionGoToStandardOutputWithStatusZero) {
    const Answer help = answer({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: demo [--help | --version]\nDoes one thing.\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const Answer version = answer({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "demo 1.2\n");
    EXPECT_EQ(version.err, "");
}

TEST(ProgramArguments, AnythingElseIsRefusedWithTheUsageOnStandardErrorAndStatusTwo) {
    struct Case {
        const char* name;
        std::vector<const char*> arguments;
        const char* firstLine;
    };
    const Case cases[] = {
        {"unknown option", {"-h"}, "demo: unknown argument '-h'\n"},
        {"a file name", {"tessctrl.dat"}, "demo: unknown argument 'tessctrl.dat'\n"},
        {"a Qt option", {"-platform"}, "demo: unknown argument '-platform'\n"},
        {"help in other case", {"--HELP"}, "demo: unknown argument '--HELP'\n"},
        {"an empty argument", {""}, "demo: unknown argument ''\n"},
        {"help with more", {"--help", "--version"}, "demo: takes at most one argument, 2 were given\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Answer a = answer(c.arguments);
        EXPECT_EQ(a.status, 2);
        EXPECT_EQ(a.out, "");
        EXPECT_EQ(a.err, std::string(c.firstLine) +
                             "Usage: demo [--help | --version]\nTry 'demo --help' for more information.\n");
    }
}
