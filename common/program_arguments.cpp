#include "common/program_arguments.h"

#include <algorithm>
#include <vector>

namespace toolkit {

namespace {

// The value's name, without the names of its checks that CLI11 appends ("FILE:FILE").
std::string valueName(const CLI::Option& option) {
    const std::string name = option.get_type_name();
    return name.substr(0, name.find(':'));
}

bool isPositional(const CLI::Option& option) { return option.get_lnames().empty() && option.get_snames().empty(); }

bool takesSeveral(const CLI::Option& option) {
    return option.get_expected_max() > 1 || option.get_expected_min() < 0 || option.get_items_expected_max() > 1;
}

// "-h, --help" or "    --version": short names first, long names lined up.
std::string optionNames(const CLI::Option& option) {
    std::vector<std::string> names;
    for (const std::string& name : option.get_snames()) names.push_back("-" + name);
    for (const std::string& name : option.get_lnames()) names.push_back("--" + name);
    std::string text = option.get_snames().empty() ? "    " : "";
    for (std::size_t k = 0; k < names.size(); ++k) text += (k == 0 ? "" : ", ") + names[k];
    if (option.get_type_size_max() > 0 && !valueName(option).empty()) text += " " + valueName(option);
    return text;
}

std::string positionalName(const CLI::Option& option) {
    const std::string name = valueName(option).empty() ? option.get_name() : valueName(option);
    return takesSeveral(option) ? name + " ..." : name;
}

// Name column and description, the descriptions lined up after the longest name.
std::string table(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    std::string text;
    for (const auto& [name, description] : rows)
        text += "  " + name + std::string(width - name.size() + 2, ' ') + description + "\n";
    return text;
}

}  // namespace

ProgramCommandLine::ProgramCommandLine(ProgramAbout about)
    : about_(std::move(about)), app_(about_.summary, about_.name) {
    app_.set_help_flag("-h,--help", "show this text and exit");  // before any command, which takes it over
    std::string version = versionText();
    version.pop_back();  // CLI11 adds the line end when it prints; the text is printed here
    app_.set_version_flag("--version", version, "show the version and exit");
}

CLI::App& ProgramCommandLine::addCommand(const std::string& name, const std::string& description,
                                         const std::string& details) {
    CLI::App& command = *app_.add_subcommand(name, description);
    command.footer(details);
    command.group("Commands");
    return command;
}

const CLI::App& ProgramCommandLine::chosenCommand() const {
    const std::vector<CLI::App*> chosen = app_.get_subcommands();
    return chosen.empty() ? app_ : *chosen.front();
}

std::string ProgramCommandLine::nameOf(const CLI::App& command) const {
    return &command == &app_ ? about_.name : about_.name + " " + command.get_name();
}

std::string ProgramCommandLine::usageLine(const CLI::App& command) const {
    std::string usage = "Usage: " + nameOf(command) + (&command == &app_ ? " [--help | --version]" : " [--help]");
    for (const CLI::Option* option : command.get_options()) {
        if (option == command.get_help_ptr() || option == command.get_version_ptr()) continue;
        if (isPositional(*option)) {
            const std::string name = positionalName(*option);
            usage += " " + (option->get_required() ? name : "[" + name + "]");
        } else {
            const std::string names = optionNames(*option);
            usage += " [" + names.substr(names.find_first_not_of(' ')) + "]";
        }
    }
    if (!command.get_subcommands({}).empty()) usage += " COMMAND ...";
    return usage + "\n";
}

std::string ProgramCommandLine::helpText(const CLI::App& command) const {
    std::vector<std::pair<std::string, std::string>> options, positionals, commands;
    for (const CLI::Option* option : command.get_options()) {
        if (isPositional(*option))
            positionals.emplace_back(positionalName(*option), option->get_description());
        else
            options.emplace_back(optionNames(*option), option->get_description());
    }
    for (const CLI::App* sub : command.get_subcommands({}))
        commands.emplace_back(sub->get_name(), sub->get_description());
    const std::string summary = &command == &app_ ? about_.summary : command.get_description() + "\n";
    std::string text = usageLine(command) + summary + "\nOptions:\n" + table(options);
    if (!positionals.empty()) text += "\nArguments:\n" + table(positionals);
    if (!commands.empty())
        text +=
            "\nCommands:\n" + table(commands) + "\n'" + about_.name + " COMMAND --help' shows a command's options.\n";
    if (!command.get_footer().empty()) text += "\n" + command.get_footer() + "\n";
    return text;
}

std::string ProgramCommandLine::versionText() const {
    return about_.name + " " + about_.version + "\n" + kCopyrightNotice;
}

int ProgramCommandLine::refuse(const std::string& problem, std::ostream& err, const CLI::App* command) const {
    const CLI::App& refused = command ? *command : app_;
    err << about_.name << ": " << problem << "\n"
        << usageLine(refused) << "Try '" << nameOf(refused) << " --help' for more information.\n";
    err.flush();
    return 2;
}

template <class Parse>
std::optional<int> ProgramCommandLine::answerWith(Parse parse, std::ostream& out, std::ostream& err) {
    std::string problem;
    try {
        parse();
        return std::nullopt;
    } catch (const CLI::CallForHelp&) {
        out << helpText(chosenCommand());
        out.flush();
        return 0;
    } catch (const CLI::CallForVersion&) {
        out << versionText();
        out.flush();
        return 0;
    } catch (const CLI::ParseError& error) {
        if (wording_) problem = wording_(error);
        if (!problem.empty()) {
        } else if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
            const std::vector<std::string> extras = chosenCommand().remaining();
            problem = "unknown argument '" + (extras.empty() ? std::string() : extras.front()) + "'";
        } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
            const std::string what = error.what();
            problem = what.substr(0, what.find(':')) + " needs a value";  // "--params: 1 required FILE missing"
        } else {
            problem = error.what();
        }
    }
    return refuse(problem, err, &chosenCommand());
}

std::optional<int> ProgramCommandLine::answer(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return answerWith([&] { app_.parse(argc, argv); }, out, err);
}

std::optional<int> ProgramCommandLine::answer(const std::vector<std::string>& words, std::ostream& out,
                                              std::ostream& err) {
    std::vector<std::string> reversed(words.rbegin(), words.rend());  // CLI11 takes the last word first
    return answerWith([&] { app_.parse(reversed); }, out, err);
}

std::optional<int> answerProgramArguments(int argc, const char* const* argv, const ProgramAbout& about,
                                          std::ostream& out, std::ostream& err) {
    ProgramCommandLine commandLine(about);
    return commandLine.answer(argc, argv, out, err);
}

}  // namespace toolkit
