#pragma once
// Flikkor's command line beyond --help and --version: one folder to browse, or
// GIF files to add. Plain C++ (CLI11), read before the window system starts.
#include <string>
#include <vector>

#include "common/program_arguments.h"

namespace flikkor {

// What the window does at its first activation besides the usual start-up.
struct StartRequest {
    // The file page browses this folder for this run; the remembered browsing
    // folder stays what it was. Empty: the remembered folder.
    std::string folder;
    // Added to the frame list as the add command adds the files chosen in the file list.
    std::vector<std::string> files;
};

// Declares "DIR | FILE.gif ..." on the program's command line. After an answer
// that lets the program run, request() holds the absolute paths named.
class StartArguments {
public:
    explicit StartArguments(toolkit::ProgramCommandLine& commandLine);
    StartArguments(const StartArguments&) = delete;
    StartArguments& operator=(const StartArguments&) = delete;

    StartRequest request() const;

private:
    std::vector<std::string> arguments_;
};

}  // namespace flikkor
