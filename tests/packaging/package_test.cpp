// The Debian package as a maintainer checks it: built with cpack, clean under
// lintian, launchers and metainfo valid, manual pages that render and name every
// option the programs' --help names, and bash completion offering them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "tests/packaging/shell.h"

namespace fs = std::filesystem;
using namespace toolkit::testing;

namespace {

const char* const kPrograms[] = {"tessark", "sorvath", "flikkor", "demrun"};

std::string help(const std::string& arguments) {
    return runCommand(shellQuoted(fs::path(TOOLKIT_BIN_DIR) / arguments.substr(0, arguments.find(' '))) +
                      arguments.substr(std::min(arguments.size(), arguments.find(' '))) + " 2>/dev/null")
        .output;
}

// The option words ("-h", "--np") of a help text's option and usage lines.
std::set<std::string> optionsIn(const std::string& text) {
    static const std::regex line(R"(^\s*(-|[Uu]sage:|\w+ ).*)");
    static const std::regex option(R"((^|[\s\[,|])(--?[A-Za-z][-A-Za-z0-9]*))");
    std::set<std::string> options;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        if (!std::regex_match(l, line)) continue;
        for (std::sregex_iterator it(l.begin(), l.end(), option), end; it != end; ++it) options.insert((*it)[2]);
    }
    return options;
}

// The commands a program's usage lines name ("demrun prepare ..."), each with
// the help it gives: its own "--help" answer, or its usage line when it has none.
std::vector<std::pair<std::string, std::string>> commandsOf(const std::string& program) {
    const std::string text = help(program + " --help");
    const std::regex usage("^\\s*(?:[Uu]sage:)?\\s*" + program + " ([a-z][a-z0-9-]*)(?:\\s.*)?$");
    std::vector<std::pair<std::string, std::string>> commands;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (!std::regex_match(l, m, usage)) continue;
        const CommandResult own =
            runCommand(shellQuoted(fs::path(TOOLKIT_BIN_DIR) / program) + " " + m[1].str() + " --help 2>/dev/null");
        commands.emplace_back(m[1], own.status == 0 && !own.output.empty() ? own.output : l);
    }
    return commands;
}

class DebianPackage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        out_ = fs::temp_directory_path() / ("toolkit-deb-" + std::to_string(::getpid()));
        fs::remove_all(out_);
        pack_ = runCommand("cd " + shellQuoted(BUILD_DIR) + " && " + shellQuoted(CPACK_COMMAND) + " -G DEB -B " +
                           shellQuoted(out_));
        for (const fs::directory_entry& e : fs::directory_iterator(out_))
            if (e.path().extension() == ".deb") deb_ = e.path();
        if (!deb_.empty()) runCommand("dpkg-deb -x " + shellQuoted(deb_) + " " + shellQuoted(out_ / "root"));
    }
    static void TearDownTestSuite() { fs::remove_all(out_); }
    void SetUp() override { ASSERT_FALSE(deb_.empty()) << pack_.output; }

    static fs::path out_, deb_;
    static CommandResult pack_;
};
fs::path DebianPackage::out_;
fs::path DebianPackage::deb_;
CommandResult DebianPackage::pack_;

}  // namespace

TEST_F(DebianPackage, LintianFindsNoErrorAndNoWarning) {
    const CommandResult lintian = runCommand("lintian --info --pedantic " + shellQuoted(deb_));
    EXPECT_EQ(lintian.output.find("\nE: "), std::string::npos) << lintian.output;
    EXPECT_EQ(lintian.output.find("\nW: "), std::string::npos) << lintian.output;
    EXPECT_NE(lintian.output.rfind("E: ", 0), 0u) << lintian.output;
    EXPECT_NE(lintian.output.rfind("W: ", 0), 0u) << lintian.output;
    EXPECT_EQ(lintian.status, 0) << lintian.output;
}

TEST_F(DebianPackage, HoldsTheProgramsUnderUsrAndDependsOnTheQtPlatformPlugins) {
    for (const char* file :
         {"usr/bin/tessark", "usr/bin/sorvath", "usr/bin/flikkor", "usr/bin/demrun",
          "usr/share/help/ja/flikkor/flikkor.htm", "usr/share/doc/granular-toolkit/copyright",
          "usr/share/doc/granular-toolkit/changelog.Debian.gz", "usr/share/applications/com.quillbay.flikkor.desktop",
          "usr/share/metainfo/com.quillbay.sorvath.metainfo.xml",
          "usr/share/icons/hicolor/48x48/apps/com.quillbay.flikkor.png"})
        EXPECT_TRUE(fs::is_regular_file(out_ / "root" / file)) << file;
    const CommandResult depends = runCommand("dpkg-deb -f " + shellQuoted(deb_) + " Depends Version");
    EXPECT_NE(depends.output.find("qt6-qpa-plugins"), std::string::npos) << depends.output;
    EXPECT_NE(depends.output.find("libgif7"), std::string::npos) << depends.output;
    EXPECT_NE(depends.output.find("Version: " TOOLKIT_VERSION "-1"), std::string::npos) << depends.output;
}

TEST_F(DebianPackage, LaunchersAndMetainfoPassTheValidators) {
    for (const char* id : {"com.quillbay.sorvath", "com.quillbay.flikkor"}) {
        SCOPED_TRACE(id);
        const CommandResult desktop =
            runCommand("desktop-file-validate " +
                       shellQuoted(out_ / "root/usr/share/applications" / (std::string(id) + ".desktop")));
        EXPECT_EQ(desktop.status, 0) << desktop.output;
        EXPECT_EQ(desktop.output, "");
        const fs::path metainfo = out_ / "root/usr/share/metainfo" / (std::string(id) + ".metainfo.xml");
        const CommandResult appstream =
            runCommand("appstreamcli validate --pedantic --no-net " + shellQuoted(metainfo));
        EXPECT_EQ(appstream.status, 0) << appstream.output;
        EXPECT_EQ(appstream.output.find("\nI:"), std::string::npos) << appstream.output;
        EXPECT_EQ(appstream.output.find("\nP:"), std::string::npos) << appstream.output;
        EXPECT_NE(readFile(metainfo).find("<release version=\"" TOOLKIT_VERSION "\""), std::string::npos);
    }
}

// Every option of "PROGRAM --help", and of "PROGRAM COMMAND --help" for each command,
// appears in the rendered page, which man renders without a warning.
TEST_F(DebianPackage, ManualPagesRenderAndNameEveryOptionOfTheHelp) {
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const fs::path page = out_ / "root/usr/share/man/man1" / (program + ".1.gz");
        const CommandResult man = runCommand("LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E UTF-8 -l " +
                                             shellQuoted(page) + " 2>&1 | col -b");
        ASSERT_EQ(man.status, 0) << man.output;
        EXPECT_EQ(man.output.find("warning"), std::string::npos) << man.output;
        std::set<std::string> options = optionsIn(help(program + " --help"));
        EXPECT_TRUE(options.count("--help") && options.count("--version"));
        for (const auto& [command, text] : commandsOf(program)) {
            EXPECT_NE(man.output.find(program + " " + command), std::string::npos) << command;
            for (const std::string& option : optionsIn(text)) options.insert(option);
        }
        for (const std::string& option : options)
            EXPECT_TRUE(std::regex_search(man.output, std::regex("(^|[^-A-Za-z0-9])" + option + "([^-A-Za-z0-9]|$)")))
                << option << "\n"
                << man.output;
    }
}

// Completing an empty word after "-" offers every option of the help; after
// demrun's name, its commands; after a command, that command's options.
TEST_F(DebianPackage, BashCompletionOffersTheOptionsAndCommandsOfTheHelp) {
    const auto complete = [&](const std::string& program, const std::string& words) {
        const fs::path script = out_ / "root/usr/share/bash-completion/completions" / program;
        const std::string line =
            "source " + shellQuoted(script) + "; COMP_WORDS=(" + words + "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); " +
            "_toolkit_complete; if ((${#COMPREPLY[@]})); then printf '%s\\n' \"${COMPREPLY[@]}\" | sort; fi";
        return runCommand("cd " + shellQuoted(out_) + " && PATH=" + shellQuoted(TOOLKIT_BIN_DIR) + ":$PATH bash -c " +
                          shellQuoted(line))
            .output;
    };
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const std::string offered = complete(program, program + " -");
        for (const std::string& option : optionsIn(help(program + " --help")))
            if (option.rfind("--", 0) == 0 || option == "-h") {
                EXPECT_NE(offered.find(option + "\n"), std::string::npos) << option << " in\n" << offered;
            }
        for (const auto& [command, text] : commandsOf(program)) {
            EXPECT_NE(complete(program, program + " ''").find(command + "\n"), std::string::npos) << command;
            const std::string ofCommand = complete(program, program + " " + command + " -");
            for (const std::string& option : optionsIn(text))
                EXPECT_NE(ofCommand.find(option + "\n"), std::string::npos) << command << " " << option;
        }
    }
    fs::create_directories(out_ / "runs/r1");
    EXPECT_EQ(complete("demrun", "demrun prepare --folder runs/"), "runs/r1\n");
    // A number or a size completes to nothing; a run's file to the files.
    EXPECT_EQ(complete("sorvath", "sorvath --gif out.dat --zoom ''"), "");
    EXPECT_EQ(complete("sorvath", "sorvath --gif out.dat --size ''"), "");
    EXPECT_EQ(complete("sorvath", "sorvath --gif runs/"), "runs/r1\n");
}
