// Starting LAMMPS (or mpirun with LAMMPS) in a run folder and following its console:
// one progress line per thermo output (step, time, kinetic energy), and its last lines
// kept to show when it stops with an error.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace demrun {

// The full path of a program found on PATH, or nothing.
std::optional<std::string> findProgram(const std::string& name, const std::string& path);

// How LAMMPS is started: on how many ranks, and through which launcher.
struct Launch {
    int ranks = 1;
    std::string launcher;  // a launcher command ("srun -n 64"), split at blanks; empty: mpirun
    std::string hostfile;  // handed to the launcher as --hostfile FILE
};

// The command line: lmp alone, or mpirun -np N lmp when ranks > 1 or a host file is given;
// with a launcher, its words, then --hostfile FILE and -np N when given, then lmp.
// Throws InputError naming the Debian package when a program is missing.
std::vector<std::string> lammpsCommand(const Launch& launch, const std::string& script, const std::string& searchPath,
                                       bool asRoot);

// Picks the progress out of LAMMPS console lines: the thermo rows that follow a
// "Step Time c_kinetic" (or "Step Time KinEng") header. Rows already seen (a run continued in pieces repeats
// its first row) are dropped.
class ProgressFilter {
public:
    // The progress line for this console line, or nothing.
    std::optional<std::string> take(const std::string& line);
    // The last step a thermo row reported.
    std::optional<long> lastStep() const { return lastStep_; }

private:
    bool inThermo_ = false;
    std::optional<long> lastStep_;
};

struct LammpsOutcome {
    int exitStatus = 0;
    int signal = 0;                     // the signal that ended the process, or 0
    bool errorSeen = false;             // a line starting with "ERROR"
    std::string cause;                  // the first "ERROR..." or "*** ... ***" line, as LAMMPS wrote it
    std::deque<std::string> lastLines;  // up to 20
};

// Why LAMMPS stopped, in one line: the step reached, the signal (name and meaning) or the
// exit status, and the library's own message. A launcher that reports a rank's signal in
// its exit status (128 + signal) is read the same way.
std::string failureText(const LammpsOutcome& outcome, const std::optional<long>& lastStep);

// Runs command in folder; every console line goes to onLine.
LammpsOutcome runLammps(const std::vector<std::string>& command, const std::string& folder,
                        const std::function<void(const std::string&)>& onLine);

}  // namespace demrun
