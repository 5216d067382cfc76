// The three commands of demrun, callable from tests: each writes its messages to the
// given streams and returns the exit status (0 done, 1 failed with a message). The
// command line that fills their options is demrun_command_line.
#pragma once

#include <ostream>
#include <string>

namespace demrun {

struct PrepareOptions {
    std::string params;        // a parameter file, or empty for the defaults
    std::string folder = ".";  // the run folder written into
    std::string packing;       // the packing file (newin.dat)
};

struct RunOptions {
    std::string folder = ".";
    int ranks = 1;         // MPI ranks; above 1 LAMMPS runs under mpirun
    std::string launcher;  // a launcher command instead of mpirun ("srun", "mpiexec -x VAR")
    std::string hostfile;  // the launcher's host file
};

struct ConvertOptions {
    std::string folder = ".";
    bool partial = false;  // convert the dumps of a run that did not complete
};

int prepareCommand(const PrepareOptions& options, std::ostream& out, std::ostream& err);
int runCommand(const RunOptions& options, std::ostream& out, std::ostream& err);
int convertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err);

}  // namespace demrun
