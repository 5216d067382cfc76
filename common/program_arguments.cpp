#include "common/program_arguments.h"

#include <string_view>

namespace toolkit {

std::string usageLine(const ProgramAbout& about) { return "Usage: " + about.name + " [--help | --version]\n"; }

std::optional<int> answerProgramArguments(int argc, const char* const* argv, const ProgramAbout& about,
                                          std::ostream& out, std::ostream& err) {
    if (argc <= 1) return std::nullopt;
    if (argc == 2) {
        const std::string_view argument = argv[1];
        if (argument == "--help") {
            out << usageLine(about) << about.summary << "Options:\n"
                << "  --help     show this text and exit\n"
                << "  --version  show the version and exit\n";
            out.flush();
            return 0;
        }
        if (argument == "--version") {
            out << about.name << ' ' << about.version << '\n';
            out.flush();
            return 0;
        }
    }
    if (argc == 2)
        err << about.name << ": unknown argument '" << argv[1] << "'\n";
    else
        err << about.name << ": takes at most one argument, " << argc - 1 << " were given\n";
    err << usageLine(about) << "Try '" << about.name << " --help' for more information.\n";
    err.flush();
    return 2;
}

}  // namespace toolkit
