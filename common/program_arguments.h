#pragma once
// The command line of the toolkit's programs: "-h"/"--help", "--version", the
// usage line and the refusal of anything not understood (status 2), on a CLI11
// app to which a program adds its own options and positional arguments. Plain
// C++, answered before any window system starts.
#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <string>

namespace toolkit {

struct ProgramAbout {
    std::string name;     // the executable's name, as typed in a shell: "tessark"
    std::string version;  // the program's version string
    std::string summary;  // what the program does, one or more lines ending in "\n"
};

// The copyright and licence lines that follow "<name> <version>" in "--version".
inline constexpr const char* kCopyrightNotice =
    "Copyright (c) 2026 Quillbay\n"
    "License: MIT <https://opensource.org/licenses/MIT>\n";

class ProgramCommandLine {
public:
    explicit ProgramCommandLine(ProgramAbout about);

    // Where the program declares its own options and positionals (with
    // type_name() as the value's name in the help, "OUT.gif").
    CLI::App& app() { return app_; }

    // "Usage: <name> [--help | --version]", then the program's own options and
    // positionals: "[--make OUT.gif] [FILE.gif ...]".
    std::string usageLine() const;
    // The usage line, the summary and one line per option and positional.
    std::string helpText() const;
    // "<name> <version>" and the copyright notice.
    std::string versionText() const;

    // Reads the command line into the declared options. Nothing: the program runs
    // with them. "-h"/"--help" or "--version": the text on `out`, 0. Anything not
    // understood: what it was and the usage on `err`, 2.
    std::optional<int> answer(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

private:
    ProgramAbout about_;
    CLI::App app_;
};

// The whole command line of a program that takes no arguments of its own.
std::optional<int> answerProgramArguments(int argc, const char* const* argv, const ProgramAbout& about,
                                          std::ostream& out, std::ostream& err);

}  // namespace toolkit
