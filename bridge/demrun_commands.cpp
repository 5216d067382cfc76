#include "bridge/demrun_commands.h"

#include "bridge/dump_reader.h"
#include "bridge/lammps_input.h"
#include "bridge/lammps_process.h"
#include "bridge/packing_input.h"
#include "bridge/run_conversion.h"
#include "bridge/run_files.h"
#include "bridge/run_markers.h"
#include "bridge/run_parameters.h"
#include "bridge/shell_word.h"

#include <unistd.h>
#include <cstdlib>
#include <filesystem>

namespace demrun {

namespace {

int failure(std::ostream& err, const std::string& message) {
    err << "demrun: " << message << "\n";
    return 1;
}

}  // namespace

int prepareCommand(const PrepareOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const std::string& packingPath = options.packing;
        const std::filesystem::path folder(options.folder.empty() ? std::string(".") : options.folder);
        const std::string packingText = readTextFile(packingPath);
        const Packing packing = readPacking(packingText, packingPath);
        const ParameterChoice choice = options.params.empty()
                                           ? defaultParameters()
                                           : readParameterText(readTextFile(options.params), options.params);
        RunParameters parameters = deriveParameters(packing, choice);
        parameters.runStamp = newRunStamp();

        std::filesystem::create_directories(folder);
        OutputFiles files;
        files.add((folder / kDataFile).string(), lammpsDataText(packing, parameters));
        files.add((folder / kScriptFile).string(), lammpsScriptText(packing, parameters));
        files.add((folder / kSetupFile).string(), setupText(parameters));
        std::error_code same;
        if (!std::filesystem::equivalent(packingPath, folder / kPackingCopy, same))
            files.add((folder / kPackingCopy).string(), packingText);
        files.commit();
        out << "demrun: prepared " << packing.particles.size()
            << (parameters.clumps ? " particles (polygons as rigid clumps of discs)" : " discs") << " for "
            << parameters.steps << " steps of " << parameters.dt << " s in " << folder.string() << " (" << kScriptFile
            << ", " << kDataFile << ")\n";
        return 0;
    } catch (const std::exception& error) {
        return failure(err, error.what());
    }
}

int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const std::string& folder = options.folder;
        const std::filesystem::path dir(folder);
        if (!std::filesystem::exists(dir / kScriptFile))
            return failure(err, folder + ": no " + kScriptFile + " (run demrun prepare first)");
        // The stamp of the preparation is copied before LAMMPS writes the first dump, so
        // the dumps of this run belong to it; old dumps go first, so that none of an
        // earlier run can pass for this one's.
        const std::string setupPath = (dir / kSetupFile).string();
        const std::string stamp =
            std::filesystem::exists(setupPath) ? readSetupText(readTextFile(setupPath), setupPath).runStamp : "";
        const HeldMarker running((dir / kRunningMarker).string(), stamp,
                                 folder + ": demrun run is already running in this folder");
        const char* path = std::getenv("PATH");
        const auto command = lammpsCommand({options.ranks, options.launcher, options.hostfile}, kScriptFile,
                                           path ? path : "", ::geteuid() == 0);
        for (const char* dump : {kParticleDump, kPairDump}) removeDumpFiles(folder, dump);
        writeRunStamp(folder, stamp);
        out << "demrun: running LAMMPS" << (options.ranks > 1 ? " on " + std::to_string(options.ranks) + " ranks" : "")
            << " in " << folder << std::endl;
        ProgressFilter progress;
        const LammpsOutcome outcome = runLammps(command, folder, [&](const std::string& line) {
            if (const auto shown = progress.take(line)) out << *shown << std::endl;
        });
        if (outcome.exitStatus != 0 || outcome.errorSeen) {
            err << "demrun: " << failureText(outcome, progress.lastStep()) << "\ndemrun: LAMMPS's last lines:\n";
            for (const std::string& line : outcome.lastLines) err << "  " << line << "\n";
            return 1;
        }
        const ConversionSummary check = convertRun(folder, ConversionMode::Check);
        for (const std::string& warning : checkWarnings(check)) err << "demrun: warning: " << warning << "\n";
        out << "demrun: the run is complete; convert it with: demrun convert " << shellWord(folder) << "\n";
        return 0;
    } catch (const std::exception& error) {
        return failure(err, error.what());
    }
}

int convertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const std::string& folder = options.folder;
        const ConversionSummary summary =
            convertRun(folder, options.partial ? ConversionMode::Partial : ConversionMode::Complete);
        for (const std::string& warning : checkWarnings(summary)) err << "demrun: warning: " << warning << "\n";
        if (summary.mendsCutOffConversion)
            out << "demrun: an earlier conversion in " << folder
                << " was cut off between its renames; the four files now belong together again\n";
        if (summary.stepBlocks < summary.promisedDumps)
            out << "demrun: the run did not complete: converting " << summary.stepBlocks << " dumps of "
                << summary.promisedDumps << "\n";
        out << "demrun: converted " << summary.stepBlocks << " step blocks of " << summary.particles
            << " particles into " << (std::filesystem::path(folder) / kOutputFile).string() << " with " << kWallFile
            << ", " << kContactHeaderFile << " and " << kContactRecordFile << "\n";
        return 0;
    } catch (const std::exception& error) {
        return failure(err, error.what());
    }
}

}  // namespace demrun
