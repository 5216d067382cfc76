#pragma once
// Flikkor's command line beyond --help and --version: one folder to browse, or
// GIF files to add, or one of the engine's commands run without a window
// (--make, --size, --info, --split). Plain C++ (CLI11), read before the window
// system starts.
#include <optional>
#include <string>
#include <vector>

#include "common/program_arguments.h"
#include "gifengine/engine_jobs.h"

namespace flikkor {

// What the window does at its first activation besides the usual start-up.
struct StartRequest {
    // The file page browses this folder for this run; the remembered browsing
    // folder stays what it was. Empty: the remembered folder.
    std::string folder;
    // Added to the frame list as the add command adds the files chosen in the file list.
    std::vector<std::string> files;
};

// Declares "DIR | FILE.gif ..." and the engine's commands on the program's
// command line. After an answer that lets the program run, job() holds the
// command asked for, or else request() what the window does at its start.
class StartArguments {
public:
    explicit StartArguments(toolkit::ProgramCommandLine& commandLine);
    StartArguments(const StartArguments&) = delete;
    StartArguments& operator=(const StartArguments&) = delete;

    StartRequest request() const;
    // The engine command to run instead of the window; nothing for the window.
    std::optional<gifengine::EngineJob> job() const;

private:
    // Why the arguments do not fit together; empty when they do.
    std::string problem() const;

    std::vector<std::string> arguments_;
    std::string make_;
    bool size_ = false;
    std::optional<int> delay_;
    std::optional<int> loop_;
    bool info_ = false;
    std::string split_;
    std::string to_;
    bool force_ = false;
};

}  // namespace flikkor
