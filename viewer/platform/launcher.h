// Starting another program without waiting for it.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace sorvath {

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
    // Starts the program detached; false when it could not be started.
    virtual bool startDetached(const LaunchRequest& request) = 0;
};

// Starts programs with QProcess.
class ProcessLauncher : public Launcher {
public:
    bool startDetached(const LaunchRequest& request) override;
    // The process id of the last program started, 0 before the first.
    long long lastProcessId() const { return lastProcessId_; }

private:
    long long lastProcessId_ = 0;
};

}  // namespace sorvath
