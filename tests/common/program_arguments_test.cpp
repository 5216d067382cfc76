#include "common/program_arguments.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using toolkit::ProgramCommandLine;

namespace {

const toolkit::ProgramAbout kAbout{"demo", "1.2", "Does one thing.\n"};
const std::string kUsage = "Usage: demo [--help | --version]\n";

struct Answer {
    std::optional<int> status;
    std::string out, err;
};

Answer answer(ProgramCommandLine& commandLine, std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/demo");
    std::ostringstream out, err;
    Answer a;
    a.status = commandLine.answer(static_cast<int>(arguments.size()), arguments.data(), out, err);
    a.out = out.str();
    a.err = err.str();
    return a;
}

Answer answer(std::vector<const char*> arguments) {
    ProgramCommandLine commandLine(kAbout);
    return answer(commandLine, std::move(arguments));
}

}  // namespace

TEST(ProgramArguments, NoArgumentsLetTheProgramRunAndPrintNothing) {
    const Answer a = answer({});
    EXPECT_FALSE(a.status.has_value());
    EXPECT_EQ(a.out + a.err, "");
}

TEST(ProgramArguments, HelpAndVersionGoToStandardOutputWithStatusZero) {
    for (const char* help : {"--help", "-h"}) {
        SCOPED_TRACE(help);
        const Answer a = answer({help});
        EXPECT_EQ(a.status, 0);
        EXPECT_EQ(a.out, kUsage +
                             "Does one thing.\n\nOptions:\n"
                             "  -h, --help     show this text and exit\n"
                             "      --version  show the version and exit\n");
        EXPECT_EQ(a.err, "");
    }
    const Answer version = answer({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("demo 1.2\n") + toolkit::kCopyrightNotice);
    EXPECT_EQ(version.err, "");
}

TEST(ProgramArguments, AnythingElseIsRefusedWithTheUsageOnStandardErrorAndStatusTwo) {
    struct Case {
        const char* name;
        std::vector<const char*> arguments;
        const char* firstLine;
    };
    const Case cases[] = {
        {"unknown option", {"--bogus"}, "demo: unknown argument '--bogus'\n"},
        {"a file name", {"tessctrl.dat"}, "demo: unknown argument 'tessctrl.dat'\n"},
        {"a Qt option", {"-platform"}, "demo: unknown argument '-platform'\n"},
        {"help in other case", {"--HELP"}, "demo: unknown argument '--HELP'\n"},
        {"an empty argument", {""}, "demo: unknown argument ''\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Answer a = answer(c.arguments);
        EXPECT_EQ(a.status, 2);
        EXPECT_EQ(a.out, "");
        EXPECT_EQ(a.err, c.firstLine + kUsage + "Try 'demo --help' for more information.\n");
    }
}

// A program that declares its own options and positionals keeps the shared answers.
TEST(ProgramArguments, OwnOptionsAndPositionalsAreReadListedAndChecked) {
    ProgramCommandLine commandLine(kAbout);
    std::string made;
    std::vector<std::string> files;
    commandLine.app().add_option("--make", made, "make the animation and exit")->type_name("OUT.gif");
    commandLine.app().add_option("files", files, "GIF files to add")->type_name("FILE.gif");

    const Answer run = answer(commandLine, {"a.gif", "--make", "out.gif", "b.gif"});
    EXPECT_FALSE(run.status.has_value()) << run.err;
    EXPECT_EQ(made, "out.gif");
    EXPECT_EQ(files, (std::vector<std::string>{"a.gif", "b.gif"}));

    const std::string usage = "Usage: demo [--help | --version] [--make OUT.gif] [FILE.gif ...]\n";
    EXPECT_EQ(commandLine.helpText(), usage +
                                          "Does one thing.\n\nOptions:\n"
                                          "  -h, --help          show this text and exit\n"
                                          "      --version       show the version and exit\n"
                                          "      --make OUT.gif  make the animation and exit\n"
                                          "\nArguments:\n"
                                          "  FILE.gif ...  GIF files to add\n");
    ProgramCommandLine again(kAbout);
    again.app().add_option("--make", made)->type_name("OUT.gif");
    const Answer missing = answer(again, {"--make"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("demo: ", 0), 0u) << missing.err;
    EXPECT_NE(missing.err.find("--make"), std::string::npos) << missing.err;
}
