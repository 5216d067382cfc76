#pragma once
// The command line of the three programs: they read no arguments of their own
// beyond "--help" and "--version". Plain C++, shared by all three entry points.
#include <optional>
#include <ostream>
#include <string>

namespace toolkit {

struct ProgramAbout {
    std::string name;     // the executable's name, as typed in a shell: "tessark"
    std::string version;  // the program's version string
    std::string summary;  // what the program does, one or more lines ending in "\n"
};

// The usage line of a program: "Usage: <name> [--help | --version]".
std::string usageLine(const ProgramAbout& about);

// Answers the command line before the program starts. No arguments: nothing
// (the program runs as usual). "--help": usage and summary on `out`, 0.
// "--version": "<name> <version>" on `out`, 0. Anything else, one argument or
// several: what was not understood and the usage on `err`, 2.
std::optional<int> answerProgramArguments(int argc, const char* const* argv, const ProgramAbout& about,
                                          std::ostream& out, std::ostream& err);

}  // namespace toolkit
