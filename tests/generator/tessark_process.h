#pragma once
// Runs the built tessark program in a folder, as a user would, with standard
// input from a descriptor; standard output and error go to files in the folder
// ("stdout.txt", "stderr.txt") that are read back.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace tessark::testing {

struct ProcessRun {
    int status = -1;  // the exit status, -1 when a signal ended the program
    std::string out, err;
};

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// `whileRunning` is called with the program's process id before it is waited for.
inline ProcessRun runTessarkProgram(const std::filesystem::path& folder, int inputFd,
                                    const std::function<void(pid_t)>& whileRunning) {
    const std::filesystem::path outPath = folder / "stdout.txt", errPath = folder / "stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || chdir(folder.c_str()) != 0) _exit(126);
        dup2(inputFd, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        const std::string program = std::string(TOOLKIT_BIN_DIR) + "/tessark";
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ProcessRun run;
    if (child < 0) return run;
    whileRunning(child);
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readAll(outPath);
    run.err = readAll(errPath);
    return run;
}

}  // namespace tessark::testing
