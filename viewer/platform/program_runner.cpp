#include "viewer/platform/program_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <vector>

extern char** environ;

namespace sorvath {
namespace {

// Our environment with the request's variables set or replaced, as "NAME=value" texts.
std::vector<std::string> environmentFor(const std::map<std::string, std::string>& changes) {
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string text(*entry);
        if (!changes.count(text.substr(0, text.find('=')))) entries.push_back(text);
    }
    for (const auto& change : changes) entries.push_back(change.first + "=" + change.second);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProgramRun SpawnRunner::run(const LaunchRequest& request) {
    ProgramRun result;
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        result.errorOutput = std::strerror(errno);
        return result;
    }
    std::vector<std::string> arguments{request.program};
    arguments.insert(arguments.end(), request.arguments.begin(), request.arguments.end());
    std::vector<std::string> environment = environmentFor(request.environment);
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    if (!request.workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, request.workingDirectory.c_str());
    pid_t child = 0;
    const int spawned = posix_spawn(&child, request.program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (spawned != 0) {
        ::close(pipe[0]);
        result.errorOutput = std::strerror(spawned);
        return result;
    }
    result.started = true;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(pipe[0], buffer, sizeof buffer);
        if (got > 0) {
            result.errorOutput.append(buffer, static_cast<size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(pipe[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace sorvath
