// Shell commands and files for the installation and package tests.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace toolkit::testing {

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and error together
};

inline CommandResult runCommand(const std::string& command) {
    CommandResult result;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// A word for the shell, in single quotes (a single quote inside written as '\'').
inline std::string shellQuoted(const std::filesystem::path& path) {
    std::string word = "'";
    for (const char c : path.string()) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace toolkit::testing
