#include "bridge/demrun_command_line.h"

#include "bridge/demrun_commands.h"
#include "bridge/field_text.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace demrun {

namespace {

constexpr const char* kFolderHelp = "the run folder (default: the current folder)";

// The options of all three commands, bound to the parser.
struct CommandLine {
    CLI::App app{
        "demrun carries a Tessark packing through LAMMPS and back into a run Sorvath opens:\n"
        "prepare the LAMMPS files, run LAMMPS, convert its dumps.",
        "demrun"};
    std::shared_ptr<CLI::Formatter> formatter = std::make_shared<CLI::Formatter>();
    CLI::App* prepare = nullptr;
    CLI::App* run = nullptr;
    CLI::App* convert = nullptr;
    PrepareOptions prepareOptions;
    RunOptions runOptions;
    std::string ranksText;
    ConvertOptions convertOptions;

    CommandLine() {
        app.set_help_flag("-h,--help", "show this text and exit");  // before the commands, which take it over
        app.set_version_flag("--version", std::string("demrun ") + TOOLKIT_VERSION, "show the version and exit");
        formatter->label("SUBCOMMAND", "COMMAND");
        app.formatter(formatter);
        app.allow_extras();  // named below in the words demrun always used

        prepare = app.add_subcommand("prepare", "write the LAMMPS files of a Tessark packing into a run folder");
        prepare->footer(
            "Writes packing.data (the particles), in.demrun (the LAMMPS script, headed by the chosen\n"
            "values) and demrun.setup (what convert needs), and copies the packing as newin.dat.");
        prepare->add_option("--params", prepareOptions.params, "parameters as key = value lines over the defaults")
            ->type_name("FILE");
        prepare->add_option("--folder", prepareOptions.folder, kFolderHelp)->type_name("DIR");
        prepare->add_option("NEWIN", prepareOptions.packing, "the packing (Tessark's newin.dat)")
            ->type_name("")
            ->required();

        run = app.add_subcommand("run", "run LAMMPS in a run folder, one line per dump");
        run->footer(
            "Starts lmp, or mpirun -np N lmp, in the folder and prints step, time and kinetic energy\n"
            "at every dump. When LAMMPS stops early, the step it reached, the signal or exit status and\n"
            "LAMMPS's own message are shown, then its last lines. With --mpirun the launcher's words\n"
            "come first, then --hostfile FILE and -np N when given, then lmp: for example\n"
            "--mpirun \"srun -n 64\" or --mpirun mpiexec --hostfile nodes --np 32.");
        run->add_option("--np", ranksText, "MPI ranks (default 1)")->type_name("N");
        run->add_option("--mpirun", runOptions.launcher, "the launcher command instead of mpirun (split at blanks)")
            ->type_name("CMD");
        run->add_option("--hostfile", runOptions.hostfile, "host file handed to the launcher")
            ->type_name("FILE")
            ->check(CLI::ExistingFile);
        run->add_option("DIR", runOptions.folder, kFolderHelp)->type_name("");

        convert = app.add_subcommand("convert", "turn the dumps of a finished run into Sorvath's run files");
        convert->footer(
            "Writes output.dat, wllout.dat, cont2.dat and cont.dat into the folder, all four or none.\n"
            "A run that did not complete is refused, saying how many of its dumps exist, unless\n"
            "--partial is given.");
        convert->add_flag("--partial", convertOptions.partial,
                          "convert the dumps of a run that did not complete (up to its last whole dump)");
        convert->add_option("DIR", convertOptions.folder, kFolderHelp)->type_name("");

        for (CLI::App* command : {prepare, run, convert}) command->group("Commands")->allow_extras();
    }

    // The command given, or the program itself when there is none.
    const CLI::App& chosen() const {
        const auto chosen = app.get_subcommands();
        return chosen.empty() ? app : *chosen.front();
    }
};

// Why the command line was not understood, with the usage of the (sub)command.
int usageError(const CommandLine& line, const std::string& message, std::ostream& err) {
    const CLI::App& command = line.chosen();
    const std::string name = &command == &line.app ? "demrun" : "demrun " + command.get_name();
    err << "demrun: " << message << "\n"
        << line.formatter->make_usage(&command, name) << "Try '" << name << " --help' for more information.\n";
    return 2;
}

// What the parser could not place: unknown options, and words beyond the command's
// one packing or folder.
std::string leftOver(const CommandLine& line) {
    const CLI::App& command = line.chosen();
    for (const CLI::App* app : {&line.app, &command})
        for (const std::string& word : app->remaining())
            if (word.size() > 1 && word[0] == '-') return "unknown option " + word;
    const std::vector<std::string> words = line.app.remaining(true);
    if (words.empty()) return {};
    if (&command == &line.app) return "unknown command '" + words.front() + "'";
    if (&command == line.prepare) return "prepare needs one packing file";
    return "more than one run folder given";
}

}  // namespace

int demrunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        line.app.parse(reversed);
    } catch (const CLI::Success& answer) {  // --help, --version
        return line.app.exit(answer, out, err);
    } catch (const CLI::RequiredError&) {  // the one required word
        return usageError(line, "prepare needs one packing file", err);
    } catch (const CLI::ArgumentMismatch& error) {
        const std::string what = error.what();
        return usageError(line, what.substr(0, what.find(':')) + " needs a value", err);
    } catch (const CLI::ParseError& error) {
        return usageError(line, error.what(), err);
    }
    if (const std::string problem = leftOver(line); !problem.empty()) return usageError(line, problem, err);
    const CLI::App& command = line.chosen();
    if (&command == &line.app) return usageError(line, "no command given", err);
    if (&command == line.prepare) return prepareCommand(line.prepareOptions, out, err);
    if (&command == line.run) {
        if (!line.ranksText.empty()) {
            double ranks = 0.0;
            if (!parseFieldDouble(line.ranksText, ranks) || ranks < 1 || ranks > 1024 ||
                ranks != static_cast<int>(ranks))
                return usageError(line, "--np needs a whole number of ranks, not '" + line.ranksText + "'", err);
            line.runOptions.ranks = static_cast<int>(ranks);
        }
        return runCommand(line.runOptions, out, err);
    }
    return convertCommand(line.convertOptions, out, err);
}

}  // namespace demrun
