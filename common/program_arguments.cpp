#include "common/program_arguments.h"

#include <algorithm>
#include <vector>

namespace toolkit {

namespace {

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
    if (option.get_type_size_max() > 0 && !option.get_type_name().empty()) text += " " + option.get_type_name();
    return text;
}

std::string positionalName(const CLI::Option& option) {
    const std::string name = option.get_type_name().empty() ? option.get_name() : option.get_type_name();
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
    app_.set_help_flag("-h,--help", "show this text and exit");
    std::string version = versionText();
    version.pop_back();  // CLI11 adds the line end when it prints; the text is printed here
    app_.set_version_flag("--version", version, "show the version and exit");
}

std::string ProgramCommandLine::usageLine() const {
    std::string usage = "Usage: " + about_.name + " [--help | --version]";
    for (const CLI::Option* option : app_.get_options()) {
        if (option == app_.get_help_ptr() || option == app_.get_version_ptr()) continue;
        if (isPositional(*option)) {
            const std::string name = positionalName(*option);
            usage += " " + (option->get_required() ? name : "[" + name + "]");
        } else {
            const std::string names = optionNames(*option);
            usage += " [" + names.substr(names.find_first_not_of(' ')) + "]";
        }
    }
    return usage + "\n";
}

std::string ProgramCommandLine::helpText() const {
    std::vector<std::pair<std::string, std::string>> options, positionals;
    for (const CLI::Option* option : app_.get_options()) {
        if (isPositional(*option))
            positionals.emplace_back(positionalName(*option), option->get_description());
        else
            options.emplace_back(optionNames(*option), option->get_description());
    }
    std::string text = usageLine() + about_.summary + "\nOptions:\n" + table(options);
    if (!positionals.empty()) text += "\nArguments:\n" + table(positionals);
    return text;
}

std::string ProgramCommandLine::versionText() const {
    return about_.name + " " + about_.version + "\n" + kCopyrightNotice;
}

std::optional<int> ProgramCommandLine::answer(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    std::string problem;
    try {
        app_.parse(argc, argv);
        return std::nullopt;
    } catch (const CLI::CallForHelp&) {
        out << helpText();
        out.flush();
        return 0;
    } catch (const CLI::CallForVersion&) {
        out << versionText();
        out.flush();
        return 0;
    } catch (const CLI::ExtrasError&) {
        const std::vector<std::string> extras = app_.remaining();
        problem = "unknown argument '" + (extras.empty() ? std::string() : extras.front()) + "'";
    } catch (const CLI::ParseError& error) {
        problem = error.what();
    }
    err << about_.name << ": " << problem << "\n"
        << usageLine() << "Try '" << about_.name << " --help' for more information.\n";
    err.flush();
    return 2;
}

std::optional<int> answerProgramArguments(int argc, const char* const* argv, const ProgramAbout& about,
                                          std::ostream& out, std::ostream& err) {
    ProgramCommandLine commandLine(about);
    return commandLine.answer(argc, argv, out, err);
}

}  // namespace toolkit
