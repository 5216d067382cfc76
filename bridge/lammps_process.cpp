#include "bridge/lammps_process.h"

#include "bridge/dump_reader.h"
#include "bridge/field_text.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace demrun {

std::optional<std::string> findProgram(const std::string& name, const std::string& path) {
    std::stringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        if (::access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate))
            return candidate.string();
    }
    return std::nullopt;
}

std::vector<std::string> lammpsCommand(const Launch& launch, const std::string& script, const std::string& searchPath,
                                       bool asRoot) {
    const auto lmp = findProgram("lmp", searchPath);
    if (!lmp) throw InputError("lmp (LAMMPS) is not installed: install the Debian package 'lammps'");
    std::vector<std::string> command;
    if (!launch.launcher.empty()) {
        std::istringstream words(launch.launcher);
        std::string word;
        while (words >> word) command.push_back(word);
        if (command.empty()) throw InputError("--mpirun needs a launcher command");
        // Started with execv: a bare name becomes the path PATH gives it.
        if (command.front().find('/') == std::string::npos) {
            const auto found = findProgram(command.front(), searchPath);
            if (!found) throw InputError("the launcher '" + command.front() + "' is not on PATH");
            command.front() = *found;
        }
        if (!launch.hostfile.empty()) command.insert(command.end(), {"--hostfile", launch.hostfile});
        if (launch.ranks > 1) command.insert(command.end(), {"-np", std::to_string(launch.ranks)});
    } else if (launch.ranks > 1 || !launch.hostfile.empty()) {
        const auto mpirun = findProgram("mpirun", searchPath);
        if (!mpirun) throw InputError("mpirun is not installed: install the Debian package 'openmpi-bin'");
        command = {*mpirun};
        if (asRoot) command.push_back("--allow-run-as-root");
        if (launch.hostfile.empty())
            command.push_back("--oversubscribe");
        else
            command.insert(command.end(), {"--hostfile", launch.hostfile});
        command.insert(command.end(), {"-np", std::to_string(launch.ranks)});
    }
    command.insert(command.end(), {*lmp, "-in", script, "-log", "log.lammps", "-nocite"});
    return command;
}

std::optional<std::string> ProgressFilter::take(const std::string& line) {
    std::istringstream fields(line);
    std::string first, second, third, extra;
    fields >> first >> second >> third;
    if (first == "Step" && second == "Time" && (third == "c_kinetic" || third == "KinEng")) {
        inThermo_ = true;
        return std::nullopt;
    }
    if (!inThermo_) return std::nullopt;
    double step = 0.0, time = 0.0, energy = 0.0;
    if (!parseFieldDouble(first, step) || !parseFieldDouble(second, time) || !parseFieldDouble(third, energy) ||
        (fields >> extra)) {
        inThermo_ = false;
        return std::nullopt;
    }
    const long stepNumber = static_cast<long>(step);
    if (lastStep_ && stepNumber <= *lastStep_) return std::nullopt;
    lastStep_ = stepNumber;
    return "step " + first + "  time " + second + "  kinetic energy " + third;
}

LammpsOutcome runLammps(const std::vector<std::string>& command, const std::string& folder,
                        const std::function<void(const std::string&)>& onLine) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw std::runtime_error("cannot start LAMMPS: no pipe");
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("cannot start LAMMPS: fork failed");
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::close(pipeEnds[1]);
        if (::chdir(folder.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        _exit(127);
    }
    ::close(pipeEnds[1]);
    LammpsOutcome outcome;
    std::string pending;
    char buffer[4096];
    const auto lineDone = [&](const std::string& line) {
        const bool error = line.rfind("ERROR", 0) == 0;
        if (error) outcome.errorSeen = true;
        if (outcome.cause.empty() && (error || line.find("*** ") != std::string::npos)) outcome.cause = line;
        outcome.lastLines.push_back(line);
        if (outcome.lastLines.size() > 20) outcome.lastLines.pop_front();
        onLine(line);
    };
    for (;;) {
        const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        pending.append(buffer, static_cast<std::size_t>(n));
        std::size_t newline;
        while ((newline = pending.find('\n')) != std::string::npos) {
            lineDone(pending.substr(0, newline));
            pending.erase(0, newline + 1);
        }
    }
    if (!pending.empty()) lineDone(pending);
    ::close(pipeEnds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
    return outcome;
}

std::string failureText(const LammpsOutcome& outcome, const std::optional<long>& lastStep) {
    std::string text = "LAMMPS stopped ";
    text += lastStep ? "after step " + std::to_string(*lastStep) : std::string("before its first step");
    // mpirun ends with 128 + the signal that killed a rank.
    const int signal = outcome.signal != 0                                         ? outcome.signal
                       : outcome.exitStatus > 128 && outcome.exitStatus < 128 + 65 ? outcome.exitStatus - 128
                                                                                   : 0;
    if (signal != 0) {
        const char* name = ::sigabbrev_np(signal);
        text += ", killed by signal " + std::to_string(signal) + (name ? std::string(" (SIG") + name + ", " : " (") +
                ::strsignal(signal) + ")";
    } else {
        text += " with exit status " + std::to_string(outcome.exitStatus);
    }
    if (!outcome.cause.empty()) text += ": " + outcome.cause;
    return text;
}

}  // namespace demrun
