// Starting another program without waiting for it, and watching whether it still runs.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace sorvath {

// An operating-system process id; 0 stands for no process.
using ProcessId = long long;

struct LaunchRequest {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDirectory;
    // Variables set (or replaced) in the started program's environment.
    std::map<std::string, std::string> environment;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the program detached; its process id, or 0 when it could not be started.
    virtual ProcessId startDetached(const LaunchRequest& request) = 0;
    // True while the process exists and has not ended.
    virtual bool isRunning(ProcessId process) = 0;
};

// Starts programs with QProcess.
class ProcessLauncher : public Launcher {
public:
    ProcessId startDetached(const LaunchRequest& request) override;
    bool isRunning(ProcessId process) override;
};

}  // namespace sorvath
