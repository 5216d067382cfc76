// Running another program to its end: its exit status and what it wrote on its
// standard error. The command-line export assembles its frames this way.
#pragma once

#include "viewer/platform/launcher.h"

#include <string>

namespace sorvath {

struct ProgramRun {
    bool started = false;  // false: the program could not be started (`errorOutput` says why)
    int status = -1;       // the exit status; -1 when it ended by a signal
    std::string errorOutput;
};

class ProgramRunner {
public:
    virtual ~ProgramRunner() = default;
    // Runs the program with the request's arguments, folder and environment, and waits for it.
    virtual ProgramRun run(const LaunchRequest& request) = 0;
};

// Runs programs with posix_spawn; their standard output is discarded and their
// standard error collected.
class SpawnRunner : public ProgramRunner {
public:
    ProgramRun run(const LaunchRequest& request) override;
};

}  // namespace sorvath
