#include "bridge/demrun_command_line.h"

#include "bridge/demrun_commands.h"
#include "bridge/field_text.h"
#include "common/program_arguments.h"

#include <CLI/CLI.hpp>

namespace demrun {

namespace {

constexpr const char* kFolderHelp = "the run folder (default: the current folder)";

// The options of all three commands, bound to the parser.
struct CommandLine {
    toolkit::ProgramCommandLine program{
        {"demrun", TOOLKIT_VERSION,
         "demrun carries a Tessark packing through LAMMPS and back into a run Sorvath opens:\n"
         "prepare the LAMMPS files, run LAMMPS, convert its dumps.\n"}};
    CLI::App* prepare = nullptr;
    CLI::App* run = nullptr;
    CLI::App* convert = nullptr;
    PrepareOptions prepareOptions;
    RunOptions runOptions;
    std::string ranksText;
    ConvertOptions convertOptions;

    CommandLine() {
        CLI::App& app = program.app();
        app.allow_extras();  // named below in the words demrun always used

        prepare = &program.addCommand(
            "prepare", "write the LAMMPS files of a Tessark packing into a run folder",
            "Writes packing.data (the particles), in.demrun (the LAMMPS script, headed by the chosen\n"
            "values) and demrun.setup (what convert needs), and copies the packing as newin.dat.");
        prepare->add_option("--params", prepareOptions.params, "parameters as key = value lines over the defaults")
            ->type_name("FILE");
        prepare->add_option("--folder", prepareOptions.folder, kFolderHelp)->type_name("DIR");
        prepare->add_option("NEWIN", prepareOptions.packing, "the packing (Tessark's newin.dat)")
            ->type_name("NEWIN")
            ->required();

        run = &program.addCommand(
            "run", "run LAMMPS in a run folder, one line per dump",
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
        run->add_option("DIR", runOptions.folder, kFolderHelp)->type_name("DIR");

        convert = &program.addCommand(
            "convert", "turn the dumps of a finished run into Sorvath's run files",
            "Writes output.dat, wllout.dat, cont2.dat and cont.dat into the folder, all four or none.\n"
            "A run that did not complete is refused, saying how many of its dumps exist, unless\n"
            "--partial is given.");
        convert->add_flag("--partial", convertOptions.partial,
                          "convert the dumps of a run that did not complete (up to its last whole dump)");
        convert->add_option("DIR", convertOptions.folder, kFolderHelp)->type_name("DIR");

        for (CLI::App* command : {prepare, run, convert}) command->allow_extras();
        // The one required word is the packing.
        program.setWording([](const CLI::ParseError& error) {
            return dynamic_cast<const CLI::RequiredError*>(&error) ? "prepare needs one packing file" : "";
        });
    }
};

// What the parser could not place: unknown options, and words beyond the command's
// one packing or folder.
std::string leftOver(const CommandLine& line) {
    const CLI::App& command = line.program.chosenCommand();
    for (const CLI::App* app : {&line.program.app(), &command})
        for (const std::string& word : app->remaining())
            if (word.size() > 1 && word[0] == '-') return "unknown option " + word;
    const std::vector<std::string> words = line.program.app().remaining(true);
    if (words.empty()) return {};
    if (&command == &line.program.app()) return "unknown command '" + words.front() + "'";
    if (&command == line.prepare) return "prepare needs one packing file";
    return "more than one run folder given";
}

}  // namespace

int demrunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine line;
    if (const std::optional<int> status = line.program.answer(args, out, err)) return *status;
    const CLI::App& command = line.program.chosenCommand();
    if (const std::string problem = leftOver(line); !problem.empty())
        return line.program.refuse(problem, err, &command);
    if (&command == &line.program.app()) return line.program.refuse("no command given", err);
    if (&command == line.prepare) return prepareCommand(line.prepareOptions, out, err);
    if (&command == line.run) {
        if (!line.ranksText.empty()) {
            double ranks = 0.0;
            if (!parseFieldDouble(line.ranksText, ranks) || ranks < 1 || ranks > 1024 ||
                ranks != static_cast<int>(ranks))
                return line.program.refuse("--np needs a whole number of ranks, not '" + line.ranksText + "'", err,
                                           &command);
            line.runOptions.ranks = static_cast<int>(ranks);
        }
        return runCommand(line.runOptions, out, err);
    }
    return convertCommand(line.convertOptions, out, err);
}

}  // namespace demrun
