// Starting LAMMPS (or mpirun with LAMMPS) in a run folder and following its console:
// one progress line per thermo output (step, time, kinetic energy), and its last lines
// kept to show when it stops with an error.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bridge {

// The full path of a program found on PATH, or nothing.
std::optional<std::string> findProgram(const std::string& name, const std::string& path);

// The command line: lmp alone, or mpirun -np N lmp when ranks > 1.
// Throws InputError naming the Debian package when a program is missing.
std::vector<std::string> lammpsCommand(int ranks, const std::string& script, const std::string& searchPath,
                                       bool asRoot);

// Picks the progress out of LAMMPS console lines: the thermo rows that follow a
// "Step Time KinEng" header. Rows already seen (a run continued in pieces repeats
// its first row) are dropped.
class ProgressFilter {
public:
    // The progress line for this console line, or nothing.
    std::optional<std::string> take(const std::string& line);

private:
    bool inThermo_ = false;
    std::optional<long> lastStep_;
};

struct LammpsOutcome {
    int exitStatus = 0;
    bool errorSeen = false;             // a line starting with "ERROR"
    std::deque<std::string> lastLines;  // up to 20
};

// Runs command in folder; every console line goes to onLine.
LammpsOutcome runLammps(const std::vector<std::string>& command, const std::string& folder,
                        const std::function<void(const std::string&)>& onLine);

}  // namespace bridge
