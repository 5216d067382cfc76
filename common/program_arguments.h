#pragma once
// The command line of the toolkit's programs: "-h"/"--help", "--version", the
// usage line and the refusal of anything not understood (status 2), on a CLI11
// app to which a program adds its own options and positional arguments, or its
// commands ("demrun prepare ...") with theirs. Plain C++, answered before any
// window system starts.
#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

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
    const CLI::App& app() const { return app_; }

    // A command of the program, in the help's "Commands:" list; its options and
    // positionals go on the returned app, "-h"/"--help" answer for it, and the
    // details follow its options in its help.
    CLI::App& addCommand(const std::string& name, const std::string& description, const std::string& details = "");
    // The command the parsed line chose, or the program itself when it names none.
    const CLI::App& chosenCommand() const;

    // "Usage: <name> [--help | --version]", then the program's own options and
    // positionals: "[--make OUT.gif] [FILE.gif ...]", and "COMMAND ..." when it has
    // commands. For a command: "Usage: <name> <command> [--help]" and its own.
    std::string usageLine() const { return usageLine(app_); }
    std::string usageLine(const CLI::App& command) const;
    // The usage line, the summary and one line per option, positional and command;
    // for a command its description, its options and positionals and its details.
    std::string helpText() const { return helpText(app_); }
    std::string helpText(const CLI::App& command) const;
    // "<name> <version>" and the copyright notice.
    std::string versionText() const;

    // Reads the command line into the declared options. Nothing: the program runs
    // with them. "-h"/"--help" or "--version": the text on `out`, 0. Anything not
    // understood: what it was and the usage on `err`, 2.
    std::optional<int> answer(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
    // The same for the words after the program's name.
    std::optional<int> answer(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);
    // Words a program gives to some parse errors ("prepare needs one packing file");
    // an empty text leaves the standard words.
    void setWording(std::function<std::string(const CLI::ParseError&)> wording) { wording_ = std::move(wording); }
    // "<name>: <problem>", the usage of the command (the program when null) and where
    // its help is, on `err`; returns 2.
    int refuse(const std::string& problem, std::ostream& err, const CLI::App* command = nullptr) const;

private:
    // "demrun prepare" for a command, "demrun" for the program.
    std::string nameOf(const CLI::App& command) const;
    // Runs the parser; the text and status of help, version or a refusal.
    template <class Parse>
    std::optional<int> answerWith(Parse parse, std::ostream& out, std::ostream& err);

    ProgramAbout about_;
    CLI::App app_;
    std::function<std::string(const CLI::ParseError&)> wording_;
};

// The whole command line of a program that takes no arguments of its own.
std::optional<int> answerProgramArguments(int argc, const char* const* argv, const ProgramAbout& about,
                                          std::ostream& out, std::ostream& err);

}  // namespace toolkit
